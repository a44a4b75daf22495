#include "loader/MapImage.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "loader/ImageBytes.h"
#include "loader/ImageHeaders.h"
#include "loader/PeLayout.h"

namespace {

constexpr std::uint64_t kMaxImageSize = std::numeric_limits<std::uint32_t>::max();

std::uint64_t RoundUp(std::uint64_t x, std::uint64_t a) { return a * ((x + a - 1) / a); }

// What mapping needs from the headers of the given bytes, all checked before anything is
// allocated.
struct ImageLayout {
  std::uint32_t nt = 0;
  std::uint16_t sectionCount = 0;
  std::uint16_t characteristics = 0;
  std::uint32_t entryPoint = 0;
  std::uint32_t imageBase = 0;
  std::uint64_t headersSize = 0;
  std::uint64_t imageSize = 0;
  DataDirectory imports;
  DataDirectory relocations;
};

std::uint64_t SectionHeaderAt(const ImageLayout& layout, std::uint32_t index) {
  return std::uint64_t{layout.nt} + pe::kNtHeadersSize + std::uint64_t{index} * pe::kSectionHeaderSize;
}

std::optional<ImageLayout> ReadLayout(std::span<const std::uint8_t> data) {
  const std::optional<std::uint32_t> nt = FindNtHeaders(data);
  if (!nt) return std::nullopt;
  ImageLayout layout;
  layout.nt = *nt;
  layout.characteristics = *ReadU16(data, *nt + pe::kNtCharacteristics);
  if ((layout.characteristics & pe::kExecutableImage) == 0) return std::nullopt;
  layout.sectionCount = *ReadU16(data, *nt + pe::kNtNumberOfSections);
  layout.headersSize = SectionHeaderAt(layout, layout.sectionCount);
  if (layout.headersSize > data.size()) return std::nullopt;

  layout.entryPoint = *ReadU32(data, *nt + pe::kNtEntryPoint);
  layout.imageBase = *ReadU32(data, *nt + pe::kNtImageBase);
  layout.imports = ReadDataDirectory(data, *nt, pe::kDirectoryImports);
  layout.relocations = ReadDataDirectory(data, *nt, pe::kDirectoryRelocations);

  // The image size covers the end of every section, rounded up to the section alignment.
  const std::uint32_t alignment = *ReadU32(data, *nt + pe::kNtSectionAlignment);
  if (alignment == 0) return std::nullopt;
  std::uint64_t imageSize = *ReadU32(data, *nt + pe::kNtSizeOfImage);
  for (std::uint32_t i = 0; i < layout.sectionCount; ++i) {
    const std::uint64_t header = SectionHeaderAt(layout, i);
    const std::uint32_t virtualAddress = *ReadU32(data, header + pe::kSectionVirtualAddress);
    const std::uint32_t virtualSize = *ReadU32(data, header + pe::kSectionVirtualSize);
    const std::uint32_t rawSize = *ReadU32(data, header + pe::kSectionRawSize);
    const std::uint64_t end = RoundUp(std::uint64_t{virtualAddress} + std::max(virtualSize, rawSize), alignment);
    imageSize = std::max(imageSize, end);
  }
  if (imageSize == 0 || imageSize > kMaxImageSize) return std::nullopt;
  // The headers are copied to the base, and the sections' bytes come from the given data.
  if (layout.headersSize > imageSize) return std::nullopt;
  for (std::uint32_t i = 0; i < layout.sectionCount; ++i) {
    const std::uint64_t header = SectionHeaderAt(layout, i);
    const std::uint32_t rawSize = *ReadU32(data, header + pe::kSectionRawSize);
    const std::uint32_t virtualAddress = *ReadU32(data, header + pe::kSectionVirtualAddress);
    const std::uint32_t rawPointer = *ReadU32(data, header + pe::kSectionRawPointer);
    if (rawSize == 0 || virtualAddress == 0) continue;
    if (!RangeFits(data.size(), rawPointer, rawSize)) return std::nullopt;
  }
  // A library's entry point is called: it must lie inside the image.
  if ((layout.characteristics & pe::kDll) != 0 && layout.entryPoint >= imageSize) {
    return std::nullopt;
  }
  layout.imageSize = imageSize;
  return layout;
}

void CopySections(std::span<const std::uint8_t> data, const ImageLayout& layout, std::uint8_t* base) {
  std::memcpy(base, data.data(), layout.headersSize);
  for (std::uint32_t i = 0; i < layout.sectionCount; ++i) {
    const std::uint64_t header = SectionHeaderAt(layout, i);
    const std::uint32_t rawSize = *ReadU32(data, header + pe::kSectionRawSize);
    const std::uint32_t virtualAddress = *ReadU32(data, header + pe::kSectionVirtualAddress);
    const std::uint32_t rawPointer = *ReadU32(data, header + pe::kSectionRawPointer);
    if (rawSize == 0 || virtualAddress == 0) continue;
    std::memcpy(base + virtualAddress, data.data() + rawPointer, rawSize);
  }
}

// Adds delta to every 32-bit absolute address the relocation blocks name. The walk ends at a
// block whose page RVA is 0 or at the end of the directory; a block that does not fit in the
// directory, or a target outside the image, fails.
bool ApplyRelocations(std::span<std::uint8_t> image, DataDirectory directory, std::uint32_t delta) {
  if (directory.size == 0) return true;
  const std::uint64_t end = std::uint64_t{directory.rva} + directory.size;
  if (end > image.size()) return false;
  std::uint64_t block = directory.rva;
  while (end - block >= pe::kRelocationBlockHeaderSize) {
    const std::uint32_t pageRva = *ReadU32(image, block);
    const std::uint32_t blockSize = *ReadU32(image, block + 4);
    if (pageRva == 0) break;
    if (blockSize < pe::kRelocationBlockHeaderSize || blockSize > end - block) return false;
    const std::uint32_t entries = (blockSize - pe::kRelocationBlockHeaderSize) / 2;
    for (std::uint32_t i = 0; i < entries; ++i) {
      const std::uint16_t entry = *ReadU16(image, block + pe::kRelocationBlockHeaderSize + 2 * std::uint64_t{i});
      if ((entry >> 12) != pe::kRelocationHighLow) continue;
      const std::uint64_t target = std::uint64_t{pageRva} + (entry & 0x0FFF);
      const std::optional<std::uint32_t> value = ReadU32(image, target);
      if (!value) return false;
      WriteU32(image, target, *value + delta);
    }
    block += blockSize;
  }
  return true;
}

// Fills every import address table from the resolver or else the host's module table.
bool ResolveImports(std::span<std::uint8_t> image, DataDirectory directory, const KernelServices& services,
                    MemoryModule::ImportResolver resolver, std::uintptr_t userValue) {
  if (directory.rva == 0) return true;
  for (std::uint64_t descriptor = directory.rva;; descriptor += pe::kImportDescriptorSize) {
    if (!RangeFits(image.size(), descriptor, pe::kImportDescriptorSize)) return false;
    const std::uint32_t table = *ReadU32(image, descriptor + pe::kImportAddressTable);
    if (table == 0) break;
    const std::uint32_t libraryRva = *ReadU32(image, descriptor + pe::kImportName);
    if (!ReadCString(image, libraryRva)) return false;

    for (std::uint64_t slot = table;; slot += 4) {
      const std::optional<std::uint32_t> entry = ReadU32(image, slot);
      if (!entry) return false;
      if (*entry == 0) break;
      // The name is read again for every entry: an address table that overlaps it may have
      // overwritten its terminating zero with the previous entry's address.
      const std::optional<std::string_view> library = ReadCString(image, libraryRva);
      if (!library) return false;
      const HostModule* hostModule = FindHostModule(services.hostModules, *library);
      const bool byOrdinal = (*entry & pe::kImportByOrdinal) != 0;
      const auto ordinal = static_cast<std::uint16_t>(*entry & 0xFFFF);
      std::string ordinalText;
      std::string_view name;
      if (byOrdinal) {
        ordinalText = std::to_string(ordinal);
        name = ordinalText;
      } else {
        const std::optional<std::string_view> found = ReadCString(image, std::uint64_t{*entry} + pe::kHintSize);
        if (!found) return false;
        name = *found;
      }

      std::uintptr_t address = 0;
      if (resolver != nullptr) address = resolver(library->data(), name.data(), userValue);
      if (address == 0 && hostModule != nullptr) {
        address = byOrdinal ? FindHostFunction(*hostModule, ordinal) : FindHostFunction(*hostModule, name);
      }
      if (address == 0 && services.systemImport) {
        address = services.systemImport(std::string(*library), byOrdinal ? std::string() : std::string(name),
                                        byOrdinal ? ordinal : 0);
      }
      // The table holds 32-bit addresses: one that does not fit cannot be stored.
      if (address == 0 || static_cast<std::uint64_t>(address) > kMaxImageSize) return false;
      WriteU32(image, slot, static_cast<std::uint32_t>(address));
    }
  }
  return true;
}

}  // namespace

std::optional<MappedImage> MapImage(std::span<const std::uint8_t> data, const KernelServices& services,
                                    MemoryModule::ImportResolver resolver, std::uintptr_t userValue) {
  const std::optional<ImageLayout> layout = ReadLayout(data);
  if (!layout) return std::nullopt;

  const auto size = static_cast<std::size_t>(layout->imageSize);
  std::uint8_t* base = nullptr;
  if (layout->imageBase != 0) base = services.allocate(layout->imageBase, size);
  if (base == nullptr) base = services.allocate(0, size);
  if (base == nullptr) return std::nullopt;
  const MappedImage mapped{base, size};
  const auto fail = [&]() -> std::optional<MappedImage> {
    services.release(base, size);
    return std::nullopt;
  };

  CopySections(data, *layout, base);
  const std::span<std::uint8_t> image(base, size);
  // Image addresses are 32-bit; the delta wraps the way the image's own arithmetic does.
  const auto delta = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(base)) - layout->imageBase;
  // Relocated addresses are 32-bit: an image placed where they cannot reach is refused, as an
  // import address that does not fit is.
  const bool below4Gb = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(base)) + size <= kMaxImageSize + 1;
  if (layout->relocations.size != 0 && !below4Gb) return fail();
  if (!ApplyRelocations(image, layout->relocations, delta)) return fail();
  if (!ResolveImports(image, layout->imports, services, resolver, userValue)) return fail();

  // A library without an entry point (RVA 0) has nothing to run: calling the base would execute
  // the headers.
  if ((layout->characteristics & pe::kDll) != 0 && layout->entryPoint != 0) {
    const std::uintptr_t entry = reinterpret_cast<std::uintptr_t>(base) + layout->entryPoint;
    const std::optional<std::uint32_t> attached = services.callEntryPoint(entry, 0, pe::kProcessAttach, 0);
    if (!attached) return fail();
    if (*attached == 0) {
      services.callEntryPoint(entry, 0, pe::kProcessDetach, 0);
      return fail();
    }
  }
  return mapped;
}

bool FreeImage(const MappedImage& image, const KernelServices& services) {
  const std::span<const std::uint8_t> bytes(image.base, image.size);
  const std::optional<std::uint32_t> nt = FindNtHeaders(bytes);
  if (!nt) return false;
  const std::uint16_t characteristics = *ReadU16(bytes, *nt + pe::kNtCharacteristics);
  const std::uint32_t entryPoint = *ReadU32(bytes, *nt + pe::kNtEntryPoint);
  if ((characteristics & pe::kDll) != 0 && entryPoint != 0 && entryPoint < image.size) {
    services.callEntryPoint(reinterpret_cast<std::uintptr_t>(image.base) + entryPoint, 0, pe::kProcessDetach, 0);
  }
  return services.release(image.base, image.size);
}

std::uintptr_t ImageEntryPoint(const MappedImage& image) {
  const std::span<const std::uint8_t> bytes(image.base, image.size);
  const std::optional<std::uint32_t> nt = FindNtHeaders(bytes);
  if (!nt) return 0;
  return reinterpret_cast<std::uintptr_t>(image.base) + *ReadU32(bytes, *nt + pe::kNtEntryPoint);
}
