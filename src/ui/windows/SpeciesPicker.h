#pragma once

#include "platform/WindowForm.h"
#include "shared/Rect.h"

struct AppState;

// The species picker: the heads of the 35 species, 7 columns by 5 rows; a left click on a head
// creates a pet of that species in app.newPetSlot, a right click closes without creating.
// OpenSpeciesPicker (ui/windows/Popups.h) opens it.

inline constexpr int kSpeciesPickerWidth = 658;
inline constexpr int kSpeciesPickerHeight = 415;

// The 66x66 head cell of species 1..35.
Rect SpeciesPickerCellRect(int species);
// The species whose head holds (x, y) strictly inside, or 0.
int SpeciesPickerCellAt(int x, int y);

// The picker's window definition, form name "species".
platform::WindowForm SpeciesPickerForm(AppState& app);

void DrawSpeciesPicker(AppState& app);
