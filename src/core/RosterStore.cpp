#include "core/RosterStore.h"

#include <string>

#include "core/DataPaths.h"
#include "core/PetRecord.h"
#include "core/StoreFiles.h"
#include "core/TableSizes.h"

namespace {

// Existence as the data folder means it: any entry of that name counts.
bool FileExists(const std::string& path) { return PathExists(path); }

}  // namespace

bool IsSlotOccupied(int slot) { return IsValidSlot(slot) && FileExists(RecordPath(slot)); }

bool IsSlotCertified(int slot) { return IsValidSlot(slot) && FileExists(MarkerPath(slot)); }

std::vector<int> ScanOccupiedSlots() {
  std::vector<int> slots;
  for (int slot = 1; slot <= kSlotCount; ++slot)
    if (IsSlotOccupied(slot)) slots.push_back(slot);
  return slots;
}

std::vector<std::string> ReadRecordFields(int slot) {
  if (!IsValidSlot(slot)) return {};
  // Anything but a regular file of bounded size reads as no fields: a damaged record.
  const FileBytes file = ReadRegularFile(RecordPath(slot), kMaxRecordBytes);
  if (file.status != ReadStatus::Ok) return {};
  return SplitRecord(file.bytes);
}

bool AreRecordFieldsDamaged(const std::vector<std::string>& fields) {
  if (fields.size() < static_cast<std::size_t>(kRecordFixedFields)) return true;
  if (fields.size() - kRecordFixedFields > static_cast<std::size_t>(kMaxRecordSkills)) return true;
  const int species = ParseRecordNumber(fields[0]);
  return !IsValidSpecies(species);
}

bool IsSlotDamaged(int slot) { return IsSlotOccupied(slot) && AreRecordFieldsDamaged(ReadRecordFields(slot)); }

bool WriteRecord(int slot, std::string_view text) {
  return IsValidSlot(slot) && ReplaceFileAtomically(RecordPath(slot), text);
}

bool DeleteRecord(int slot) { return IsValidSlot(slot) && RemoveDurably(RecordPath(slot)); }

bool WriteMarker(int slot, int skill) {
  return IsValidSlot(slot) && ReplaceFileAtomically(MarkerPath(slot), std::to_string(skill));
}

bool DeleteMarker(int slot) { return IsValidSlot(slot) && RemoveDurably(MarkerPath(slot)); }

void RemoveStaleTemporaryFiles() {
  for (int slot = 1; slot <= kSlotCount; ++slot) RemoveStaleTemporaryFilesIn(SlotFolderPath(slot));
}
