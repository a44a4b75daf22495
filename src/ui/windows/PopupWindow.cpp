#include "ui/windows/PopupWindow.h"

#include <utility>

#include "core/AppState.h"
#include "platform/System.h"

bool OpenPopup(AppState& state, platform::WindowForm form) {
  if (state.system == nullptr) return false;
  form.owner = state.mainWindow;
  if (state.mainWindow != nullptr) {
    const platform::Window& main = *state.mainWindow;
    form.left = main.Left() + (main.Width() - form.width) / 2;
    form.top = main.Top() + (main.Height() - form.height) / 2;
  }
  return state.system->OpenModal(form);
}

void ClosePopup(LayeredCanvas& canvas) {
  // Destroying runs the window's destroyed handler, which releases this canvas.
  if (platform::Window* window = canvas.BoundWindow()) window->Destroy();
}

std::function<void(platform::Window&)> ReleaseOnDestroy(LayeredCanvas& canvas) {
  return [&canvas](platform::Window& window) {
    if (canvas.BoundWindow() == &window) canvas.Release();
  };
}
