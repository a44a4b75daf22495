#pragma once

#include <span>
#include <string_view>

#include "core/TabState.h"
#include "platform/WindowForm.h"
#include "shared/Rect.h"

struct AppState;

// The main window's controls, each named once.
enum class MainControl {
  Certify,     // 图形按钮8: certify or cancel the certification
  BookSlot,    // 图形按钮7: the book slot, opens the skill-book picker
  Learn,       // 图形按钮6: learn the book's skill
  MergeSide2,  // 图形按钮5: fill merge side 2
  MergeSide1,  // 图形按钮4: fill merge side 1
  Merge,       // 图形按钮3: merge the two sides
  BookTab,     // 选择夹_打书按钮
  MergeTab,    // 选择夹_合宠按钮
  WashTab,     // 选择夹_洗练按钮
  Release,     // 放生按钮
  Wash,        // 洗练按钮
  Minimize,    // 图形按钮2
  Close,       // 图形按钮1
  TitleStrip,  // 透明标签1: drags the window
};

struct MainControlRow;
using MainControlHandler = void (*)(AppState& app, const MainControlRow& control);

// One row of the main window's control table: what the form, LayoutMainWindow and the press and
// release handlers know of a control. Places are main-window pixels.
struct MainControlRow {
  MainControl id;
  std::string_view name;  // as the window's form names it
  platform::ControlKind kind;
  Rect place;  // the control's hot area
  bool handCursor;
  // The tab the control works on: its handlers do nothing on the others. TabState::None: every
  // tab. A tab button's is the tab it shows (it works on every tab).
  TabState tab;
  // Visible only while its tab is shown (hidden, it takes no input and lets the control under
  // it have the mouse); the others are visible on every tab.
  bool onlyOnItsTab;
  bool visibleInForm;
  // Where the button's picture is drawn (an AppState member), with its resting and pressed
  // places; the press and release handlers test the cursor against the resting place. Null for
  // a control without a pressed look.
  Rect AppState::*picture;
  Rect resting;
  Rect pressed;
  MainControlHandler leftPress;  // null: the control does not report it
  MainControlHandler leftRelease;
  MainControlHandler click;
};

// Every control in the form's order (a press goes to the first-listed visible control under
// the pointer).
std::span<const MainControlRow> MainControls();

const MainControlRow& MainControlOf(MainControl id);

// Shows the controls that belong to `tab` and hides those of the other tabs (through
// app.mainWindow; nothing without one).
void ShowMainControlsOf(AppState& app, TabState tab);
