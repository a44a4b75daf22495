#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "loader/PeLayout.h"

// Builds 32-bit Windows images (PE32) from a plain description: the stored stand-in for the
// skinning library, the loader's test images and the fuzzer's seeds. The file layout is fixed:
// a 64-byte DOS header, the NT headers at offset 64, the section table, then each section's
// bytes at the next multiple of the file alignment.

struct SectionLayout {
  std::string name;  // at most 8 bytes are stored
  std::uint32_t virtualAddress = 0;
  std::uint32_t virtualSize = 0;   // 0: the size of `data`
  std::vector<std::uint8_t> data;  // stored padded to the file alignment
  std::uint32_t characteristics = pe::kSectionInitializedData | pe::kSectionRead;
};

struct DirectoryLayout {
  std::uint32_t rva = 0;
  std::uint32_t size = 0;
};

struct ImageLayout {
  std::uint32_t imageBase = 0x10000000;
  std::uint32_t sectionAlignment = 0x1000;
  std::uint32_t fileAlignment = 0x200;
  std::uint16_t characteristics = pe::kExecutableImage | pe::kMachine32Bit | pe::kDll;
  std::uint32_t entryPoint = 0;   // RVA
  std::uint32_t sizeOfImage = 0;  // 0: the end of the last section, aligned
  std::array<DirectoryLayout, pe::kDataDirectoryCount> directories{};
  std::vector<SectionLayout> sections;
};

// Where the builder puts the NT headers in every image it makes.
inline constexpr std::uint32_t kBuiltNtOffset = 64;

// The file bytes of the described image.
std::vector<std::uint8_t> BuildImage(const ImageLayout& desc);

// An export directory with its tables and names, laid out to be placed at `rva`.
struct ExportName {
  std::string name;
  std::uint16_t functionIndex = 0;  // index into functionRvas
};
struct ExportTableLayout {
  std::string libraryName;
  std::uint32_t ordinalBase = 1;
  std::vector<std::uint32_t> functionRvas;  // 0 leaves a hole
  std::vector<ExportName> names;            // stored one after another, in this order
};
std::vector<std::uint8_t> EncodeExportTable(const ExportTableLayout& desc, std::uint32_t rva);

// Import descriptors and their tables, laid out to be placed at `rva`.
struct ImportedFunction {
  std::string name;  // empty: imported by ordinal
  std::uint16_t ordinal = 0;
};
struct ImportedLibrary {
  std::string name;
  std::vector<ImportedFunction> functions;
};
struct EncodedImports {
  std::vector<std::uint8_t> bytes;
  std::uint32_t directorySize = 0;                // the descriptors, terminator included
  std::vector<std::vector<std::uint32_t>> slots;  // RVA of each function's address table entry
};
EncodedImports EncodeImportTable(const std::vector<ImportedLibrary>& libraries, std::uint32_t rva);

// Base relocation blocks with one 32-bit absolute entry per RVA, one block per 4 KB page.
std::vector<std::uint8_t> EncodeRelocations(std::vector<std::uint32_t> rvas);

// Little-endian stores into built bytes (which grow as needed), for tables and for tests that
// damage an image on purpose.
void PutU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value);
void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);
