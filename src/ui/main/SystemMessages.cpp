#include "ui/main/SystemMessages.h"

void SystemMessages::Show(std::string_view text, std::string_view caption) {
  system_.ShowMessage(nullptr, text, caption.empty() ? kStandardCaption : caption, platform::MessageButtons::Ok);
}

bool SystemMessages::Ask(std::string_view text, std::string_view caption) {
  return system_.ShowMessage(nullptr, text, caption.empty() ? kStandardCaption : caption,
                             platform::MessageButtons::OkCancel);
}
