#include "ui/main/HitTest.h"

#include <cstdint>

#include "core/AppState.h"
#include "platform/System.h"

namespace {

platform::Point Cursor(const AppState& app) {
  return app.system != nullptr ? app.system->CursorPosition() : platform::Point{};
}

}  // namespace

int MouseWindowX(const AppState& app) {
  return Cursor(app).x - (app.mainWindow != nullptr ? app.mainWindow->Left() : 0);
}

int MouseWindowY(const AppState& app) {
  return Cursor(app).y - (app.mainWindow != nullptr ? app.mainWindow->Top() : 0);
}

bool HitTest(const AppState& app, int left, int top, int width, int height) {
  // 64-bit sums: a far-off rectangle must not wrap around into the window.
  const std::int64_t mx = MouseWindowX(app);
  const std::int64_t my = MouseWindowY(app);
  return left < mx && mx < std::int64_t{left} + width && top < my && my < std::int64_t{top} + height;
}
