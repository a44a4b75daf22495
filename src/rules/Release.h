#pragma once

#include <string>

struct AppState;

// "第N号位置的宠物无法放生：它的数据文件无法删除".
std::string ReleaseFailedText(int slot);

// What a release did.
struct ReleaseOutcome {
  bool released = false;       // false: the record could not be deleted; nothing changed
  int releasedSlot = 0;        // the slot that was freed
  std::string newSpeciesText;  // field 1 of the new current pet's record as stored; empty
                               // when no pet is left (currentSlot is then 0)
};

// Releases the current pet, once its button's release has been taken (the button's handler
// checks the tab and the cursor and puts the button's picture at rest first). In order: deletes
// its Data.txt (rz.txt stays), rebuilds occupiedSlots, loads the picture of the lowest occupied
// slot's species, drops the released slot's roster head, makes that slot current (0 when none is
// left), sets the certification look from its marker, lets the roster panel follow it and
// redraws the main window. Works on a damaged record too. Without a current pet it shows a
// message and releases nothing; when the record cannot be deleted it shows ReleaseFailedText of
// the slot; either way it then only redraws.
ReleaseOutcome ReleasePet(AppState& app);
