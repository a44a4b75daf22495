#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>

#include "FakeKernel.h"
#include "TestImages.h"
#include "loader/MemoryModule.h"

namespace {

constexpr std::uint32_t kExportRva = 0x2000;
constexpr std::uint32_t kImageSize = 0x3000;
constexpr std::uint32_t kOutside = 0x00F00000;

// Ordinals 2..7 stand for function table entries 0..5; entry 2 is a hole, entry 5 lies outside
// the image.
const ExportTableLayout kExports = {
    "exports.dll",
    2,
    {0x1000, 0x1010, 0, 0x1030, 0x1040, kOutside},
    {{"05", 1}, {"Add", 0}, {"Attach", 1}, {"Hole", 2}, {"Twice", 2}, {"Twice", 3}, {"Ghost", 9}, {"Outside", 5}},
};

std::vector<std::uint8_t> ExportingImage(bool withExports = true) {
  ImageLayout desc = CodeDllLayout();
  std::vector<std::uint8_t> table = EncodeExportTable(kExports, kExportRva);
  const auto size = static_cast<std::uint32_t>(table.size());
  table.resize(0x1000, 0);
  desc.sections.push_back({".edata", kExportRva, 0, table});
  if (withExports) desc.directories[pe::kDirectoryExports] = {kExportRva, size};
  return BuildImage(desc);
}

struct ExportCase {
  std::string query;
  std::uint32_t expectedRva;  // 0: FindExport returns 0
};

void PrintTo(const ExportCase& c, std::ostream* os) { *os << '"' << c.query << '"'; }

class FindExportTest : public testing::TestWithParam<ExportCase> {
protected:
  FakeKernel kernel;
  MemoryModule module{kernel.Services()};
};

TEST_P(FindExportTest, FindsNamesExactlyAndDecimalOrdinals) {
  ASSERT_TRUE(module.Load(ExportingImage()));
  const ExportCase& c = GetParam();
  const std::uintptr_t expected = c.expectedRva == 0 ? 0 : module.BaseAddress() + c.expectedRva;
  EXPECT_EQ(module.FindExport(c.query), expected) << "FindExport(\"" << c.query << "\")";
}

INSTANTIATE_TEST_SUITE_P(Exports, FindExportTest,
                         testing::Values(ExportCase{"Add", 0x1000}, ExportCase{"Attach", 0x1010}, ExportCase{"add", 0},
                                         ExportCase{"ADD", 0}, ExportCase{"Ad", 0}, ExportCase{"Addx", 0},
                                         ExportCase{"Missing", 0}, ExportCase{"", 0},
                                         // Not the decimal writing of a number, so a name.
                                         ExportCase{"05", 0x1010},
                                         // An entry of 0 is no export: the walk goes on to the next equal name.
                                         ExportCase{"Hole", 0}, ExportCase{"Twice", 0x1030}, ExportCase{"Ghost", 0},
                                         ExportCase{"Outside", 0}, ExportCase{"2", 0x1000}, ExportCase{"5", 0x1030},
                                         ExportCase{"6", 0x1040}, ExportCase{"1", 0}, ExportCase{"4", 0},
                                         ExportCase{"7", 0}, ExportCase{"8", 0}, ExportCase{"0", 0},
                                         ExportCase{"-3", 0}, ExportCase{"4294967298", 0}),
                         [](const testing::TestParamInfo<ExportCase>& info) {
                           std::string name;
                           for (char ch : info.param.query)
                             name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                           return "Query_" + name + "_" + std::to_string(info.index);
                         });

TEST(FindExport, ReturnsZeroWhenNothingIsLoadedOrThereIsNoExportDirectory) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  EXPECT_EQ(module.FindExport("Add"), 0u);
  ASSERT_TRUE(module.Load(ExportingImage(false)));
  EXPECT_EQ(module.FindExport("Add"), 0u);
  EXPECT_EQ(module.FindExport("2"), 0u);
}

struct DamagedExports {
  std::string name;
  std::function<void(const MemoryModule&)> damage;  // changes the mapped image
  std::string query;
};

void PrintTo(const DamagedExports& c, std::ostream* os) { *os << c.name; }

class DamagedExportsTest : public testing::TestWithParam<DamagedExports> {};

constexpr std::uint32_t kExportDirectoryEntry =
    kBuiltNtOffset + pe::kNtDataDirectories + pe::kDataDirectorySize * pe::kDirectoryExports;

void SetDirectoryField(const MemoryModule& m, std::uint32_t field, std::uint32_t value) {
  SetMappedU32(m, kExportRva + field, value);
}

TEST_P(DamagedExportsTest, ReturnZeroWithoutReadingOutsideTheImage) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(ExportingImage()));
  ASSERT_NE(module.FindExport(GetParam().query), 0u) << "the undamaged table has the export";
  GetParam().damage(module);
  EXPECT_EQ(module.FindExport(GetParam().query), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Exports, DamagedExportsTest,
    testing::Values(
        DamagedExports{"DirectorySizeZero", [](const auto& m) { SetMappedU32(m, kExportDirectoryEntry + 4, 0); },
                       "Add"},
        DamagedExports{"DirectoryAcrossTheImageEnd",
                       [](const auto& m) { SetMappedU32(m, kExportDirectoryEntry, kImageSize - 20); }, "Add"},
        DamagedExports{"FunctionTableOutside",
                       [](const auto& m) { SetDirectoryField(m, pe::kExportFunctions, kOutside); }, "Add"},
        DamagedExports{"FunctionTableOutsideByOrdinal",
                       [](const auto& m) { SetDirectoryField(m, pe::kExportFunctions, kOutside); }, "2"},
        DamagedExports{"NameTableOutside", [](const auto& m) { SetDirectoryField(m, pe::kExportNames, kOutside); },
                       "Add"},
        DamagedExports{"NameOrdinalTableOutside",
                       [](const auto& m) { SetDirectoryField(m, pe::kExportNameOrdinals, kOutside); }, "Add"},
        DamagedExports{"NamesRunOffTheImage",
                       [](const auto& m) {
                         const std::uint32_t names = MappedU32(m, kExportRva + pe::kExportNames);
                         reinterpret_cast<std::uint8_t*>(m.BaseAddress())[kImageSize - 1] = 'x';
                         SetMappedU32(m, names, kImageSize - 1);
                       },
                       "Add"},
        DamagedExports{"NameOrdinalsRunOffTheImage",
                       [](const auto& m) { SetDirectoryField(m, pe::kExportNameOrdinals, kImageSize - 3); }, "Attach"}),
    [](const testing::TestParamInfo<DamagedExports>& info) { return info.param.name; });

TEST(FindExport, AHugeNameCountEndsAtTheImageEnd) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(ExportingImage()));
  SetMappedU32(module, kExportRva + pe::kExportNumberOfNames, 0xFFFFFFFF);
  SetMappedU32(module, kExportRva + pe::kExportNameOrdinals, kExportRva);  // any readable bytes
  EXPECT_EQ(module.FindExport("Missing"), 0u);
}

}  // namespace
