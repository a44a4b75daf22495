#include "ui/main/MainWindow.h"

#include <string>
#include <utility>

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "core/LoadSlot.h"
#include "core/Messages.h"
#include "core/RosterStore.h"
#include "platform/System.h"
#include "ui/main/CertificationLook.h"
#include "ui/main/LayoutMainWindow.h"
#include "ui/main/MainWindowControls.h"
#include "ui/main/MainWindowHandlers.h"
#include "ui/main/MainWindowPictures.h"
#include "ui/main/RedrawMainWindow.h"
#include "ui/main/TabSwitch.h"
#include "ui/windows/RosterPanel.h"

namespace {

// A control of the form from its row of the control table, its handlers given the row.
platform::ControlForm FormControl(AppState& app, const MainControlRow& row) {
  platform::ControlForm control;
  control.name = std::string(row.name);
  control.kind = row.kind;
  control.place = row.place;
  control.visible = row.visibleInForm;
  control.handCursor = row.handCursor;
  // Picture buttons take no position: their handlers read the cursor through HitTest.
  if (row.leftPress != nullptr) control.events.leftPress = [&app, &row](int, int) { row.leftPress(app, row); };
  if (row.leftRelease != nullptr) control.events.leftRelease = [&app, &row](int, int) { row.leftRelease(app, row); };
  if (row.click != nullptr) control.events.click = [&app, &row] { row.click(app, row); };
  return control;
}

}  // namespace

platform::WindowForm MainWindowForm(AppState& app) {
  platform::WindowForm form;
  form.name = "main";
  form.title = "召唤兽模拟器";
  form.left = 50;
  form.top = 50;
  form.width = 920;
  form.height = 620;

  for (const MainControlRow& row : MainControls()) form.controls.push_back(FormControl(app, row));

  form.created = [&app](platform::Window& window) { OnMainWindowCreated(app, window); };
  form.positionChanged = [&app](platform::Window&) { OnMainWindowMoved(app); };
  form.destroyed = [&app](platform::Window& window) {
    if (app.mainWindow != &window) return;
    app.mainWindow = nullptr;
    // The window object goes away after this; nothing may be presented to it any more.
    app.mainCanvas.Release();
  };
  return form;
}

bool OpenMainWindow(AppState& app) {
  if (app.system == nullptr) return false;
  return app.system->Open(MainWindowForm(app)) != nullptr && app.mainWindow != nullptr;
}

void OnMainWindowCreated(AppState& app, platform::Window& window) {
  app.mainWindow = &window;

  LoadMainWindowPictures(app);
  app.tabState = TabState::Wash;
  SeedFromClock(app);
  app.occupiedSlots = ScanOccupiedSlots();
  // An empty roster leaves no current pet: currentSlot 0, and every operation refuses.
  app.currentSlot = app.occupiedSlots.empty() ? 0 : app.occupiedSlots.front();
  app.petPicture.LoadFromBytes(kEmptyByteConstant);
  if (app.currentSlot != 0)
    LoadSlot(app, app.currentSlot);
  else
    app.currentSkills.clear();
  ShowSlotCertificationLook(app, app.currentSlot);
  ShowMainControlsOf(app, TabState::Wash);
  if (app.currentSlot != 0 && app.slotSpecies[app.currentSlot] != 0)
    app.petPicture.LoadFromFile(PetPicturePath(app.slotSpecies[app.currentSlot]));
  app.mainCanvas.Bind(&window, window.Width(), window.Height());
  app.rosterFollowsCurrent = 1;
  LayoutMainWindow(app);
  RedrawMainWindow(app);

  if (!OpenRosterPanel(app)) {
    ShowMessage(app, kWindowCreateFailedText, kErrorCaption);
    window.Destroy();
  }
}
