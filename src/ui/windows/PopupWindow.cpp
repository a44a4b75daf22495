#include "ui/windows/PopupWindow.h"

#include <utility>

#include "core/AppState.h"
#include "platform/System.h"

bool OpenPopup(AppState& app, platform::WindowForm form) {
  if (app.system == nullptr) return false;
  form.owner = app.mainWindow;
  if (app.mainWindow != nullptr) {
    const platform::Window& main = *app.mainWindow;
    form.left = main.Left() + (main.Width() - form.width) / 2;
    form.top = main.Top() + (main.Height() - form.height) / 2;
  }
  return app.system->OpenModal(form);
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
