#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "FakeKernel.h"
#include "TestImages.h"
#include "loader/MemoryModule.h"

namespace {

constexpr std::uint32_t kImportRva = 0x2000;
constexpr std::uint32_t kImportSectionSize = 0x1000;  // the import section ends the image

const std::vector<ImportedLibrary> kLibraries = {
    {"KERNEL32.dll", {{"Sleep", 0}, {"", 7}}},
    {"USER32.dll", {{"MessageBoxA", 0}}},
};

struct Built {
  std::vector<std::uint8_t> bytes;
  EncodedImports imports;
  std::size_t importFileOffset = 0;  // where the import section's bytes are in the file
};

Built ImportingImage(const std::vector<ImportedLibrary>& libraries = kLibraries) {
  Built built;
  built.imports = EncodeImportTable(libraries, kImportRva);
  std::vector<std::uint8_t> section = built.imports.bytes;
  section.resize(kImportSectionSize, 0);
  ImageLayout desc = CodeDllLayout();
  desc.sections.push_back(
      {".idata", kImportRva, 0, section, pe::kSectionInitializedData | pe::kSectionRead | pe::kSectionWrite});
  desc.directories[pe::kDirectoryImports] = {kImportRva, built.imports.directorySize};
  built.bytes = BuildImage(desc);
  const std::size_t header = kBuiltNtOffset + pe::kNtHeadersSize + pe::kSectionHeaderSize;
  built.importFileOffset =
      built.bytes[header + pe::kSectionRawPointer] | (built.bytes[header + pe::kSectionRawPointer + 1] << 8);
  return built;
}

struct ResolverLog {
  struct Call {
    std::string library;
    std::string function;
    std::uintptr_t userValue;
    std::uintptr_t libraryAddress;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> calls;
  std::map<std::string, std::uintptr_t> answers;  // by function name; others get 0
};

std::uintptr_t LoggingResolver(const char* library, const char* function, std::uintptr_t userValue) {
  auto* log = reinterpret_cast<ResolverLog*>(userValue);
  log->calls.push_back({library, function, userValue, reinterpret_cast<std::uintptr_t>(library)});
  const auto found = log->answers.find(function);
  return found == log->answers.end() ? 0 : found->second;
}

std::uintptr_t Slot(const Built& built, std::size_t library, std::size_t function) {
  return built.imports.slots[library][function];
}

TEST(Imports, ByNameAndByOrdinalThroughTheResolver) {
  const Built built = ImportingImage();
  ResolverLog log;
  log.answers = {{"Sleep", 0x1111}, {"7", 0x2222}, {"MessageBoxA", 0x3333}};
  const auto user = reinterpret_cast<std::uintptr_t>(&log);
  FakeKernel kernel;
  MemoryModule module(kernel.Services());

  ASSERT_TRUE(module.Load(built.bytes, LoggingResolver, user));
  ASSERT_EQ(log.calls.size(), 3u);
  EXPECT_EQ(log.calls[0].library, "KERNEL32.dll");
  EXPECT_EQ(log.calls[0].function, "Sleep");
  EXPECT_EQ(log.calls[1].function, "7") << "an ordinal reaches the resolver written in decimal";
  EXPECT_EQ(log.calls[2].library, "USER32.dll");
  EXPECT_EQ(log.calls[2].function, "MessageBoxA");
  for (const ResolverLog::Call& call : log.calls) {
    EXPECT_EQ(call.userValue, user);
    EXPECT_GE(call.libraryAddress, module.BaseAddress()) << "names are read inside the image";
    EXPECT_LT(call.libraryAddress, module.BaseAddress() + 0x3000);
  }
  EXPECT_EQ(MappedU32(module, Slot(built, 0, 0)), 0x1111u);
  EXPECT_EQ(MappedU32(module, Slot(built, 0, 1)), 0x2222u);
  EXPECT_EQ(MappedU32(module, Slot(built, 1, 0)), 0x3333u);
}

struct LookupCase {
  std::string name;
  bool withResolver;  // the resolver answers MessageBoxA only
  HostModuleTable hostModules;
  bool loads;
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.name; }

class HostLookupTest : public testing::TestWithParam<LookupCase> {};

TEST_P(HostLookupTest, FallsBackToTheHostModuleTable) {
  const LookupCase& c = GetParam();
  const Built built = ImportingImage();
  ResolverLog log;
  log.answers = {{"MessageBoxA", 0x3333}};
  FakeKernel kernel;
  kernel.hostModules = c.hostModules;
  MemoryModule module(kernel.Services());

  const bool loaded = c.withResolver ? module.Load(built.bytes, LoggingResolver, reinterpret_cast<std::uintptr_t>(&log))
                                     : module.Load(built.bytes);
  ASSERT_EQ(loaded, c.loads);
  if (loaded) {
    EXPECT_EQ(MappedU32(module, Slot(built, 0, 0)), 0x4444u);
    EXPECT_EQ(MappedU32(module, Slot(built, 0, 1)), 0x5555u);
    EXPECT_EQ(MappedU32(module, Slot(built, 1, 0)), 0x3333u);
  } else {
    EXPECT_EQ(module.BaseAddress(), 0u);
    EXPECT_EQ(kernel.allocations, 1);
    EXPECT_EQ(kernel.releases, 1);
    EXPECT_TRUE(kernel.entryCalls.empty());
  }
}

const HostModule kKernel32 = {"kernel32.DLL", {{"Sleep", 0, 0x4444}, {"", 7, 0x5555}}};
const HostModule kUser32 = {"USER32.dll", {{"MessageBoxA", 0, 0x3333}}};

INSTANTIATE_TEST_SUITE_P(
    Imports, HostLookupTest,
    testing::Values(
        // Library names are matched without regard to ASCII case, function names exactly.
        LookupCase{"ResolverDeclines", true, {kKernel32}, true},
        LookupCase{"NoResolver", false, {kKernel32, kUser32}, true},
        LookupCase{"UnknownLibrary", false, {kKernel32}, false}, LookupCase{"EmptyTable", true, {}, false},
        LookupCase{"FunctionNameCaseDiffers", true, {{"KERNEL32.dll", {{"sleep", 0, 0x4444}, {"", 7, 0x5555}}}}, false},
        LookupCase{"OrdinalMissing", true, {{"KERNEL32.dll", {{"Sleep", 0, 0x4444}}}}, false}),
    [](const testing::TestParamInfo<LookupCase>& info) { return info.param.name; });

#if UINTPTR_MAX > 0xFFFFFFFF
// On a 64-bit host an address may not fit into the image's 32-bit tables.
TEST(Imports, AnAddressTooWideForTheTableFailsTheLoad) {
  const Built built = ImportingImage();
  ResolverLog log;
  const std::uint64_t wide = std::uint64_t{1} << 32;
  log.answers = {{"Sleep", static_cast<std::uintptr_t>(wide | 0x1111)}, {"7", 0x2222}, {"MessageBoxA", 0x3333}};
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  EXPECT_FALSE(module.Load(built.bytes, LoggingResolver, reinterpret_cast<std::uintptr_t>(&log)));
  EXPECT_EQ(kernel.releases, 1);
}
#endif

std::uintptr_t AlwaysResolves(const char*, const char*, std::uintptr_t) { return 0x1234; }

struct BadImports {
  std::string name;
  std::function<void(Built&)> damage;
};

void PrintTo(const BadImports& c, std::ostream* os) { *os << c.name; }

// Writes into the import section of the file, at an offset from the section's start.
void PutInSection(Built& built, std::uint32_t offset, std::uint32_t value) {
  PutU32(built.bytes, built.importFileOffset + offset, value);
}

class BadImportsTest : public testing::TestWithParam<BadImports> {};

TEST_P(BadImportsTest, FailTheLoadAndReleaseTheMemory) {
  Built built = ImportingImage();
  GetParam().damage(built);
  FakeKernel kernel;
  MemoryModule module(kernel.Services());

  EXPECT_FALSE(module.Load(built.bytes, AlwaysResolves));
  EXPECT_EQ(kernel.allocations, 1);
  EXPECT_EQ(kernel.releases, 1);
  EXPECT_TRUE(kernel.entryCalls.empty());
}

constexpr std::uint32_t kImageEnd = kImportRva + kImportSectionSize;
constexpr std::uint32_t kFar = 0x00F00000;  // far beyond the image
constexpr std::uint32_t kLastByte = kImportSectionSize - 1;

std::uint32_t FirstSlot(const Built& built) { return built.imports.slots[0][0] - kImportRva; }

INSTANTIATE_TEST_SUITE_P(
    Imports, BadImportsTest,
    testing::Values(BadImports{"DescriptorPastTheImage",
                               [](Built& b) {
                                 PutU32(b.bytes,
                                        kBuiltNtOffset + pe::kNtDataDirectories +
                                            pe::kDataDirectorySize * pe::kDirectoryImports,
                                        kImageEnd - 10);
                               }},
                    BadImports{"LibraryNameOutsideTheImage", [](Built& b) { PutInSection(b, pe::kImportName, kFar); }},
                    BadImports{"LibraryNameRunsOffTheImage",
                               [](Built& b) {
                                 b.bytes[b.importFileOffset + kLastByte] = 'x';
                                 PutInSection(b, pe::kImportName, kImportRva + kLastByte);
                               }},
                    BadImports{"AddressTableOutsideTheImage",
                               [](Built& b) { PutInSection(b, pe::kImportAddressTable, kFar); }},
                    // One entry fits; the walk for the next one reaches the end of the image.
                    BadImports{"AddressTableRunsOffTheImage",
                               [](Built& b) {
                                 PutInSection(b, kImportSectionSize - 4, 0x80000001);
                                 PutInSection(b, pe::kImportAddressTable, kImageEnd - 4);
                               }},
                    BadImports{"HintNameOutsideTheImage", [](Built& b) { PutInSection(b, FirstSlot(b), kFar); }},
                    BadImports{"FunctionNameRunsOffTheImage",
                               [](Built& b) {
                                 b.bytes[b.importFileOffset + kLastByte] = 'x';
                                 PutInSection(b, FirstSlot(b), kImportRva + kLastByte - pe::kHintSize);
                               }}),
    [](const testing::TestParamInfo<BadImports>& info) { return info.param.name; });

// The first descriptor's address table ends the image and its library name is the table itself:
// "\x07" ended by the zero in the first entry (import by ordinal 7). Storing the first address
// (no zero byte) overwrites that zero, and the second entry (ordinal 263, no zero byte either)
// does not end the name, which now runs off the image.
TEST(Imports, ANameOverwrittenByItsOwnAddressTableFailsBeforeTheResolverReadsIt) {
  Built built = ImportingImage();
  constexpr std::uint32_t kTable = kImportSectionSize - 8;
  PutInSection(built, kTable, 0x80000007);
  PutInSection(built, kTable + 4, 0xFFFF0107);
  PutInSection(built, pe::kImportName, kImportRva + kTable);
  PutInSection(built, pe::kImportAddressTable, kImportRva + kTable);
  ResolverLog log;
  log.answers = {{"7", 0x41414141}, {"263", 0x42424242}};
  FakeKernel kernel;
  MemoryModule module(kernel.Services());

  EXPECT_FALSE(module.Load(built.bytes, LoggingResolver, reinterpret_cast<std::uintptr_t>(&log)));
  ASSERT_EQ(log.calls.size(), 1u) << "the resolver must not get a name that runs off the image";
  EXPECT_EQ(log.calls[0].library, "\x07");
  EXPECT_EQ(kernel.releases, 1);
}

TEST(Imports, ADirectoryWithoutDescriptorsLeavesNothingToResolve) {
  const Built built = ImportingImage({});
  ResolverLog log;
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  EXPECT_TRUE(module.Load(built.bytes, LoggingResolver, reinterpret_cast<std::uintptr_t>(&log)));
  EXPECT_TRUE(log.calls.empty());
}

}  // namespace
