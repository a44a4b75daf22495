#include "odds/SlotReader.h"

#include <charconv>

#include "core/DataPaths.h"
#include "core/PetRecord.h"
#include "core/RosterStore.h"
#include "core/StoreFiles.h"
#include "core/TableSizes.h"
#include "core/Utf8Path.h"

std::optional<int> ParseSlotArgument(std::string_view text) {
  if (text.starts_with("slot:")) text.remove_prefix(5);
  int slot = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), slot);
  if (text.empty() || failure != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return slot;
}

std::optional<SlotPet> ReadSlotPet(const std::filesystem::path& folder, int slot, std::string& error) {
  const std::string name = "slot " + std::to_string(slot);
  if (!IsValidSlot(slot)) {
    error = "unknown slot " + std::to_string(slot) + " (slots are 1..15)";
    return std::nullopt;
  }
  std::error_code failure;
  const std::filesystem::path record = (folder / PathFromUtf8(RecordPath(slot))).lexically_normal();
  if (!std::filesystem::exists(record, failure)) {
    error = name + " holds no pet (no " + Utf8FromPath(record) + ")";
    return std::nullopt;
  }
  const FileBytes file = ReadRegularFile(Utf8FromPath(record), kMaxRecordBytes);
  switch (file.status) {
    case ReadStatus::Ok:
      break;
    case ReadStatus::NotRegular:
      error = name + ": damaged record (" + Utf8FromPath(record) + " is not a regular file)";
      return std::nullopt;
    case ReadStatus::TooLarge:
      error = name + ": damaged record (larger than " + std::to_string(kMaxRecordBytes / 1024) + " KiB)";
      return std::nullopt;
    case ReadStatus::Missing:
    case ReadStatus::Unreadable:
      error = name + ": the record cannot be read";
      return std::nullopt;
  }
  SlotPet pet;
  pet.slot = slot;
  pet.fields = SplitRecord(file.bytes);
  if (AreRecordFieldsDamaged(pet.fields)) {
    error = name + ": damaged record (a pet needs eight fields, at most " + std::to_string(kMaxRecordSkills) +
            " skills and a species 1..35)";
    return std::nullopt;
  }
  pet.certified = std::filesystem::exists(folder / PathFromUtf8(MarkerPath(slot)), failure);
  return pet;
}
