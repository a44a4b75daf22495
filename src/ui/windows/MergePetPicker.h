#pragma once

#include <string_view>

#include "platform/WindowForm.h"
#include "rules/MergePick.h"
#include "shared/Rect.h"

struct AppState;

// The merge pet picker: the heads of the saved pets in the 15 roster slots, 5 columns by 3 rows;
// a left click puts that pet on merge side app.mergePickSide, a right click closes without
// change. The highlight frame keeps its place from one opening to the next and never marks a
// pet that is already on a side. OpenMergePetPicker (ui/windows/Popups.h) opens it.

inline constexpr int kMergePickerWidth = 439;
inline constexpr int kMergePickerHeight = 272;

// The 70x70 head cell of slot 1..15.
Rect MergePickerCellRect(int slot);
// The slot whose cell holds (x, y) strictly inside, or 0.
int MergePickerCellAt(int x, int y);

// The picker's window definition, form name "mergepicker".
platform::WindowForm MergePetPickerForm(AppState& app);

// Repaints the picker, reading every saved record again for its species.
void DrawMergePetPicker(AppState& app);
