// The loader on Windows itself: memory from VirtualAlloc, imports from the system's libraries
// through LoadLibraryA/GetProcAddress, and image code that calls them.
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include "TestImages.h"
#include "loader/KernelServices.h"
#include "loader/MemoryModule.h"
#include "loader/StoredSkinLibrary.h"

namespace {

constexpr std::uint32_t kImportRva = 0x2000;
constexpr std::uint32_t kRelocRva = 0x3000;
constexpr std::uint32_t kTickRva = 0x4000;  // where the entry point stores what it got

// A library whose entry point calls the imported function (a stdcall routine without arguments,
// such as GetTickCount), stores its result at kTickRva and returns TRUE.
std::vector<std::uint8_t> CallingDll(const std::vector<ImportedLibrary>& imports) {
  constexpr std::uint32_t base = 0x10000000;
  const EncodedImports encoded = EncodeImportTable(imports, kImportRva);
  std::vector<std::uint8_t> code = {
      0xFF, 0x15, 0x00, 0x00, 0x00, 0x00,  // call [slot]
      0xA3, 0x00, 0x00, 0x00, 0x00,        // mov [tick], eax
      0xB8, 0x01, 0x00, 0x00, 0x00,        // mov eax, 1
      0xC2, 0x0C, 0x00,                    // ret 12
  };
  PutU32(code, 2, base + encoded.slots[0][0]);
  PutU32(code, 7, base + kTickRva);
  ImageLayout desc = CodeDllLayout(code);
  desc.imageBase = base;
  desc.sections.push_back({".idata", kImportRva, 0, encoded.bytes});
  desc.directories[pe::kDirectoryImports] = {kImportRva, encoded.directorySize};
  const std::vector<std::uint8_t> relocations = EncodeRelocations({kTextRva + 2, kTextRva + 7});
  desc.sections.push_back({".reloc", kRelocRva, 0, relocations});
  desc.directories[pe::kDirectoryRelocations] = {kRelocRva, static_cast<std::uint32_t>(relocations.size())};
  desc.sections.push_back(
      {".data", kTickRva, 0x1000, {}, pe::kSectionInitializedData | pe::kSectionRead | pe::kSectionWrite});
  return BuildImage(desc);
}

std::uintptr_t Kernel32Function(const char* name) {
  return reinterpret_cast<std::uintptr_t>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name));
}

TEST(SystemImports, AnImageCallsGetTickCountImportedFromKernel32ByName) {
  const DWORD before = GetTickCount();
  MemoryModule module;
  ASSERT_TRUE(module.Load(CallingDll({{"KERNEL32.dll", {{"GetTickCount", 0}}}})));
  const DWORD after = GetTickCount();
  const std::uint32_t got = MappedU32(module, kTickRva);
  EXPECT_GE(got, before);
  EXPECT_LE(got, after);
  const EncodedImports layout = EncodeImportTable({{"KERNEL32.dll", {{"GetTickCount", 0}}}}, kImportRva);
  EXPECT_EQ(MappedU32(module, layout.slots[0][0]), Kernel32Function("GetTickCount"));
  EXPECT_TRUE(module.Unload());
}

TEST(SystemImports, AFunctionTheLibraryLacksFailsTheLoadAndFreesTheMemory) {
  MemoryModule module;
  EXPECT_FALSE(module.Load(CallingDll({{"kernel32.dll", {{"NoSuchFunctionInKernel32", 0}}}})));
  EXPECT_EQ(module.BaseAddress(), 0u);
  EXPECT_FALSE(module.Load(CallingDll({{"no-such-library-here.dll", {{"GetTickCount", 0}}}})));
  EXPECT_EQ(module.BaseAddress(), 0u);
}

std::uintptr_t NothingResolved(const char*, const char*, std::uintptr_t) { return 0; }

TEST(SystemImports, AResolverThatAnswersZeroFallsBackToTheSystem) {
  MemoryModule module;
  ASSERT_TRUE(module.Load(CallingDll({{"kernel32.dll", {{"GetCurrentProcessId", 0}}}}), NothingResolved));
  EXPECT_EQ(MappedU32(module, kTickRva), GetCurrentProcessId());
  EXPECT_TRUE(module.Unload());
}

TEST(SystemImports, TheStoredSkinLibraryMapsAndItsEntryPointRuns) {
  MemoryModule module;
  EXPECT_TRUE(LoadStoredSkinLibrary(module));
  EXPECT_NE(module.BaseAddress(), 0u);
  MEMORY_BASIC_INFORMATION info{};
  ASSERT_NE(VirtualQuery(reinterpret_cast<void*>(module.BaseAddress()), &info, sizeof info), 0u);
  EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_EXECUTE_READWRITE));
}

}  // namespace

#endif
