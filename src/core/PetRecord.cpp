#include "core/PetRecord.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

std::vector<std::string> SplitRecord(std::string_view text) {
  if (const auto zero = text.find('\0'); zero != std::string_view::npos) text = text.substr(0, zero);
  std::vector<std::string> fields;
  if (text.empty()) return fields;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x80) {
      i += 2;  // the trail byte of a two-byte character is never a separator
      continue;
    }
    if (byte == '|') {
      fields.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
    ++i;
  }
  if (start < text.size()) fields.emplace_back(text.substr(start));
  return fields;
}

int ParseRecordNumber(std::string_view field) {
  std::size_t i = 0;
  auto isBlank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < field.size() && isBlank(field[i])) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    value = value * 10 + (field[i] - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) value = std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

double GrowthFromThousandths(int thousandths) {
  const float single = static_cast<float>(thousandths / 1000.0);
  return std::round(static_cast<double>(single) * 1000.0) / 1000.0;
}

namespace {
void AppendNumber(std::string& out, int value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}
}  // namespace

std::string FormatRecord(int species, std::span<const int, 5> aptitudes, int growth, std::span<const int> skills) {
  std::string out;
  out.reserve(48 + 4 * skills.size());
  AppendNumber(out, species);
  for (int aptitude : aptitudes) {
    out += '|';
    AppendNumber(out, aptitude);
  }
  out += '|';
  AppendNumber(out, growth);
  out += '|';
  AppendNumber(out, static_cast<int>(skills.size()));
  for (int skill : skills) {
    out += '|';
    AppendNumber(out, skill);
  }
  return out;
}

std::string FormatCopiedRecord(std::span<const std::string> storedFields, std::span<const int> skills) {
  std::string out;
  for (std::size_t k = 0; k < 7 && k < storedFields.size(); ++k) {
    out += storedFields[k];
    out += '|';
  }
  AppendNumber(out, static_cast<int>(skills.size()));
  for (int skill : skills) {
    out += '|';
    AppendNumber(out, skill);
  }
  return out;
}

std::vector<int> RecordSkills(std::span<const std::string> fields) {
  std::vector<int> skills;
  for (std::size_t j = kRecordFixedFields; j < fields.size(); ++j) skills.push_back(ParseRecordNumber(fields[j]));
  return skills;
}
