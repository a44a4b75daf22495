#pragma once

#include <string_view>

// The caption of every message box that names no other.
inline constexpr std::string_view kStandardCaption = "信息：";
inline constexpr std::string_view kErrorCaption = "错误";
inline constexpr std::string_view kHintCaption = "提示";

struct AppState;

// How the program reports to the user: modal message boxes. The window layer provides the
// real boxes (SystemMessages); tests record the calls. Every box of the program goes through
// app.messages, by ShowMessage and AskUser below.
class Messages {
public:
  virtual ~Messages() = default;
  // A box with an OK button; returns when it is closed.
  virtual void Show(std::string_view text, std::string_view caption) = 0;
  // A box with OK and Cancel; true when the user chose OK.
  virtual bool Ask(std::string_view text, std::string_view caption) = 0;
};

// Shows a box through app.messages (nothing when no message sink is set).
void ShowMessage(AppState& app, std::string_view text, std::string_view caption = kStandardCaption);

// Asks through app.messages; true when the user chose OK (false without a message sink).
bool AskUser(AppState& app, std::string_view text, std::string_view caption);
