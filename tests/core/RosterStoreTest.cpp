#include "core/RosterStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/DataFolderFixture.h"
#include "core/DataPaths.h"

TEST(DataPaths, NameEveryFileOfTheDataFolder) {
  EXPECT_EQ(RecordPath(3), "./召唤兽/数据/3/Data.txt");
  EXPECT_EQ(RecordPath(15), "./召唤兽/数据/15/Data.txt");
  EXPECT_EQ(MarkerPath(7), "./召唤兽/数据/7/rz.txt");
  EXPECT_EQ(PetPicturePath(12), "./召唤兽/图形/召唤兽12.png");
  EXPECT_EQ(PetPicturePath(std::string("12")), "./召唤兽/图形/召唤兽12.png");
  EXPECT_EQ(HeadPicturePath(35), "./召唤兽/头像/召唤兽35.png");
  EXPECT_EQ(SkillIconPath(79), "./召唤兽/技能/技能79.png");
}

using RosterStore = DataFolderTest;

TEST_F(RosterStore, OccupiedMeansDataTxtExists) {
  WriteFile(RecordPath(2), "1|1|1|1|1|1|1000|0");
  WriteFile(RecordPath(9), "1|1|1|1|1|1|1000|0");
  WriteFile(MarkerPath(4), "71");                   // a marker alone leaves the slot free
  WriteFile(SlotFolderPath(5) + "/data.txt", "x");  // the name is exactly Data.txt
#ifdef _WIN32
  // Windows' file names ignore case, as the original program's did: data.txt is Data.txt there.
  EXPECT_EQ(ScanOccupiedSlots(), (std::vector<int>{2, 5, 9}));
#else
  EXPECT_EQ(ScanOccupiedSlots(), (std::vector<int>{2, 9}));
#endif
  EXPECT_TRUE(IsSlotCertified(4));
  EXPECT_FALSE(IsSlotCertified(2));
  EXPECT_FALSE(IsSlotOccupied(0));
  EXPECT_FALSE(IsSlotOccupied(16));
}

TEST_F(RosterStore, ReadsFieldsOfARecord) {
  WriteFile(RecordPath(1), "12|1300|950|3000|1700|1000|1085|3|19|20|5");
  EXPECT_EQ(ReadRecordFields(1).size(), 11u);
  EXPECT_TRUE(ReadRecordFields(2).empty());  // missing file
  EXPECT_TRUE(ReadRecordFields(0).empty());
}

TEST_F(RosterStore, DamagedRecords) {
  struct Case {
    std::string bytes;
    bool damaged;
  };
  const std::vector<Case> cases = {
      {"12|1300|950|3000|1700|1000|1085|0", false},
      {"12|1300|950|3000|1700|1000|1085", true},  // seven fields
      {"", true},
      {"36|1|1|1|1|1|1000|0", true},
      {"0|1|1|1|1|1|1000|0", true},
      {"x|1|1|1|1|1|1000|0", true},
      {"35|1|1|1|1|1|1000|1|5", false},
  };
  for (const auto& c : cases) {
    WriteFile(RecordPath(1), c.bytes);
    EXPECT_EQ(IsSlotDamaged(1), c.damaged) << c.bytes;
  }
  EXPECT_FALSE(IsSlotDamaged(2));  // free is not damaged
}

TEST_F(RosterStore, WritersProduceExactBytes) {
  const std::string text = "12|1300|950|3000|1700|1000|1085|3|19|20|5";
  ASSERT_TRUE(WriteRecord(3, text));
  EXPECT_EQ(ReadFile(RecordPath(3)), text);
  ASSERT_TRUE(WriteRecord(3, "1|2|3|4|5|6|7|0"));  // shorter text replaces the whole file
  EXPECT_EQ(ReadFile(RecordPath(3)), "1|2|3|4|5|6|7|0");
  ASSERT_TRUE(WriteMarker(3, 71));
  EXPECT_EQ(ReadFile(MarkerPath(3)), "71");
  EXPECT_EQ(FolderEntries(3), (std::vector<std::string>{"Data.txt", "rz.txt"}));
  EXPECT_TRUE(DeleteMarker(3));
  EXPECT_TRUE(DeleteRecord(3));
  EXPECT_TRUE(FolderEntries(3).empty());
  EXPECT_FALSE(DeleteRecord(3));
  EXPECT_FALSE(DeleteMarker(3));
}

// Every writer, against every way the disk can refuse: the old file survives and no
// temporary file is left.
TEST_F(RosterStore, FailedWritesLeaveTheOldFile) {
  struct Writer {
    const char* name;
    std::function<bool()> write;
    std::function<std::string()> path;
  };
  const std::vector<Writer> writers = {
      {"record", [] { return WriteRecord(6, "2|1|1|1|1|1|1000|1|3"); }, [] { return RecordPath(6); }},
      {"marker", [] { return WriteMarker(6, 72); }, [] { return MarkerPath(6); }},
  };
  struct Failure {
    const char* name;
    std::function<void(const std::string& path)> arrange;
  };
  const std::vector<Failure> failures = {
      {"file size limit", [](const std::string&) {}},
      {"directory in the file's place",
       [](const std::string& path) {
         std::filesystem::remove(PathFromUtf8(path));
         std::filesystem::create_directories(PathFromUtf8(path + "/keep"));
       }},
  };
  for (const auto& writer : writers) {
    for (const auto& failure : failures) {
      const std::string path = writer.path();
      WriteFile(path, "old");
      failure.arrange(path);
      const auto before = FolderEntries(6);
      bool ok;
      {
        FileSizeLimit limit(std::string(failure.name) == "file size limit" ? 0 : RLIM_INFINITY);
        ok = writer.write();
      }
      EXPECT_FALSE(ok) << writer.name << " / " << failure.name;
      EXPECT_EQ(FolderEntries(6), before) << writer.name << " / " << failure.name;
      if (std::filesystem::is_regular_file(PathFromUtf8(path))) {
        EXPECT_EQ(ReadFile(path), "old");
      }
      std::filesystem::remove_all(PathFromUtf8(path));
    }
  }
}

TEST_F(RosterStore, WritesFailWithoutTheSlotFolder) {
  RemoveSlotFolder(6);
  EXPECT_FALSE(WriteRecord(6, "1|1|1|1|1|1|1000|0"));
  EXPECT_FALSE(WriteMarker(6, 71));
  EXPECT_FALSE(Exists(SlotFolderPath(6)));  // no folder is ever created

  RemoveSlotFolder(7);
  WriteFile(SlotFolderPath(7), "a file where the folder should be");
  EXPECT_FALSE(WriteRecord(7, "1|1|1|1|1|1|1000|0"));
  EXPECT_FALSE(WriteMarker(7, 71));
  EXPECT_EQ(ReadFile(SlotFolderPath(7)), "a file where the folder should be");
  EXPECT_FALSE(WriteRecord(0, "x"));
  EXPECT_FALSE(WriteRecord(16, "x"));
}

TEST_F(RosterStore, DeleteFailsWhenADirectoryStandsInTheWay) {
  std::filesystem::create_directories(PathFromUtf8(RecordPath(8) + "/inner"));
  EXPECT_TRUE(IsSlotOccupied(8));
  EXPECT_TRUE(IsSlotDamaged(8));
  EXPECT_FALSE(DeleteRecord(8));
  EXPECT_TRUE(Exists(RecordPath(8)));
}

TEST_F(RosterStore, StaleTemporaryFilesAreRemovedAtStart) {
  // Names without a writer's pid count as left by an ended program.
  WriteFile(SlotFolderPath(2) + "/.petsim-tmp.Data.txt.gone.0", "half");
  WriteFile(SlotFolderPath(15) + "/.petsim-tmp.rz.txt", "7");
  WriteFile(RecordPath(2), "1|1|1|1|1|1|1000|0");
  WriteFile(SlotFolderPath(2) + "/notes.txt", "kept");
  RemoveStaleTemporaryFiles();
  EXPECT_EQ(FolderEntries(2), (std::vector<std::string>{"Data.txt", "notes.txt"}));
  EXPECT_TRUE(FolderEntries(15).empty());
}
