#pragma once

#include <string_view>

#include "core/TabState.h"

struct AppState;

// The tab buttons of the wash, merge and book tabs (MainControl::WashTab ...). Pressing another
// tab's button lights it, releasing dims it again; a click waits 50 ms (pending events go on
// being handled) and then switches. The shown tab's button does nothing.
void OnTabPress(AppState& app, TabState tab);
void OnTabRelease(AppState& app, TabState tab);
void OnTabClick(AppState& app, TabState tab);

// The switches themselves. Wash and book open the roster panel if it is closed, merge closes it;
// merge empties both merge sides, book empties the book slot and forgets the sides' slots.
void SwitchToWashTab(AppState& app);
void SwitchToMergeTab(AppState& app);
void SwitchToBookTab(AppState& app);

// The text shown when the roster panel cannot be created.
inline constexpr std::string_view kWindowCreateFailedText = "窗口组件创建失败！";
