#pragma once

#include "platform/WindowForm.h"
#include "shared/Rect.h"

struct AppState;

// The pet detail view: the pet just produced by a merge, read from the record of
// mergeSide[1].slot: its picture, its six values and its skill icons. Closed only by its close
// button. OpenPetDetailView (ui/windows/Popups.h) opens it.

inline constexpr int kDetailWidth = 840;
inline constexpr int kDetailHeight = 544;

// The 14x17 box of the first digit of value 1..6 (attack, defence, stamina, magic, speed,
// growth in thousandths).
Rect DetailValuePlace(int value);
// The 70x70 place of skill 1.. (four to a row).
Rect DetailSkillPlace(int skill);

// The view's window definition, form name "detail".
platform::WindowForm PetDetailViewForm(AppState& app);

// Repaints the view; the skill icons are read from disk again.
void DrawPetDetailView(AppState& app);
