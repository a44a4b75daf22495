#include "loader/builder/StoredSkinLibraryImage.h"

#include "loader/builder/ImageBuilder.h"

std::vector<std::uint8_t> BuildStoredSkinLibraryImage() {
  ImageLayout desc;
  desc.entryPoint = 0x1000;
  // mov eax, 1 (TRUE); ret 12 (stdcall: the callee drops its three arguments)
  desc.sections.push_back({".text",
                           0x1000,
                           0,
                           {0xB8, 0x01, 0x00, 0x00, 0x00, 0xC2, 0x0C, 0x00},
                           pe::kSectionCode | pe::kSectionExecute | pe::kSectionRead});
  return BuildImage(desc);
}
