#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "FakeKernel.h"
#include "TestImages.h"
#include "loader/MemoryModule.h"

namespace {

constexpr std::uint32_t kImageBase = 0x10000000;
constexpr std::uint32_t kDataRva = 0x2000;
constexpr std::uint32_t kRelocRva = 0x3000;
constexpr std::uint32_t kUntouched1 = 0x11111111;
constexpr std::uint32_t kUntouched2 = 0x22222222;

// One relocation block; its size field is the true size unless given.
std::vector<std::uint8_t> Block(std::uint32_t page, std::vector<std::uint16_t> entries,
                                std::optional<std::uint32_t> size = std::nullopt) {
  std::vector<std::uint8_t> out;
  PutU32(out, 0, page);
  PutU32(out, 4, size.value_or(static_cast<std::uint32_t>(8 + 2 * entries.size())));
  for (std::size_t i = 0; i < entries.size(); ++i) PutU16(out, 8 + 2 * i, entries[i]);
  return out;
}

std::vector<std::uint8_t> Join(std::vector<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// Code that holds one absolute address at .text + 0x10, data that holds two more and two plain
// values, and the given relocation bytes (directory size 0: all of them).
std::vector<std::uint8_t> RelocatedImage(std::vector<std::uint8_t> relocations, std::uint32_t directorySize = 0) {
  std::vector<std::uint8_t> code = kReturnTrueCode;
  PutU32(code, 0x10, kImageBase + kDataRva);
  ImageLayout desc = CodeDllLayout(code);
  desc.imageBase = kImageBase;
  std::vector<std::uint8_t> data;
  PutU32(data, 0, kImageBase + kTextRva);
  PutU32(data, 4, kImageBase + kDataRva + 4);
  PutU32(data, 8, kUntouched1);
  PutU32(data, 12, kUntouched2);
  desc.sections.push_back({".data", kDataRva, 0, data});
  const auto size = static_cast<std::uint32_t>(relocations.size());
  desc.sections.push_back({".reloc", kRelocRva, 0, std::move(relocations)});
  desc.directories[pe::kDirectoryRelocations] = {kRelocRva, directorySize != 0 ? directorySize : size};
  return BuildImage(desc);
}

TEST(Relocations, AddTheDeltaToEveryAbsoluteAddress) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(RelocatedImage(EncodeRelocations({0x2004, 0x1010, 0x2000}))));
  const std::uint32_t base = Base32(module);
  ASSERT_NE(base, kImageBase) << "the test needs a non-zero delta";

  EXPECT_EQ(MappedU32(module, 0x1010), base + kDataRva);
  EXPECT_EQ(MappedU32(module, 0x2000), base + kTextRva);
  EXPECT_EQ(MappedU32(module, 0x2004), base + kDataRva + 4);
  EXPECT_EQ(MappedU32(module, 0x2008), kUntouched1);
  EXPECT_EQ(MappedU32(module, 0x200C), kUntouched2);
}

struct WalkCase {
  std::string name;
  std::vector<std::uint8_t> relocations;
  std::uint32_t directorySize;  // 0: all of the relocation bytes
  bool secondRelocated;         // whether the value at data + 4 received the delta
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

class RelocationWalkTest : public testing::TestWithParam<WalkCase> {};

TEST_P(RelocationWalkTest, AppliesOnlyWhatTheWalkReaches) {
  const WalkCase& c = GetParam();
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(RelocatedImage(c.relocations, c.directorySize)));
  const std::uint32_t base = Base32(module);
  EXPECT_EQ(MappedU32(module, 0x2000), base + kTextRva);
  EXPECT_EQ(MappedU32(module, 0x2004), c.secondRelocated ? base + kDataRva + 4 : kImageBase + kDataRva + 4);
  EXPECT_EQ(MappedU32(module, 0x2008), kUntouched1);
  EXPECT_EQ(MappedU32(module, 0x200C), kUntouched2);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, RelocationWalkTest,
    testing::Values(WalkCase{"TwoBlocks", Join({Block(0x2000, {0x3000}), Block(0x2000, {0x3004})}), 0, true},
                    // Padding (type 0), 16-bit high halves (type 1) and 64-bit entries (type 10) are skipped.
                    WalkCase{"OtherTypesSkipped", Block(0x2000, {0x0008, 0x1008, 0xA00C, 0x3000}), 0, false},
                    WalkCase{"PageZeroEndsTheWalk",
                             Join({Block(0x2000, {0x3000}), Block(0, {}), Block(0x2000, {0x3004})}), 0, false},
                    // What follows the directory is other data, not more blocks.
                    WalkCase{"DirectoryEndEndsTheWalk", Join({Block(0x2000, {0x3000}), Block(0x2000, {0x3004})}), 10,
                             false},
                    WalkCase{"OddBlockSizeUsesWholeEntries", Block(0x2000, {0x3000, 0x3004}, 11), 0, false}),
    [](const testing::TestParamInfo<WalkCase>& info) { return info.param.name; });

struct BadRelocations {
  std::string name;
  std::vector<std::uint8_t> relocations;
  std::uint32_t directorySize;
};

void PrintTo(const BadRelocations& c, std::ostream* os) { *os << c.name; }

class BadRelocationsTest : public testing::TestWithParam<BadRelocations> {};

TEST_P(BadRelocationsTest, FailTheLoadAndReleaseTheMemory) {
  const BadRelocations& c = GetParam();
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  EXPECT_FALSE(module.Load(RelocatedImage(c.relocations, c.directorySize)));
  EXPECT_EQ(module.BaseAddress(), 0u);
  EXPECT_EQ(kernel.allocations, 1);
  EXPECT_EQ(kernel.releases, 1);
  EXPECT_TRUE(kernel.live.empty());
  EXPECT_TRUE(kernel.entryCalls.empty()) << "the entry point ran in a half-mapped image";
}

INSTANTIATE_TEST_SUITE_P(Blocks, BadRelocationsTest,
                         testing::Values(
                             // A block size of 0 would otherwise never move the walk on.
                             BadRelocations{"BlockSizeZero", Block(0x2000, {0x3000, 0}, 0), 0},
                             BadRelocations{"BlockSizeBelowItsHeader", Block(0x2000, {0x3000}, 6), 0},
                             BadRelocations{"BlockLongerThanTheDirectory", Block(0x2000, {0x3000}, 0x100), 0},
                             BadRelocations{"TargetPastTheImage", Block(0x7000, {0x3FF0}), 0},
                             BadRelocations{"TargetAcrossTheImageEnd", Block(0x3000, {0x3FFE}), 0},
                             BadRelocations{"DirectoryPastTheImage", EncodeRelocations({0x2000}), 0x10000}),
                         [](const testing::TestParamInfo<BadRelocations>& info) { return info.param.name; });

#if UINTPTR_MAX > 0xFFFFFFFF
// The image's addresses are 32-bit: a base above 4 GB cannot be written into them.
TEST(Relocations, AnImagePlacedAboveFourGbFailsInsteadOfTruncating) {
  FakeKernel kernel;
  kernel.aboveFourGb = true;
  MemoryModule module(kernel.Services());
  EXPECT_FALSE(module.Load(RelocatedImage(EncodeRelocations({0x2004, 0x1010, 0x2000}))));
  ASSERT_EQ(kernel.allocations, 1) << "this host gave no memory above 4 GB";
  EXPECT_EQ(kernel.releases, 1);
  EXPECT_TRUE(kernel.live.empty());
  EXPECT_TRUE(kernel.entryCalls.empty());
}
#endif

}  // namespace
