#pragma once

#include <string_view>

#include "core/Messages.h"
#include "platform/System.h"

// The operations' message boxes, shown by the window system: modal, over the main window.
class SystemMessages final : public Messages {
public:
  explicit SystemMessages(platform::System& system) : system_(system) {}

  void Show(std::string_view text, std::string_view caption) override;
  bool Ask(std::string_view text, std::string_view caption) override;

private:
  platform::System& system_;
};
