#pragma once

#include <string>

struct AppState;

// "第N号位置的宠物无法放生：它的数据文件无法删除".
std::string ReleaseFailedText(int slot);

struct ReleaseOutcome {
  bool released = false;        // false: the record could not be deleted; nothing changed
  int releasedSlot = 0;         // the slot whose head picture the caller disposes
  std::string newSpeciesText;   // field 1 of the new current pet's record as stored; empty
                                // when no pet is left (currentSlot is then 0)
};

// The file and state steps of releasing the current pet: deletes its Data.txt (rz.txt
// stays), rebuilds occupiedSlots, makes the lowest occupied slot current (0 when none is
// left) and sets rosterFollowsCurrent. Works on a damaged record too.
// The caller then, in this order: loads petPicture from PetPicturePath(newSpeciesText)
// (blank when empty), disposes rosterHeads[releasedSlot], sets the certification pictures
// from IsSlotCertified(currentSlot), refreshes the roster panel and redraws; on
// !released it only redraws. Without a current pet it shows a message and releases nothing;
// when the record cannot be deleted it shows ReleaseFailedText of the slot.
ReleaseOutcome ReleaseCurrentPet(AppState& state);
