#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "FakeKernel.h"
#include "TestImages.h"
#include "loader/MemoryModule.h"

namespace {

constexpr std::size_t kNt = kBuiltNtOffset;
constexpr std::size_t kFirstSection = kNt + pe::kNtHeadersSize;

std::vector<std::uint8_t> ValidDll() { return BuildImage(CodeDllLayout()); }

struct RefusedImage {
  std::string name;
  std::function<void(std::vector<std::uint8_t>&)> damage;
};

void PrintTo(const RefusedImage& c, std::ostream* os) { *os << c.name; }

class RefusedImageTest : public testing::TestWithParam<RefusedImage> {};

TEST_P(RefusedImageTest, LoadFailsWithoutAllocating) {
  std::vector<std::uint8_t> image = ValidDll();
  GetParam().damage(image);
  FakeKernel kernel;
  MemoryModule module(kernel.Services());

  EXPECT_FALSE(module.Load(image));
  EXPECT_EQ(module.BaseAddress(), 0u);
  EXPECT_EQ(module.EntryPoint(), 0u);
  EXPECT_TRUE(kernel.requestedSizes.empty()) << "memory was requested for a refused image";
  EXPECT_TRUE(kernel.entryCalls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Headers, RefusedImageTest,
    testing::Values(
        RefusedImage{"Only63Bytes", [](auto& b) { b.resize(63); }},
        RefusedImage{"NoMzSignature", [](auto& b) { b[1] = 'X'; }},
        RefusedImage{"NtHeadersPastTheEnd", [](auto& b) { b.resize(kNt + pe::kNtHeadersSize - 1); }},
        RefusedImage{"HeaderOffsetPastTheEnd", [](auto& b) { PutU32(b, pe::kDosNtHeaderOffset, 0x10000); }},
        // An offset near 2^32 must not wrap around to a small one.
        RefusedImage{"HeaderOffsetThatWouldWrap", [](auto& b) { PutU32(b, pe::kDosNtHeaderOffset, 0xFFFFFFF0); }},
        RefusedImage{"NoPeSignature", [](auto& b) { b[kNt + 3] = 1; }},
        RefusedImage{"SectionTablePastTheEnd", [](auto& b) { b.resize(kFirstSection + pe::kSectionHeaderSize - 1); }},
        RefusedImage{"MoreSectionsThanTheDataHolds", [](auto& b) { PutU16(b, kNt + pe::kNtNumberOfSections, 200); }},
        RefusedImage{"NoExecutableImageBit",
                     [](auto& b) { PutU16(b, kNt + pe::kNtCharacteristics, pe::kDll | pe::kMachine32Bit); }},
        RefusedImage{"ImageSizeZero",
                     [](auto& b) {
                       PutU16(b, kNt + pe::kNtNumberOfSections, 0);
                       PutU32(b, kNt + pe::kNtSizeOfImage, 0);
                       PutU32(b, kNt + pe::kNtEntryPoint, 0);
                     }},
        RefusedImage{"SectionAlignmentZero", [](auto& b) { PutU32(b, kNt + pe::kNtSectionAlignment, 0); }},
        RefusedImage{"HeadersLargerThanTheImage",
                     [](auto& b) {
                       PutU16(b, kNt + pe::kNtNumberOfSections, 0);
                       PutU32(b, kNt + pe::kNtSizeOfImage, 0x100);
                       PutU32(b, kNt + pe::kNtEntryPoint, 0);
                     }},
        RefusedImage{"SectionDataPastTheEnd",
                     [](auto& b) {
                       PutU32(b, kFirstSection + pe::kSectionRawPointer, static_cast<std::uint32_t>(b.size()) - 4);
                     }},
        RefusedImage{"SectionBeyondFourGigabytes",
                     [](auto& b) { PutU32(b, kFirstSection + pe::kSectionVirtualAddress, 0xFFFFF000); }},
        RefusedImage{"EntryPointOutsideTheImage", [](auto& b) { PutU32(b, kNt + pe::kNtEntryPoint, 0x00100000); }}),
    [](const testing::TestParamInfo<RefusedImage>& info) { return info.param.name; });

TEST(HeaderChecks, TheUndamagedImageLoads) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(ValidDll()));
  EXPECT_NE(module.BaseAddress(), 0u);
  EXPECT_TRUE(module.Unload());
  EXPECT_EQ(kernel.allocations, 1);
  EXPECT_EQ(kernel.releases, 1);
}

TEST(HeaderChecks, AsksForThePreferredBaseFirstThenAnywhere) {
  ImageLayout desc = CodeDllLayout();
  desc.imageBase = 0x20000000;
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(BuildImage(desc)));
  EXPECT_EQ(kernel.requestedAddresses, (std::vector<std::uintptr_t>{0x20000000, 0}));
}

TEST(HeaderChecks, ARefusedReservationFailsTheLoad) {
  FakeKernel kernel;
  KernelServices services = kernel.Services();
  services.allocate = [&](std::uintptr_t address, std::size_t) -> std::uint8_t* {
    kernel.requestedAddresses.push_back(address);
    return nullptr;
  };
  MemoryModule module(services);
  EXPECT_FALSE(module.Load(ValidDll()));
  EXPECT_EQ(kernel.requestedAddresses.size(), 2u);
  EXPECT_TRUE(kernel.entryCalls.empty());
}

struct SizeCase {
  std::string name;
  std::uint32_t sizeOfImage;
  std::uint32_t alignment;
  std::uint32_t virtualAddress;
  std::uint32_t virtualSize;
  std::uint32_t rawSize;
  std::size_t expected;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class ImageSizeTest : public testing::TestWithParam<SizeCase> {};

// The image size is the header's, raised to the aligned end of every section.
TEST_P(ImageSizeTest, ReservesTheRaisedSize) {
  const SizeCase& c = GetParam();
  ImageLayout desc = CodeDllLayout();
  desc.sections[0].data.resize(0x400, 0x90);
  std::vector<std::uint8_t> image = BuildImage(desc);
  PutU32(image, kNt + pe::kNtSizeOfImage, c.sizeOfImage);
  PutU32(image, kNt + pe::kNtSectionAlignment, c.alignment);
  PutU32(image, kFirstSection + pe::kSectionVirtualAddress, c.virtualAddress);
  PutU32(image, kFirstSection + pe::kSectionVirtualSize, c.virtualSize);
  PutU32(image, kFirstSection + pe::kSectionRawSize, c.rawSize);
  PutU32(image, kNt + pe::kNtEntryPoint, c.virtualAddress);

  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(image));
  EXPECT_EQ(kernel.requestedSizes.back(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, ImageSizeTest,
    testing::Values(SizeCase{"HeaderSizeBeyondTheSections", 0x8000, 0x1000, 0x1000, 0x100, 0x200, 0x8000},
                    SizeCase{"VirtualSizeDecides", 0x2000, 0x1000, 0x1000, 0x1800, 0x200, 0x3000},
                    // The virtual size alone would end at 0x1200.
                    SizeCase{"RawSizeDecides", 0x1000, 0x200, 0x1000, 0x10, 0x400, 0x1400},
                    SizeCase{"EndOnAnAlignmentIsKept", 0x1000, 0x1000, 0x1000, 0x1000, 0x200, 0x2000},
                    SizeCase{"AlignmentNotAPowerOfTwo", 0x400, 0x300, 0x600, 0x10, 0x200, 0x900}),
    [](const testing::TestParamInfo<SizeCase>& info) { return info.param.name; });

TEST(HeaderChecks, CopiesHeadersAndSectionsAndLeavesTheRestZero) {
  ImageLayout desc = CodeDllLayout();
  desc.sections.push_back({".data", 0x2000, 0x1000, std::vector<std::uint8_t>(0x200, 0xAB),
                           pe::kSectionInitializedData | pe::kSectionRead | pe::kSectionWrite});
  desc.sections.push_back({".bss", 0x3000, 0x800, {}, pe::kSectionRead | pe::kSectionWrite});
  std::vector<std::uint8_t> image = BuildImage(desc);
  const std::size_t headers = kFirstSection + 3 * pe::kSectionHeaderSize;
  image[headers] = 0xEE;  // file padding after the section table

  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(image));
  const auto* base = reinterpret_cast<const std::uint8_t*>(module.BaseAddress());
  EXPECT_EQ(0, std::memcmp(base, image.data(), headers));
  EXPECT_EQ(base[headers], 0) << "only the headers proper are copied";
  EXPECT_EQ(0, std::memcmp(base + kTextRva, kReturnTrueCode.data(), kReturnTrueCode.size()));
  EXPECT_EQ(base[0x2000], 0xAB);
  EXPECT_EQ(base[0x21FF], 0xAB);
  EXPECT_EQ(base[0x2200], 0) << "memory past a section's raw data stays zero";
  EXPECT_EQ(base[0x3000], 0);
  EXPECT_EQ(kernel.requestedSizes.back(), 0x4000u);
}

TEST(HeaderChecks, ASectionAtAddressZeroIsNotCopied) {
  ImageLayout desc = CodeDllLayout();
  desc.sections.push_back({".zero", 0, 0x200, std::vector<std::uint8_t>(0x200, 0xCD)});
  const std::vector<std::uint8_t> image = BuildImage(desc);
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(image));
  const auto* base = reinterpret_cast<const std::uint8_t*>(module.BaseAddress());
  EXPECT_EQ(base[0], 'M') << "the headers must not be overwritten by the section's bytes";
  EXPECT_EQ(base[0x1FF], 0);
}

}  // namespace
