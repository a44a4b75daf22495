#include "ui/main/MainWindowControls.h"

#include <array>

#include "core/AppState.h"
#include "platform/System.h"
#include "ui/main/MainWindowHandlers.h"

namespace {

using platform::ControlKind;

constexpr Rect kNoPlace{};

// The form's order: a press goes to the first-listed visible control under the pointer, so the
// close and minimise buttons lie over the title strip and, on the book tab, 图形按钮8 over
// 洗练按钮 and 图形按钮7 over 图形按钮5.
// The formatter would give every field a line of its own; each row stays together instead.
// clang-format off
const std::array<MainControlRow, 14> kMainControls{{
    {MainControl::Certify, "图形按钮8", ControlKind::PictureButton, {705, 535, 168, 51}, true, TabState::Book,
     true, false, &AppState::certifyButtonRect, {705, 535, 168, 51}, {708, 537, 162, 47}, OnMergeLearnCertifyPress,
     OnMergeLearnCertifyRelease, OnCertifyButtonClick},
    {MainControl::BookSlot, "图形按钮7", ControlKind::PictureButton, {487, 143, 62, 62}, true, TabState::Book,
     true, true, nullptr, kNoPlace, kNoPlace, nullptr, nullptr, OnBookSlotClick},
    {MainControl::Learn, "图形按钮6", ControlKind::PictureButton, {735, 145, 99, 53}, true, TabState::Book, false,
     true, &AppState::learnButtonRect, {735, 145, 99, 53}, {737, 147, 95, 49}, OnMergeLearnCertifyPress,
     OnMergeLearnCertifyRelease, OnLearnButtonClick},
    {MainControl::MergeSide2, "图形按钮5", ControlKind::PictureButton, {526, 135, 85, 85}, false, TabState::Merge,
     false, true, nullptr, kNoPlace, kNoPlace, nullptr, nullptr, OnMergeSideClick},
    {MainControl::MergeSide1, "图形按钮4", ControlKind::PictureButton, {56, 135, 85, 85}, false, TabState::Merge,
     false, true, nullptr, kNoPlace, kNoPlace, nullptr, nullptr, OnMergeSideClick},
    {MainControl::Merge, "图形按钮3", ControlKind::PictureButton, {415, 307, 85, 85}, true, TabState::Merge, true,
     true, &AppState::mergeButtonRect, {404, 296, 107, 105}, {406, 298, 103, 101}, OnMergeLearnCertifyPress,
     OnMergeLearnCertifyRelease, OnMergeButtonClick},
    {MainControl::BookTab, "选择夹_打书按钮", ControlKind::PictureButton, {601, 58, 198, 51}, true, TabState::Book,
     false, true, nullptr, kNoPlace, kNoPlace, OnTabSelectorPress, OnTabSelectorRelease, OnTabSelectorClick},
    {MainControl::MergeTab, "选择夹_合宠按钮", ControlKind::PictureButton, {373, 58, 198, 51}, true,
     TabState::Merge, false, true, nullptr, kNoPlace, kNoPlace, OnTabSelectorPress, OnTabSelectorRelease,
     OnTabSelectorClick},
    {MainControl::WashTab, "选择夹_洗练按钮", ControlKind::PictureButton, {145, 58, 198, 51}, true, TabState::Wash,
     false, true, nullptr, kNoPlace, kNoPlace, OnTabSelectorPress, OnTabSelectorRelease, OnTabSelectorClick},
    {MainControl::Release, "放生按钮", ControlKind::PictureButton, {480, 528, 147, 55}, false, TabState::Wash,
     false, true, &AppState::releaseButtonRect, {480, 525, 147, 55}, {482, 527, 143, 51}, OnWashOrReleasePress,
     OnReleaseButtonRelease, nullptr},
    {MainControl::Wash, "洗练按钮", ControlKind::PictureButton, {732, 525, 147, 55}, false, TabState::Wash, false,
     true, &AppState::washButtonRect, {732, 525, 147, 55}, {734, 527, 143, 51}, OnWashOrReleasePress,
     OnWashButtonRelease, nullptr},
    {MainControl::Minimize, "图形按钮2", ControlKind::PictureButton, {795, 2, 50, 50}, false, TabState::None,
     false, true, &AppState::minimizeButtonRect, {795, 2, 50, 50}, {797, 4, 46, 46}, OnFrameButtonPress,
     OnMinimizeButtonRelease, nullptr},
    {MainControl::Close, "图形按钮1", ControlKind::PictureButton, {850, 2, 50, 50}, false, TabState::None, false,
     true, &AppState::closeButtonRect, {850, 2, 50, 50}, {852, 4, 46, 46}, OnFrameButtonPress,
     OnCloseButtonRelease, nullptr},
    {MainControl::TitleStrip, "透明标签1", ControlKind::TransparentLabel, {0, 0, 920, 56}, false, TabState::None,
     false, true, nullptr, kNoPlace, kNoPlace, OnTitleStripPress, nullptr, nullptr},
}};
// clang-format on

}  // namespace

std::span<const MainControlRow> MainControls() { return kMainControls; }

const MainControlRow& MainControlOf(MainControl id) {
  for (const MainControlRow& control : kMainControls)
    if (control.id == id) return control;
  // Every MainControl has a row; the table's test checks it.
  return kMainControls.back();
}

void ShowMainControlsOf(AppState& app, TabState tab) {
  if (app.mainWindow == nullptr) return;
  for (const MainControlRow& control : kMainControls)
    if (control.onlyOnItsTab) app.mainWindow->SetControlVisible(control.name, control.tab == tab);
}
