#include "core/Messages.h"

#include "core/AppState.h"

void ShowMessage(AppState& app, std::string_view text, std::string_view caption) {
  if (app.messages != nullptr) app.messages->Show(text, caption);
}

bool AskUser(AppState& app, std::string_view text, std::string_view caption) {
  return app.messages != nullptr && app.messages->Ask(text, caption);
}
