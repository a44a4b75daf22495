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
  return IsStrictlyInside(MakeRect(left, top, width, height), MouseWindowX(app), MouseWindowY(app));
}
