#pragma once

#include <string_view>

#include "platform/WindowForm.h"
#include "shared/Rect.h"

struct AppState;

// The skill-book picker: the icons of the 79 skills, 10 columns by 8 rows; a left click puts
// that skill into the book slot (bookSkill, bookIcon), a right click closes without change. The
// special skills can be neither framed nor chosen. OpenBookSkillPicker (ui/windows/Popups.h)
// opens it.

inline constexpr int kBookPickerWidth = 680;
inline constexpr int kBookPickerHeight = 550;

inline constexpr std::string_view kSpecialSkillRefusedText = "特殊技能不能选取";

// The 60x60 icon cell of skill 1..79.
Rect BookPickerCellRect(int skill);
// The skill whose icon holds (x, y) strictly inside, or 0 (the tenth cell of the last row is
// no skill).
int BookPickerCellAt(int x, int y);

// The picker's window definition, form name "bookpicker".
platform::WindowForm BookSkillPickerForm(AppState& app);

void DrawBookSkillPicker(AppState& app);
