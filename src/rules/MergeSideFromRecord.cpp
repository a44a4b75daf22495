#include "rules/MergeSideFromRecord.h"

#include "core/PetRecord.h"

MergeSide MergeSideFromRecord(int slot, std::span<const std::string> fields) {
  const auto number = [&fields](std::size_t i) { return i < fields.size() ? ParseRecordNumber(fields[i]) : 0; };
  MergeSide side;
  side.slot = slot;
  side.species = number(0);
  for (std::size_t k = 1; k <= 5; ++k) side.aptitudes[k] = number(k);
  side.aptitudes[6] = GrowthFromThousandths(number(6));
  side.skills = RecordSkills(fields);
  return side;
}
