#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The pet record: one line "species|attack|defence|stamina|magic|speed|growth‰|n|skill1|..|skilln".

inline constexpr int kRecordFixedFields = 8;  // species .. n

// A record beyond these limits is damaged: no pet of the game comes near them, and a merge
// of two such records would cost time with the square of their skills.
inline constexpr std::size_t kMaxRecordBytes = 64 * 1024;
inline constexpr int kMaxRecordSkills = 1000;

// Splits a record text at "|": empty pieces count, a separator at the very end adds no
// piece, an empty text has no pieces. A byte >= 0x80 starts a two-byte (GBK) character
// whose second byte is never taken for a separator. The text ends at its first zero byte.
std::vector<std::string> SplitRecord(std::string_view text);

// Leading decimal integer of a field: leading blanks and one sign allowed, digits end at
// the first other character, no digits gives 0. Saturates at the 32-bit limits.
int ParseRecordNumber(std::string_view field);

// The skills of a record's fields: fields 9 onward (field 8, the count, is not read).
std::vector<int> RecordSkills(std::span<const std::string> fields);

// Growth in thousandths to the real held in memory: /1000 in double, to single precision,
// then rounded to 3 decimals with halves away from zero (1013 -> 1.013).
double GrowthFromThousandths(int thousandths);

// Record text of newly drawn values; n is skills.size().
std::string FormatRecord(int species, std::span<const int, 5> aptitudes, int growth, std::span<const int> skills);

// Record text that keeps the first seven stored fields exactly as they were and appends
// the skill count and the skills. `storedFields` must hold at least seven fields.
std::string FormatCopiedRecord(std::span<const std::string> storedFields, std::span<const int> skills);
