#include "ui/main/MainWindow.h"

#include <functional>
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
#include "ui/main/MainWindowHandlers.h"
#include "ui/main/MainWindowPictures.h"
#include "ui/main/RedrawMainWindow.h"
#include "ui/main/TabSwitch.h"
#include "ui/windows/RosterPanel.h"

namespace {

using platform::ControlForm;
using platform::ControlKind;

// Handlers of picture buttons take no position: they read the cursor through HitTest.
std::function<void(int, int)> Positionless(AppState& app, void (*handler)(AppState&)) {
  return [&app, handler](int, int) { handler(app); };
}

ControlForm Button(std::string name, Rect place, bool visible, bool hand) {
  ControlForm control;
  control.name = std::move(name);
  control.kind = ControlKind::PictureButton;
  control.place = place;
  control.visible = visible;
  control.handCursor = hand;
  return control;
}

// A button with a pressed look: left press, left release and (optionally) click.
ControlForm PressButton(AppState& app, std::string name, Rect place, bool visible, bool hand,
                        void (*press)(AppState&), void (*release)(AppState&),
                        void (*click)(AppState&) = nullptr) {
  ControlForm control = Button(std::move(name), place, visible, hand);
  control.events.leftPress = Positionless(app, press);
  control.events.leftRelease = Positionless(app, release);
  if (click != nullptr) control.events.click = [&app, click] { click(app); };
  return control;
}

ControlForm TabButton(AppState& app, std::string name, int left, int tab) {
  ControlForm control = Button(std::move(name), MakeRect(left, 58, 198, 51), true, true);
  control.events.leftPress = [&app, tab](int, int) { OnTabPress(app, tab); };
  control.events.leftRelease = [&app, tab](int, int) { OnTabRelease(app, tab); };
  control.events.click = [&app, tab] { OnTabClick(app, tab); };
  return control;
}

void ReportWindowCreateFailed(AppState& app) {
  if (app.messages != nullptr)
    app.messages->Show(kWindowCreateFailedText, kErrorCaption);
  else if (app.system != nullptr)
    app.system->ShowMessage(nullptr, kWindowCreateFailedText, kErrorCaption, platform::MessageButtons::Ok);
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

  auto& c = form.controls;
  c.push_back(PressButton(app, "图形按钮8", MakeRect(705, 535, 168, 51), false, true, OnCertifyButtonPress,
                          OnCertifyButtonRelease, OnCertifyButtonClick));
  {
    ControlForm bookSlot = Button("图形按钮7", MakeRect(487, 143, 62, 62), true, true);
    bookSlot.events.click = [&app] { OnBookSlotClick(app); };
    c.push_back(std::move(bookSlot));
  }
  c.push_back(PressButton(app, "图形按钮6", MakeRect(735, 145, 99, 53), true, true, OnLearnButtonPress,
                          OnLearnButtonRelease, OnLearnButtonClick));
  for (const auto& [name, left, side] : {std::tuple{"图形按钮5", 526, 2}, std::tuple{"图形按钮4", 56, 1}}) {
    ControlForm sideButton = Button(name, MakeRect(left, 135, 85, 85), true, false);
    const int pick = side;
    sideButton.events.click = [&app, pick] { OnMergeSideClick(app, pick); };
    c.push_back(std::move(sideButton));
  }
  c.push_back(PressButton(app, "图形按钮3", MakeRect(415, 307, 85, 85), true, true, OnMergeButtonPress,
                          OnMergeButtonRelease, OnMergeButtonClick));
  c.push_back(TabButton(app, "选择夹_打书按钮", 601, 3));
  c.push_back(TabButton(app, "选择夹_合宠按钮", 373, 2));
  c.push_back(TabButton(app, "选择夹_洗练按钮", 145, 1));
  c.push_back(PressButton(app, "放生按钮", MakeRect(480, 528, 147, 55), true, false, OnReleaseButtonPress, ReleasePet));
  c.push_back(PressButton(app, "洗练按钮", MakeRect(732, 525, 147, 55), true, false, OnWashButtonPress,
                          OnWashButtonRelease));
  c.push_back(PressButton(app, "图形按钮2", MakeRect(795, 2, 50, 50), true, false, OnMinimizeButtonPress,
                          OnMinimizeButtonRelease));
  c.push_back(PressButton(app, "图形按钮1", MakeRect(850, 2, 50, 50), true, false, OnCloseButtonPress,
                          OnCloseButtonRelease));
  {
    ControlForm strip;
    strip.name = "透明标签1";
    strip.kind = ControlKind::TransparentLabel;
    strip.place = MakeRect(0, 0, 920, 56);
    strip.events.leftPress = Positionless(app, OnTitleStripPress);
    c.push_back(std::move(strip));
  }

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
  app.tabState = 1;
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
  window.SetControlVisible("图形按钮3", false);
  window.SetControlVisible("图形按钮7", false);
  if (app.currentSlot != 0 && app.slotSpecies[app.currentSlot] != 0)
    app.petPicture.LoadFromFile(PetPicturePath(app.slotSpecies[app.currentSlot]));
  app.mainCanvas.Bind(&window, window.Width(), window.Height());
  app.rosterFollowsCurrent = 1;
  LayoutMainWindow(app);
  RedrawMainWindow(app);

  if (!OpenRosterPanel(app)) {
    ReportWindowCreateFailed(app);
    window.Destroy();
  }
}
