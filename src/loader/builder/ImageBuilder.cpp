#include "loader/builder/ImageBuilder.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace {

std::size_t RoundUp(std::size_t x, std::size_t a) { return a == 0 ? x : a * ((x + a - 1) / a); }

void Append(std::vector<std::uint8_t>& bytes, const std::string& text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
  bytes.push_back(0);
}

void PadTo(std::vector<std::uint8_t>& bytes, std::size_t multiple) { bytes.resize(RoundUp(bytes.size(), multiple), 0); }

}  // namespace

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value) {
  if (bytes.size() < offset + 2) bytes.resize(offset + 2, 0);
  bytes[offset] = static_cast<std::uint8_t>(value);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  PutU16(bytes, offset, static_cast<std::uint16_t>(value));
  PutU16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

std::vector<std::uint8_t> BuildImage(const ImageLayout& desc) {
  const std::size_t count = desc.sections.size();
  const std::size_t tableEnd = kBuiltNtOffset + pe::kNtHeadersSize + pe::kSectionHeaderSize * count;
  const std::size_t headersSize = RoundUp(tableEnd, desc.fileAlignment);
  std::vector<std::uint8_t> out(headersSize, 0);

  PutU16(out, 0, pe::kDosSignature);
  PutU32(out, pe::kDosNtHeaderOffset, kBuiltNtOffset);

  // Section bytes first, so that the headers can name their places and sizes.
  std::uint32_t sizeOfCode = 0, sizeOfData = 0, baseOfCode = 0, baseOfData = 0;
  std::size_t imageEnd = RoundUp(headersSize, desc.sectionAlignment);
  for (std::size_t i = 0; i < count; ++i) {
    const SectionLayout& section = desc.sections[i];
    const std::size_t rawSize = RoundUp(section.data.size(), desc.fileAlignment);
    const std::size_t rawPointer = section.data.empty() ? 0 : out.size();
    if (!section.data.empty()) {
      out.insert(out.end(), section.data.begin(), section.data.end());
      out.resize(rawPointer + rawSize, 0);
    }
    const std::uint32_t virtualSize =
        section.virtualSize != 0 ? section.virtualSize : static_cast<std::uint32_t>(section.data.size());
    const bool code = (section.characteristics & pe::kSectionCode) != 0;
    if (code) {
      sizeOfCode += static_cast<std::uint32_t>(rawSize);
      if (baseOfCode == 0) baseOfCode = section.virtualAddress;
    } else {
      sizeOfData += static_cast<std::uint32_t>(rawSize);
      if (baseOfData == 0) baseOfData = section.virtualAddress;
    }
    imageEnd = std::max(
        imageEnd, RoundUp(section.virtualAddress + std::max<std::size_t>(virtualSize, rawSize), desc.sectionAlignment));

    const std::size_t header = kBuiltNtOffset + pe::kNtHeadersSize + pe::kSectionHeaderSize * i;
    std::memcpy(out.data() + header + pe::kSectionName, section.name.data(),
                std::min<std::size_t>(section.name.size(), 8));
    PutU32(out, header + pe::kSectionVirtualSize, virtualSize);
    PutU32(out, header + pe::kSectionVirtualAddress, section.virtualAddress);
    PutU32(out, header + pe::kSectionRawSize, static_cast<std::uint32_t>(rawSize));
    PutU32(out, header + pe::kSectionRawPointer, static_cast<std::uint32_t>(rawPointer));
    PutU32(out, header + pe::kSectionCharacteristics, section.characteristics);
  }

  const std::size_t nt = kBuiltNtOffset;
  PutU32(out, nt, pe::kNtSignature);
  PutU16(out, nt + pe::kNtMachine, pe::kMachineI386);
  PutU16(out, nt + pe::kNtNumberOfSections, static_cast<std::uint16_t>(count));
  PutU16(out, nt + pe::kNtSizeOfOptionalHeader, pe::kOptionalHeaderSize);
  PutU16(out, nt + pe::kNtCharacteristics, desc.characteristics);
  PutU16(out, nt + pe::kNtOptionalMagic, pe::kOptionalMagicPe32);
  PutU32(out, nt + pe::kNtSizeOfCode, sizeOfCode);
  PutU32(out, nt + pe::kNtSizeOfInitializedData, sizeOfData);
  PutU32(out, nt + pe::kNtEntryPoint, desc.entryPoint);
  PutU32(out, nt + pe::kNtBaseOfCode, baseOfCode);
  PutU32(out, nt + pe::kNtBaseOfData, baseOfData);
  PutU32(out, nt + pe::kNtImageBase, desc.imageBase);
  PutU32(out, nt + pe::kNtSectionAlignment, desc.sectionAlignment);
  PutU32(out, nt + pe::kNtFileAlignment, desc.fileAlignment);
  PutU16(out, nt + pe::kNtMajorOsVersion, 4);
  PutU16(out, nt + pe::kNtMajorSubsystemVersion, 4);
  PutU32(out, nt + pe::kNtSizeOfImage, desc.sizeOfImage != 0 ? desc.sizeOfImage : static_cast<std::uint32_t>(imageEnd));
  PutU32(out, nt + pe::kNtSizeOfHeaders, static_cast<std::uint32_t>(headersSize));
  PutU16(out, nt + pe::kNtSubsystem, pe::kSubsystemWindowsGui);
  PutU32(out, nt + pe::kNtStackReserve, 0x100000);
  PutU32(out, nt + pe::kNtStackCommit, 0x1000);
  PutU32(out, nt + pe::kNtHeapReserve, 0x100000);
  PutU32(out, nt + pe::kNtHeapCommit, 0x1000);
  PutU32(out, nt + pe::kNtNumberOfDirectories, pe::kDataDirectoryCount);
  for (std::uint32_t d = 0; d < pe::kDataDirectoryCount; ++d) {
    const std::size_t at = nt + pe::kNtDataDirectories + pe::kDataDirectorySize * d;
    PutU32(out, at, desc.directories[d].rva);
    PutU32(out, at + 4, desc.directories[d].size);
  }
  return out;
}

std::vector<std::uint8_t> EncodeExportTable(const ExportTableLayout& desc, std::uint32_t rva) {
  const std::size_t functions = pe::kExportDirectorySize;
  const std::size_t namePointers = functions + 4 * desc.functionRvas.size();
  const std::size_t nameOrdinals = namePointers + 4 * desc.names.size();
  const std::size_t libraryName = nameOrdinals + 2 * desc.names.size();
  std::vector<std::uint8_t> out(libraryName, 0);
  Append(out, desc.libraryName);

  const auto at = [rva](std::size_t offset) { return rva + static_cast<std::uint32_t>(offset); };
  PutU32(out, pe::kExportName, at(libraryName));
  PutU32(out, pe::kExportOrdinalBase, desc.ordinalBase);
  PutU32(out, pe::kExportNumberOfFunctions, static_cast<std::uint32_t>(desc.functionRvas.size()));
  PutU32(out, pe::kExportNumberOfNames, static_cast<std::uint32_t>(desc.names.size()));
  PutU32(out, pe::kExportFunctions, at(functions));
  PutU32(out, pe::kExportNames, at(namePointers));
  PutU32(out, pe::kExportNameOrdinals, at(nameOrdinals));
  for (std::size_t i = 0; i < desc.functionRvas.size(); ++i) {
    PutU32(out, functions + 4 * i, desc.functionRvas[i]);
  }
  for (std::size_t i = 0; i < desc.names.size(); ++i) {
    PutU32(out, namePointers + 4 * i, at(out.size()));
    PutU16(out, nameOrdinals + 2 * i, desc.names[i].functionIndex);
    Append(out, desc.names[i].name);
  }
  return out;
}

EncodedImports EncodeImportTable(const std::vector<ImportedLibrary>& libraries, std::uint32_t rva) {
  EncodedImports result;
  std::vector<std::uint8_t>& out = result.bytes;
  const auto at = [rva](std::size_t offset) { return rva + static_cast<std::uint32_t>(offset); };
  result.directorySize = static_cast<std::uint32_t>(pe::kImportDescriptorSize * (libraries.size() + 1));
  out.resize(result.directorySize, 0);

  for (std::size_t l = 0; l < libraries.size(); ++l) {
    const ImportedLibrary& library = libraries[l];
    const std::size_t entries = 4 * (library.functions.size() + 1);
    const std::size_t lookupTable = out.size();
    const std::size_t addressTable = lookupTable + entries;
    out.resize(addressTable + entries, 0);
    const std::size_t name = out.size();
    Append(out, library.name);
    PadTo(out, 2);

    std::vector<std::uint32_t>& slots = result.slots.emplace_back();
    for (std::size_t f = 0; f < library.functions.size(); ++f) {
      const ImportedFunction& function = library.functions[f];
      std::uint32_t entry = pe::kImportByOrdinal | function.ordinal;
      if (!function.name.empty()) {
        entry = at(out.size());
        PutU16(out, out.size(), 0);  // hint
        Append(out, function.name);
        PadTo(out, 2);
      }
      PutU32(out, lookupTable + 4 * f, entry);
      PutU32(out, addressTable + 4 * f, entry);
      slots.push_back(at(addressTable + 4 * f));
    }
    const std::size_t descriptor = pe::kImportDescriptorSize * l;
    PutU32(out, descriptor + pe::kImportLookupTable, at(lookupTable));
    PutU32(out, descriptor + pe::kImportName, at(name));
    PutU32(out, descriptor + pe::kImportAddressTable, at(addressTable));
  }
  return result;
}

std::vector<std::uint8_t> EncodeRelocations(std::vector<std::uint32_t> rvas) {
  std::map<std::uint32_t, std::vector<std::uint16_t>> pages;
  std::ranges::sort(rvas);
  for (const std::uint32_t rva : rvas) {
    pages[rva & ~0xFFFu].push_back(static_cast<std::uint16_t>((pe::kRelocationHighLow << 12) | (rva & 0xFFF)));
  }
  std::vector<std::uint8_t> out;
  for (auto& [page, entries] : pages) {
    // Blocks stay 4-byte aligned with one padding entry, as linkers write them.
    if (entries.size() % 2 != 0) entries.push_back(pe::kRelocationAbsolute);
    const std::size_t block = out.size();
    PutU32(out, block, page);
    PutU32(out, block + 4, static_cast<std::uint32_t>(pe::kRelocationBlockHeaderSize + 2 * entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
      PutU16(out, block + pe::kRelocationBlockHeaderSize + 2 * i, entries[i]);
    }
  }
  return out;
}
