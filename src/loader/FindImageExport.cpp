#include <charconv>
#include <string>

#include "loader/ImageBytes.h"
#include "loader/ImageHeaders.h"
#include "loader/MapImage.h"
#include "loader/PeLayout.h"

namespace {

// The number a name stands for when writing that number in decimal gives the name back
// ("5", "-3"; not "05", "+5" or " 5").
std::optional<std::int32_t> DecimalOrdinal(std::string_view name) {
  std::int32_t value = 0;
  const char* end = name.data() + name.size();
  const auto [stop, error] = std::from_chars(name.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  if (std::to_string(value) != name) return std::nullopt;
  return value;
}

}  // namespace

std::uintptr_t FindImageExport(const MappedImage& mapped, std::string_view name) {
  const std::span<const std::uint8_t> image(mapped.base, mapped.size);
  const std::optional<std::uint32_t> nt = FindNtHeaders(image);
  if (!nt) return 0;
  const DataDirectory directory = ReadDataDirectory(image, *nt, pe::kDirectoryExports);
  if (directory.size == 0) return 0;
  const std::uint64_t at = directory.rva;
  if (!RangeFits(image.size(), at, pe::kExportDirectorySize)) return 0;
  const std::uint32_t ordinalBase = *ReadU32(image, at + pe::kExportOrdinalBase);
  const std::uint32_t functionCount = *ReadU32(image, at + pe::kExportNumberOfFunctions);
  const std::uint32_t nameCount = *ReadU32(image, at + pe::kExportNumberOfNames);
  const std::uint32_t functions = *ReadU32(image, at + pe::kExportFunctions);
  const std::uint32_t names = *ReadU32(image, at + pe::kExportNames);
  const std::uint32_t nameOrdinals = *ReadU32(image, at + pe::kExportNameOrdinals);

  // The function at that index, when the table holds one there that lies inside the image.
  const auto functionAt = [&](std::int64_t index) -> std::uintptr_t {
    if (index < 0 || index >= std::int64_t{functionCount}) return 0;
    const std::optional<std::uint32_t> rva =
        ReadU32(image, std::uint64_t{functions} + 4 * static_cast<std::uint64_t>(index));
    if (!rva || *rva == 0 || *rva >= image.size()) return 0;
    return reinterpret_cast<std::uintptr_t>(mapped.base) + *rva;
  };

  if (const std::optional<std::int32_t> ordinal = DecimalOrdinal(name)) {
    return functionAt(std::int64_t{*ordinal} - ordinalBase);
  }

  // The names are stored one after another, starting at the first entry of the name table.
  if (nameCount == 0) return 0;
  const std::optional<std::uint32_t> first = ReadU32(image, names);
  if (!first) return 0;
  std::uint64_t text = *first;
  for (std::uint64_t i = 0; i < nameCount; ++i) {
    const std::optional<std::string_view> exported = ReadCString(image, text);
    if (!exported) return 0;
    const std::optional<std::uint16_t> index = ReadU16(image, std::uint64_t{nameOrdinals} + 2 * i);
    if (!index) return 0;
    if (*exported == name) {
      if (const std::uintptr_t address = functionAt(*index)) return address;
    }
    text += exported->size() + 1;
  }
  return 0;
}
