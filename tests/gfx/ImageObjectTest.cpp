#include "gfx/ImageObject.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "GfxTestSupport.h"

namespace {

using gfxtest::MakeBlob;
using gfxtest::ReadPixel;
using gfxtest::ScratchFolder;
using gfxtest::SolidPngBlob;
using gfxtest::WriteSolidPng;

void ExpectEmpty(const ImageObject& image) {
  EXPECT_EQ(image.ImageHandle(), nullptr);
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.Height(), 0);
}

TEST(ImageObject, DecodesStoredBytesWithSizeAndColour) {
  const auto blob = SolidPngBlob(50, 43, 10, 200, 30);
  ImageObject image;
  ASSERT_TRUE(image.LoadFromBytes(blob));
  EXPECT_EQ(image.Width(), 50);
  EXPECT_EQ(image.Height(), 43);
  EXPECT_EQ(ReadPixel(image.ImageHandle(), 49, 42), (gfxtest::Pixel{255, 10, 200, 30}));
}

TEST(ImageObject, EmptyByteStringBlanksAPicture) {
  ImageObject image;
  ASSERT_TRUE(image.LoadFromBytes(SolidPngBlob(4, 4, 255, 0, 0)));
  EXPECT_FALSE(image.LoadFromBytes(kEmptyByteConstant));
  ExpectEmpty(image);
}

// Every malformed blob fails and leaves nothing behind, even when a picture was held before.
TEST(ImageObject, MalformedBlobsLeaveTheObjectEmpty) {
  auto png = SolidPngBlob(6, 6, 1, 2, 3);
  std::vector<std::uint8_t> pngBytes(png.begin() + 8, png.end());

  auto wrongTag = png;
  wrongTag[0] = 2;
  auto countPastEnd = png;
  countPastEnd[4] = static_cast<std::uint8_t>(pngBytes.size() + 1);
  countPastEnd[5] = static_cast<std::uint8_t>((pngBytes.size() + 1) >> 8);
  std::vector<std::uint8_t> truncatedPng(pngBytes.begin(), pngBytes.begin() + pngBytes.size() / 2);
  const std::string text = "not a picture at all";

  const struct {
    const char* name;
    std::vector<std::uint8_t> blob;
  } cases[] = {
      {"shorter than the header", {1, 0, 0}},      {"header tag not 1", wrongTag},
      {"count beyond the bytes", countPastEnd},    {"bytes that are no PNG", MakeBlob({text.begin(), text.end()})},
      {"PNG cut in half", MakeBlob(truncatedPng)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ImageObject image;
    ASSERT_TRUE(image.LoadFromBytes(png));
    EXPECT_FALSE(image.LoadFromBytes(c.blob));
    ExpectEmpty(image);
  }
}

TEST(ImageObject, MissingOrBrokenFileReplacesTheHeldPicture) {
  ScratchFolder folder;
  const auto broken = folder.path() / "broken.png";
  std::ofstream(broken) << "\x89PNG but nothing after";
  for (const auto& path : {folder.path() / "missing.png", broken, folder.path()}) {
    SCOPED_TRACE(path.string());
    ImageObject image;
    ASSERT_TRUE(image.LoadFromBytes(SolidPngBlob(3, 3, 9, 9, 9)));
    EXPECT_FALSE(image.LoadFromFile(path.string()));
    ExpectEmpty(image);
  }
}

// Opening a FIFO for reading waits for a writer: it must count as a missing picture at once.
TEST(ImageObject, AFifoIsAMissingPicture) {
  ScratchFolder folder;
  const auto fifo = folder.path() / "fifo.png";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ImageObject image;
  ASSERT_TRUE(image.LoadFromBytes(SolidPngBlob(3, 3, 9, 9, 9)));
  EXPECT_FALSE(image.LoadFromFile(fifo.string()));
  ExpectEmpty(image);
}

// The size limit holds for stored bytes and files alike; the size is taken from the header, so a
// picture over the limit is never decoded (the last case declares 20000×20000 and holds nothing).
TEST(ImageObject, PicturesOverTheSizeLimitAreNotDecoded) {
  ScratchFolder folder;
  const auto small = SolidPngBlob(1, 1, 1, 2, 3);
  std::vector<std::uint8_t> forged(small.begin() + 8, small.begin() + 8 + 33);  // signature, header
  for (int i = 0; i < 2; ++i) {
    const std::uint32_t side = 20000;
    forged[16 + 4 * i] = 0;
    forged[17 + 4 * i] = 0;
    forged[18 + 4 * i] = static_cast<std::uint8_t>(side >> 8);
    forged[19 + 4 * i] = static_cast<std::uint8_t>(side);
  }
  const struct {
    const char* name;
    std::vector<std::uint8_t> blob;
    bool loads;
  } cases[] = {
      {"4096 wide", SolidPngBlob(4096, 1, 1, 2, 3), true},    {"4096 high", SolidPngBlob(1, 4096, 1, 2, 3), true},
      {"4097 wide", SolidPngBlob(4097, 1, 1, 2, 3), false},   {"4097 high", SolidPngBlob(1, 4097, 1, 2, 3), false},
      {"20000 square, header only", MakeBlob(forged), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ImageObject fromBytes;
    EXPECT_EQ(fromBytes.LoadFromBytes(c.blob), c.loads);
    const auto file = folder.path() / "picture.png";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(c.blob.data() + 8), static_cast<std::streamsize>(c.blob.size() - 8));
    ImageObject fromFile;
    EXPECT_EQ(fromFile.LoadFromFile(file.string()), c.loads);
    if (!c.loads) {
      ExpectEmpty(fromBytes);
      ExpectEmpty(fromFile);
      EXPECT_EQ(fromBytes.DecodeCount() + fromFile.DecodeCount(), 0);
    }
  }
}

// The windows load their pictures at every redraw: a damaged file is decoded once, until its
// bytes change.
TEST(ImageObject, AnUndecodableFileIsNotDecodedAgainUntilItChanges) {
  ScratchFolder folder;
  const auto file = folder.path() / "head.png";
  WriteSolidPng(file, 8, 8, 0, 0, 255);
  const auto good = gfxtest::ReadFileBytes(file);
  const auto writeBytes = [&](const std::vector<std::uint8_t>& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  };
  const std::vector<std::uint8_t> truncated(good.begin(), good.begin() + good.size() / 2);
  writeBytes(truncated);

  ImageObject image;
  EXPECT_FALSE(image.LoadFromFile(file.string()));
  EXPECT_FALSE(image.LoadFromFile(file.string()));
  EXPECT_FALSE(image.LoadFromFile(file.string()));
  EXPECT_EQ(image.DecodeCount(), 1);
  ExpectEmpty(image);

  writeBytes(good);
  EXPECT_TRUE(image.LoadFromFile(file.string()));
  EXPECT_TRUE(image.LoadFromFile(file.string()));
  EXPECT_EQ(image.DecodeCount(), 2);

  writeBytes(truncated);
  EXPECT_FALSE(image.LoadFromFile(file.string()));
  ExpectEmpty(image);
  EXPECT_EQ(image.DecodeCount(), 3);
  // Another load in between forgets the failure: the same bytes are tried again afterwards.
  EXPECT_TRUE(image.LoadFromBytes(SolidPngBlob(2, 2, 1, 1, 1)));
  EXPECT_FALSE(image.LoadFromFile(file.string()));
  EXPECT_EQ(image.DecodeCount(), 5);
}

TEST(ImageObject, LoadsReplaceEachOtherBetweenFileAndBytes) {
  ScratchFolder folder;
  const auto file = folder.path() / "red.png";
  WriteSolidPng(file, 10, 10, 255, 0, 0);

  ImageObject image;
  ASSERT_TRUE(image.LoadFromFile(file.string()));
  EXPECT_EQ(image.Width(), 10);
  ASSERT_TRUE(image.LoadFromBytes(SolidPngBlob(20, 5, 0, 0, 255)));
  EXPECT_EQ(image.Width(), 20);
  EXPECT_EQ(image.Height(), 5);
  EXPECT_EQ(ReadPixel(image.ImageHandle(), 0, 0), (gfxtest::Pixel{255, 0, 0, 255}));
  ASSERT_TRUE(image.LoadFromFile(file.string()));
  EXPECT_EQ(image.Width(), 10);
  EXPECT_EQ(ReadPixel(image.ImageHandle(), 9, 9), (gfxtest::Pixel{255, 255, 0, 0}));
}

// The data folder's names are Chinese; a UTF-8 path must reach the file of that name.
TEST(ImageObject, LoadsAFileWhosePathHasChineseCharacters) {
  ScratchFolder folder;
  const std::string path = (folder.path() / "召唤兽" / "技能" / "技能3.png").string();
  WriteSolidPng(std::filesystem::u8path(path), 7, 9, 0, 128, 0);
  ImageObject image;
  ASSERT_TRUE(image.LoadFromFile(path));
  EXPECT_EQ(image.Width(), 7);
  EXPECT_EQ(image.Height(), 9);
}

// A file replaced on disk shows its new content at the next load of the same path, even when
// the new file has the same size and was written within the same clock tick.
TEST(ImageObject, ReloadingTheSamePathSeesAReplacedFile) {
  ScratchFolder folder;
  const auto file = folder.path() / "glyph.png";
  WriteSolidPng(file, 4, 4, 255, 0, 0);
  const auto oldSize = std::filesystem::file_size(file);
  ImageObject image;
  ASSERT_TRUE(image.LoadFromFile(file.string()));
  ASSERT_TRUE(image.LoadFromFile(file.string()));
  // A colour whose file has the same size as the red one's.
  gfxtest::Pixel replacement;
  for (const gfxtest::Pixel candidate : {gfxtest::Pixel{255, 0, 0, 255},
                                         {255, 0, 255, 0},
                                         {255, 255, 255, 0},
                                         {255, 0, 255, 255},
                                         {255, 255, 0, 255},
                                         {255, 1, 0, 0},
                                         {255, 254, 0, 0}}) {
    WriteSolidPng(file, 4, 4, candidate.r, candidate.g, candidate.b);
    replacement = candidate;
    if (std::filesystem::file_size(file) == oldSize) break;
  }
  ASSERT_EQ(std::filesystem::file_size(file), oldSize);
  ASSERT_TRUE(image.LoadFromFile(file.string()));
  EXPECT_EQ(ReadPixel(image.ImageHandle(), 0, 0), replacement);
  std::filesystem::remove(file);
  EXPECT_FALSE(image.LoadFromFile(file.string()));
  ExpectEmpty(image);
}

TEST(ImageObject, DisposeTwiceAndMoveLeaveOneOwner) {
  ImageObject image;
  image.Dispose();
  ASSERT_TRUE(image.LoadFromBytes(SolidPngBlob(2, 3, 1, 1, 1)));
  ImageObject moved(std::move(image));
  ExpectEmpty(image);
  EXPECT_EQ(moved.Height(), 3);
  ImageObject target;
  ASSERT_TRUE(target.LoadFromBytes(SolidPngBlob(5, 5, 1, 1, 1)));
  target = std::move(moved);
  EXPECT_EQ(target.Height(), 3);
  target.Dispose();
  target.Dispose();
  ExpectEmpty(target);
}

}  // namespace
