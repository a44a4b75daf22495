#pragma once

#include <string_view>

// The caption of every message box that names no other.
inline constexpr std::string_view kStandardCaption = "信息：";
inline constexpr std::string_view kErrorCaption = "错误";
inline constexpr std::string_view kHintCaption = "提示";

// How operations report to the user: modal message boxes. The window layer provides the
// real boxes; tests record the calls.
class Messages {
 public:
  virtual ~Messages() = default;
  // A box with an OK button; returns when it is closed.
  virtual void Show(std::string_view text, std::string_view caption) = 0;
  // A box with OK and Cancel; true when the user chose OK.
  virtual bool Ask(std::string_view text, std::string_view caption) = 0;
};
