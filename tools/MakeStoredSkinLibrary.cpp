// Writes the C++ source that stores the skinning library's stand-in inside the program as a
// ByteConstant: a 32-bit 1, a 32-bit byte count, then the image bytes.
// Usage: MakeStoredSkinLibrary OUTPUT.cpp

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

#include "loader/builder/StoredSkinLibraryImage.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.cpp\n", argv[0]);
    return 2;
  }
  const std::vector<std::uint8_t> image = BuildStoredSkinLibraryImage();
  std::vector<std::uint8_t> blob = {1, 0, 0, 0};
  const auto count = static_cast<std::uint32_t>(image.size());
  for (int shift = 0; shift < 32; shift += 8) blob.push_back(static_cast<std::uint8_t>(count >> shift));
  blob.insert(blob.end(), image.begin(), image.end());

  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << "// Made at build time by MakeStoredSkinLibrary; not kept in the repository.\n"
         "#include \"loader/StoredSkinLibrary.h\"\n\n"
         "namespace {\n"
         "alignas(4) constexpr std::uint8_t kBlob[] = {";
  for (std::size_t i = 0; i < blob.size(); ++i) {
    out << (i % 16 == 0 ? "\n   " : "") << ' ' << static_cast<unsigned>(blob[i]) << ',';
  }
  out << "\n};\n}  // namespace\n\n"
         "ByteConstant StoredSkinLibrary() { return ByteConstant(kBlob, sizeof kBlob); }\n";
  out.close();
  if (!out) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
