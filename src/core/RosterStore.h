#pragma once

#include <string>
#include <string_view>
#include <vector>

// The roster on disk: one folder per slot 1..15 holding the record Data.txt and the
// certification marker rz.txt. Writers replace a file atomically: a temporary file in the
// same folder, flushed to disk, renamed over the target, then the folder flushed; on any
// failure the old file stays as it was and the temporary file is removed (core/StoreFiles.h).
// Operations that change two files at once are in core/RosterTransactions.h.

// The slot holds a pet: its Data.txt exists (whatever it holds).
bool IsSlotOccupied(int slot);
// The slot's pet is certified: its rz.txt exists.
bool IsSlotCertified(int slot);
// Occupied slots among 1..15, ascending.
std::vector<int> ScanOccupiedSlots();
// The slot's record split into fields; a missing or unreadable file, one that is not a
// regular file and one over kMaxRecordBytes give no fields.
std::vector<std::string> ReadRecordFields(int slot);
// Fields that cannot make a pet: fewer than eight, more than kMaxRecordSkills skills, or a
// species outside 1..35.
bool AreRecordFieldsDamaged(const std::vector<std::string>& fields);
// The slot's Data.txt exists but cannot be loaded as a pet.
bool IsSlotDamaged(int slot);

// Replaces the slot's Data.txt with exactly these bytes; false (old file untouched) on failure.
bool WriteRecord(int slot, std::string_view text);
// Removes the slot's Data.txt; false when it could not be removed (or did not exist).
bool DeleteRecord(int slot);
// Replaces the slot's rz.txt with the skill in decimal.
bool WriteMarker(int slot, int skill);
// Removes the slot's rz.txt.
bool DeleteMarker(int slot);
// Removes the temporary files that programs no longer running left in the slot folders.
void RemoveStaleTemporaryFiles();
