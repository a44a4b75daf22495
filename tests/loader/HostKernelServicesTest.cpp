#include <gtest/gtest.h>

#include "AddressSpace.h"
#include "TestImages.h"
#include "loader/KernelServices.h"
#include "loader/MemoryModule.h"

namespace {

constexpr std::uintptr_t kCandidateBase = 0x30000000;
constexpr std::size_t kImageSize = 0x3000;

// A program image (no DLL bit, so nothing is called) holding one absolute address.
std::vector<std::uint8_t> ProgramImage(std::uint32_t imageBase) {
  std::vector<std::uint8_t> code = kReturnTrueCode;
  PutU32(code, 0x10, imageBase + kTextRva + 0x20);
  ImageLayout desc = CodeDllLayout(code);
  desc.imageBase = imageBase;
  desc.characteristics = pe::kExecutableImage | pe::kMachine32Bit;
  desc.sections.push_back({".reloc", 0x2000, 0, EncodeRelocations({kTextRva + 0x10})});
  desc.directories[pe::kDirectoryRelocations] = {0x2000, 12};
  return BuildImage(desc);
}

TEST(HostKernelServices, MapsAtAFreePreferredBaseWithoutRelocating) {
  if (!RangeIsFree(kCandidateBase, kImageSize)) GTEST_SKIP() << "the candidate range is in use";
  MemoryModule module;
  ASSERT_TRUE(module.Load(ProgramImage(kCandidateBase)));
  EXPECT_EQ(module.BaseAddress(), kCandidateBase);
  EXPECT_EQ(MappedU32(module, kTextRva + 0x10), kCandidateBase + kTextRva + 0x20);
  EXPECT_TRUE(module.Unload());
  EXPECT_TRUE(RangeIsFree(kCandidateBase, kImageSize)) << "Unload left the memory mapped";
}

TEST(HostKernelServices, MapsElsewhereAndRelocatesWhenThePreferredBaseIsTaken) {
  const HeldRange taken(kCandidateBase, kImageSize);
  ASSERT_FALSE(RangeIsFree(kCandidateBase, kImageSize));
  MemoryModule module;
  ASSERT_TRUE(module.Load(ProgramImage(kCandidateBase)));
  EXPECT_NE(module.BaseAddress(), kCandidateBase);
  EXPECT_EQ(MappedU32(module, kTextRva + 0x10), Base32(module) + kTextRva + 0x20);
  // The memory may hold code and be written.
  SetMappedU32(module, 0x2F00, 0xDEADBEEF);
  EXPECT_EQ(MappedU32(module, 0x2F00), 0xDEADBEEFu);
  EXPECT_TRUE(module.Unload());
}

// Image code for the tests that run it: the entry point hands its reason to an imported host
// routine and returns that routine's answer; "Add" returns the sum of its two arguments.
constexpr std::uint32_t kCallOperand = 0x07;  // offset of the imported routine's slot address
constexpr std::uint32_t kAddRva = kTextRva + 0x10;
constexpr std::uint32_t kImportRva = 0x2000;
constexpr std::uint32_t kRelocRva = 0x3000;

std::vector<std::uint8_t> RunnableDll(std::uint32_t imageBase) {
  const EncodedImports imports = EncodeImportTable({{"host.dll", {{"RecordReason", 0}}}}, kImportRva);
  std::vector<std::uint8_t> code = {
      0x8B, 0x44, 0x24, 0x08,              // mov eax, [esp+8]   (reason)
      0x50,                                // push eax
      0xFF, 0x15, 0x00, 0x00, 0x00, 0x00,  // call [slot]
      0xC2, 0x0C, 0x00,                    // ret 12
      0x90, 0x90,                          // nop; nop
      0x8B, 0x44, 0x24, 0x04,              // Add: mov eax, [esp+4]
      0x03, 0x44, 0x24, 0x08,              //      add eax, [esp+8]
      0xC2, 0x08, 0x00,                    //      ret 8
  };
  PutU32(code, kCallOperand, imageBase + imports.slots[0][0]);
  ImageLayout desc = CodeDllLayout(code);
  desc.imageBase = imageBase;
  desc.sections.push_back({".idata", kImportRva, 0, imports.bytes});
  desc.directories[pe::kDirectoryImports] = {kImportRva, imports.directorySize};
  const std::vector<std::uint8_t> relocations = EncodeRelocations({kTextRva + kCallOperand});
  desc.sections.push_back({".reloc", kRelocRva, 0, relocations});
  desc.directories[pe::kDirectoryRelocations] = {kRelocRva, static_cast<std::uint32_t>(relocations.size())};
  const std::vector<std::uint8_t> exports = EncodeExportTable({"runnable.dll", 1, {kAddRva}, {{"Add", 0}}}, 0x4000);
  desc.sections.push_back({".edata", 0x4000, 0, exports});
  desc.directories[pe::kDirectoryExports] = {0x4000, static_cast<std::uint32_t>(exports.size())};
  return BuildImage(desc);
}

// Counts what the host's memory layer hands out and takes back.
struct CountedHost {
  int allocations = 0;
  int releases = 0;
  KernelServices Services() {
    KernelServices services = HostKernelServices();
    services.allocate = [this, inner = services.allocate](std::uintptr_t a, std::size_t s) {
      std::uint8_t* got = inner(a, s);
      if (got != nullptr) ++allocations;
      return got;
    };
    services.release = [this, inner = services.release](std::uint8_t* b, std::size_t s) {
      const bool ok = inner(b, s);
      if (ok) ++releases;
      return ok;
    };
    return services;
  }
};

#if defined(__i386__)

std::vector<std::uint32_t> recordedReasons;  // the image code's only way back to the test
std::uint32_t answerForAttach = 1;

// Called from image code, which keeps the stack only 4-byte aligned: realign it on entry.
__attribute__((stdcall, force_align_arg_pointer)) std::uint32_t RecordReason(std::uint32_t reason) {
  recordedReasons.push_back(reason);
  return reason == 1 ? answerForAttach : 1;
}

std::uintptr_t HostResolver(const char*, const char* function, std::uintptr_t) {
  return std::string_view(function) == "RecordReason" ? reinterpret_cast<std::uintptr_t>(&RecordReason) : 0;
}

TEST(X86Code, TheEntryPointRunsWithAttachAndDetach) {
  recordedReasons.clear();
  answerForAttach = 1;
  const HeldRange taken(kCandidateBase, 0x5000);  // forces a relocated call
  CountedHost host;
  MemoryModule module(host.Services());
  ASSERT_TRUE(module.Load(RunnableDll(kCandidateBase), HostResolver));
  EXPECT_NE(module.BaseAddress(), kCandidateBase);
  EXPECT_EQ(recordedReasons, (std::vector<std::uint32_t>{1}));

  using AddRoutine = std::uint32_t(__attribute__((stdcall))*)(std::uint32_t, std::uint32_t);
  const std::uintptr_t add = module.FindExport("Add");
  ASSERT_EQ(add, module.BaseAddress() + kAddRva);
  EXPECT_EQ(reinterpret_cast<AddRoutine>(add)(40, 2), 42u);

  EXPECT_TRUE(module.Unload());
  EXPECT_EQ(recordedReasons, (std::vector<std::uint32_t>{1, 0}));
  EXPECT_EQ(host.releases, 1);
}

TEST(X86Code, AnEntryPointThatReturnsFalseRunsAgainWithDetach) {
  recordedReasons.clear();
  answerForAttach = 0;
  CountedHost host;
  MemoryModule module(host.Services());
  EXPECT_FALSE(module.Load(RunnableDll(0x10000000), HostResolver));
  EXPECT_EQ(recordedReasons, (std::vector<std::uint32_t>{1, 0}));
  EXPECT_EQ(host.allocations, 1);
  EXPECT_EQ(host.releases, 1);
  EXPECT_EQ(module.BaseAddress(), 0u);
}

#else

std::uintptr_t AnyAddress(const char*, const char*, std::uintptr_t) { return 0x1000; }

TEST(X86Code, ALibraryFailsCleanlyOnAHostThatCannotRunIt) {
  CountedHost host;
  MemoryModule module(host.Services());
  EXPECT_FALSE(module.Load(RunnableDll(0x10000000), AnyAddress));
  EXPECT_EQ(host.allocations, 1);
  EXPECT_EQ(host.releases, 1);
  EXPECT_EQ(module.BaseAddress(), 0u);
}

#endif

}  // namespace
