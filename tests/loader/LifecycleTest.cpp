#include <gtest/gtest.h>

#include <string>

#include "FakeKernel.h"
#include "TestImages.h"
#include "loader/MemoryModule.h"

namespace {

using Events = std::vector<std::string>;

std::vector<std::uint8_t> Dll() { return BuildImage(CodeDllLayout()); }

std::vector<std::uint8_t> NotADll() {
  ImageLayout desc = CodeDllLayout();
  desc.characteristics = pe::kExecutableImage | pe::kMachine32Bit;
  return BuildImage(desc);
}

TEST(Lifecycle, ALibraryIsAttachedOnLoadAndDetachedOnUnload) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(Dll()));
  const std::uintptr_t base = module.BaseAddress();
  EXPECT_EQ(module.EntryPoint(), base + kTextRva);
  ASSERT_EQ(kernel.entryCalls.size(), 1u);
  EXPECT_EQ(kernel.entryCalls[0].address, base + kTextRva);
  EXPECT_EQ(kernel.entryCalls[0].module, 0u);
  EXPECT_EQ(kernel.entryCalls[0].reason, 1u);
  EXPECT_EQ(kernel.entryCalls[0].reserved, 0u);

  EXPECT_TRUE(module.Unload());
  EXPECT_EQ(kernel.events, (Events{"allocate", "allocate", "attach", "detach", "release"}));
  EXPECT_EQ(kernel.entryCalls[1].reason, 0u);
  EXPECT_EQ(kernel.releasedBases, (std::vector<std::uintptr_t>{base}));
  EXPECT_EQ(module.BaseAddress(), 0u);
  EXPECT_EQ(module.EntryPoint(), 0u);
}

TEST(Lifecycle, AnEntryPointThatReturnsZeroIsDetachedAndTheLoadFails) {
  FakeKernel kernel;
  kernel.attachResult = 0;
  MemoryModule module(kernel.Services());
  EXPECT_FALSE(module.Load(Dll()));
  EXPECT_EQ(kernel.events, (Events{"allocate", "allocate", "attach", "detach", "release"}));
  ASSERT_EQ(kernel.entryCalls.size(), 2u);
  EXPECT_EQ(kernel.entryCalls[1].address, kernel.entryCalls[0].address);
  EXPECT_EQ(kernel.entryCalls[1].reason, 0u);
  EXPECT_TRUE(kernel.live.empty());
  EXPECT_EQ(module.BaseAddress(), 0u);
}

TEST(Lifecycle, AHostThatCannotRunTheCodeFailsTheLoadBeforeAnyCall) {
  FakeKernel kernel;
  kernel.attachResult = std::nullopt;
  MemoryModule module(kernel.Services());
  EXPECT_FALSE(module.Load(Dll()));
  // The attempt is refused without running anything, so there is nothing to detach.
  EXPECT_EQ(kernel.events, (Events{"allocate", "allocate", "attach", "release"}));
  EXPECT_TRUE(kernel.live.empty());
  EXPECT_EQ(module.BaseAddress(), 0u);
}

TEST(Lifecycle, AnImageWithoutTheDllBitIsMappedWithoutItsEntryPoint) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(NotADll()));
  EXPECT_EQ(module.EntryPoint(), module.BaseAddress() + kTextRva);
  EXPECT_TRUE(module.Unload());
  EXPECT_EQ(kernel.events, (Events{"allocate", "allocate", "release"}));
}

TEST(Lifecycle, ALibraryWithoutAnEntryPointIsNotCalled) {
  ImageLayout desc = CodeDllLayout();
  desc.entryPoint = 0;
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(BuildImage(desc)));
  EXPECT_TRUE(module.Unload());
  EXPECT_TRUE(kernel.entryCalls.empty()) << "calling the base would run the headers as code";
}

TEST(Lifecycle, LoadingTwiceUnloadsTheFirstImageFirst) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(Dll()));
  const std::uintptr_t first = module.BaseAddress();
  ASSERT_TRUE(module.Load(Dll()));
  const std::uintptr_t second = module.BaseAddress();

  EXPECT_EQ(kernel.events,
            (Events{"allocate", "allocate", "attach", "detach", "release", "allocate", "allocate", "attach"}));
  EXPECT_EQ(kernel.entryCalls[1].address, first + kTextRva);
  EXPECT_EQ(kernel.releasedBases, (std::vector<std::uintptr_t>{first}));
  EXPECT_EQ(kernel.live.size(), 1u);
  EXPECT_EQ(kernel.live.count(reinterpret_cast<std::uint8_t*>(second)), 1u);
}

TEST(Lifecycle, ASecondLoadThatFailsStillUnloadsTheFirst) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(Dll()));
  std::vector<std::uint8_t> broken = Dll();
  broken[0] = 'Z';
  EXPECT_FALSE(module.Load(broken));
  EXPECT_EQ(module.BaseAddress(), 0u);
  EXPECT_TRUE(kernel.live.empty());
  EXPECT_EQ(kernel.events.back(), "release");
}

TEST(Lifecycle, UnloadingNothingSucceedsWithoutTouchingTheKernel) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  EXPECT_TRUE(module.Unload());
  EXPECT_EQ(module.FindExport("Anything"), 0u);
  EXPECT_TRUE(kernel.events.empty());
}

TEST(Lifecycle, DestroyingTheObjectLeavesTheImageMapped) {
  FakeKernel kernel;
  {
    MemoryModule module(kernel.Services());
    ASSERT_TRUE(module.Load(Dll()));
  }
  EXPECT_EQ(kernel.releases, 0);
  EXPECT_EQ(kernel.live.size(), 1u);
  EXPECT_EQ(kernel.events.back(), "attach");
}

TEST(Lifecycle, ACopyRefersToTheSameImageUntilEitherUnloadsIt) {
  FakeKernel kernel;
  MemoryModule original(kernel.Services());
  ASSERT_TRUE(original.Load(Dll()));
  {
    MemoryModule copy = original;
    EXPECT_EQ(copy.BaseAddress(), original.BaseAddress());
    EXPECT_EQ(copy.EntryPoint(), original.EntryPoint());
  }
  EXPECT_EQ(kernel.releases, 0) << "destroying a copy must not release the image";

  MemoryModule copy = original;
  ASSERT_TRUE(copy.Unload());
  // The original must not keep the address of released memory.
  EXPECT_EQ(original.BaseAddress(), 0u);
  EXPECT_EQ(original.EntryPoint(), 0u);
  EXPECT_EQ(original.FindExport("1"), 0u);
  EXPECT_TRUE(original.Unload());
  EXPECT_EQ(kernel.releases, 1);
  EXPECT_EQ(kernel.entryCalls.size(), 2u);
}

TEST(Lifecycle, UnloadFailsAndKeepsTheImageWhenItsHeadersWereOverwritten) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(Dll()));
  auto* base = reinterpret_cast<std::uint8_t*>(module.BaseAddress());
  base[0] = 0;  // as if the library's code had wiped its headers
  EXPECT_FALSE(module.Unload());
  EXPECT_EQ(module.BaseAddress(), reinterpret_cast<std::uintptr_t>(base));
  EXPECT_EQ(module.EntryPoint(), 0u) << "no entry point is read from damaged headers";
  EXPECT_EQ(kernel.releases, 0);

  base[0] = 'M';
  EXPECT_TRUE(module.Unload());
  EXPECT_EQ(kernel.releases, 1);
}

TEST(Lifecycle, UnloadReportsAFailedRelease) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(module.Load(NotADll()));
  kernel.releaseFails = true;
  EXPECT_FALSE(module.Unload());
  EXPECT_NE(module.BaseAddress(), 0u);
  kernel.releaseFails = false;
  EXPECT_TRUE(module.Unload());
  EXPECT_EQ(module.BaseAddress(), 0u);
}

}  // namespace
