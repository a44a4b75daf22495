// Writes the fuzzer's seed images into a folder: the stored skinning library's stand-in, a
// library with exports, imports and relocations, a program image, and a library whose address
// table is its own library name.
// Usage: MakeLoaderSeeds FOLDER

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "loader/builder/ImageBuilder.h"
#include "loader/builder/StoredSkinLibraryImage.h"

namespace {

std::vector<std::uint8_t> FullLibrary(bool dll) {
  ImageLayout desc;
  desc.entryPoint = 0x1000;
  if (!dll) desc.characteristics = pe::kExecutableImage | pe::kMachine32Bit;
  std::vector<std::uint8_t> code = {0xB8, 0x01, 0x00, 0x00, 0x00, 0xC2, 0x0C, 0x00};
  PutU32(code, 0x10, desc.imageBase + 0x2000);
  desc.sections.push_back({".text", 0x1000, 0, code, pe::kSectionCode | pe::kSectionExecute | pe::kSectionRead});

  const EncodedImports imports =
      EncodeImportTable({{"KERNEL32.dll", {{"Sleep", 0}, {"", 1}}}, {"other.dll", {{"Add", 0}}}}, 0x2000);
  desc.sections.push_back({".idata", 0x2000, 0, imports.bytes});
  desc.directories[pe::kDirectoryImports] = {0x2000, imports.directorySize};

  const std::vector<std::uint8_t> exports = EncodeExportTable(
      {"seed.dll", 1, {0x1000, 0x1008, 0, 0x1010, 0x1018}, {{"Add", 0}, {"DllMain", 1}, {"Sleep", 3}}}, 0x3000);
  desc.sections.push_back({".edata", 0x3000, 0, exports});
  desc.directories[pe::kDirectoryExports] = {0x3000, static_cast<std::uint32_t>(exports.size())};

  const std::vector<std::uint8_t> relocations = EncodeRelocations({0x1010, 0x3004, 0x3008});
  desc.sections.push_back({".reloc", 0x4000, 0, relocations});
  desc.directories[pe::kDirectoryRelocations] = {0x4000, static_cast<std::uint32_t>(relocations.size())};
  return BuildImage(desc);
}

// The import descriptor's library name and address table are the last 8 bytes of the image: the
// name "\x07" ends at the zero inside the first entry (ordinal 7), the second entry (ordinal 263)
// has a zero byte too. Storing the first address overwrites the name's end; one mutated byte in
// the second entry then lets the name run off the image.
std::vector<std::uint8_t> NameInItsAddressTable() {
  // Small, so that the fuzzer's mutations often land on the table.
  ImageLayout desc;
  desc.sectionAlignment = 0x200;
  desc.entryPoint = 0x200;
  desc.sections.push_back({".text",
                           0x200,
                           0,
                           {0xB8, 0x01, 0x00, 0x00, 0x00, 0xC2, 0x0C, 0x00},
                           pe::kSectionCode | pe::kSectionExecute | pe::kSectionRead});
  std::vector<std::uint8_t> imports(0x200, 0);  // one file-alignment unit: the raw size
  constexpr std::uint32_t kTable = 0x400 + 0x200 - 8;
  PutU32(imports, pe::kImportName, kTable);
  PutU32(imports, pe::kImportAddressTable, kTable);
  PutU32(imports, 0x200 - 8, 0x80000007);
  PutU32(imports, 0x200 - 4, 0x80000107);
  desc.sections.push_back({".idata", 0x400, 0, imports});
  desc.directories[pe::kDirectoryImports] = {0x400, 2 * pe::kImportDescriptorSize};
  return BuildImage(desc);
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const bool ok = Write(folder + "/stored-skin-library", BuildStoredSkinLibraryImage()) &&
                  Write(folder + "/library", FullLibrary(true)) && Write(folder + "/program", FullLibrary(false)) &&
                  Write(folder + "/name-in-address-table", NameInItsAddressTable());
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write into %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
