#pragma once

struct AppState;

// The four grids of skill icons the main window draws.
enum class SkillGrid {
  Wash,        // currentSkills over the wash tab's skill grid
  Book,        // currentSkills over the book panel's cells
  MergeSide1,  // mergeSide[1].skills on the left merge card
  MergeSide2,  // mergeSide[2].skills on the right merge card
};

// Composes the tab shown (app.tabState) on app.mainCanvas and presents it. Skill icons and digit
// glyphs are read from disk again. With another tabState the canvas is only cleared and the window
// keeps its last presented look. Without a current pet (currentSlot 0) the wash and book tabs
// show no values and no icons.
void RedrawMainWindow(AppState& app);

// The six values of a roster slot (1..15) in the wash panel's boxes; nothing for another slot.
void DrawSlotAptitudes(AppState& app, int slot);

// The six values of merge side 1 or 2 on its card; nothing for another side.
void DrawMergeAptitudes(AppState& app, int side);

// Reloads and draws the icons of a grid's skill list, four to a row; at most the first 15 skills
// (the icons there are). Icon objects beyond the list keep what they held and are not drawn.
void DrawSkillIcons(AppState& app, SkillGrid grid);
