#include <gtest/gtest.h>

#include <cstring>

#include "FakeKernel.h"
#include "loader/MemoryModule.h"
#include "loader/StoredSkinLibrary.h"

namespace {

TEST(StoredSkinLibrary, IsAByteConstantHoldingAnImage) {
  const ByteConstant blob = StoredSkinLibrary();
  ASSERT_GE(blob.size(), 8u);
  std::uint32_t tag = 0, count = 0;
  std::memcpy(&tag, blob.data(), 4);
  std::memcpy(&count, blob.data() + 4, 4);
  EXPECT_EQ(tag, 1u);
  EXPECT_EQ(count, blob.size() - 8);
  const auto payload = ByteConstantPayload(blob);
  ASSERT_GE(payload.size(), 2u);
  EXPECT_EQ(payload[0], 'M');
  EXPECT_EQ(payload[1], 'Z');
}

TEST(StoredSkinLibrary, LoadsAndItsEntryPointIsAttachedOnce) {
  FakeKernel kernel;
  MemoryModule module(kernel.Services());
  ASSERT_TRUE(LoadStoredSkinLibrary(module));
  EXPECT_NE(module.BaseAddress(), 0u);
  ASSERT_EQ(kernel.entryCalls.size(), 1u);
  EXPECT_EQ(kernel.entryCalls[0].reason, 1u);
  EXPECT_EQ(kernel.entryCalls[0].address, module.EntryPoint());
}

TEST(StoredSkinLibrary, LoadsWithTheHostServicesOnlyWhereItsCodeCanRun) {
  MemoryModule module;
  const bool loaded = LoadStoredSkinLibrary(module);
#if defined(__i386__)
  EXPECT_TRUE(loaded) << "its entry point returns TRUE";
  EXPECT_NE(module.BaseAddress(), 0u);
#else
  EXPECT_FALSE(loaded);
  EXPECT_EQ(module.BaseAddress(), 0u);
#endif
}

}  // namespace
