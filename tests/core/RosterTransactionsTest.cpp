// Operations on two files of the roster, with a file layer rigged to fail at every step in
// turn: afterwards, and after the start-up recovery, the roster is always exactly as before
// the operation or exactly as after it.

#include "core/RosterTransactions.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/DataFolderFixture.h"
#include "core/DataPaths.h"
#include "core/FileFaults.h"
#include "core/RosterStore.h"

namespace {

// What the roster shows of the slots an operation touches: record and marker of each.
struct SlotFiles {
  std::optional<std::string> record;
  std::optional<std::string> marker;
  friend bool operator==(const SlotFiles&, const SlotFiles&) = default;
};
using RosterView = std::map<int, SlotFiles>;

struct Operation {
  const char* name;
  std::function<void()> arrange;
  std::function<bool()> run;  // true: the operation reports success
  RosterView before;
  RosterView after;
};

const std::string kParent1 = "2|1104|960|3600|1536|960|952|1|53";
const std::string kParent2 = "15|1200|1020|4950|2160|1320|1150|1|28";
const std::string kChild = "15|1150|990|4000|1800|1100|1100|2|53|28";
const std::string kPlain = "9|1|2|3|4|5|1042|3|5|71|20";
const std::string kCertified = "9|1|2|3|4|5|1042|4|71|5|20|13";
const std::string kCancelled = "9|1|2|3|4|5|1042|3|5|20|13";

std::string Describe(const RosterView& view) {
  std::string text;
  for (const auto& [slot, files] : view)
    text += "slot " + std::to_string(slot) + ": record " + files.record.value_or("(none)") + ", marker " +
            files.marker.value_or("(none)") + "; ";
  return text;
}

}  // namespace

class RosterTransactions : public DataFolderTest {
protected:
  static std::vector<Operation> Operations() {
    return {
        {"merge",
         [] {
           WriteFile(RecordPath(2), kParent1);
           WriteFile(RecordPath(5), kParent2);
         },
         [] { return CommitMerge(2, 5, kChild); },
         {{2, {kParent1, {}}}, {5, {kParent2, {}}}},
         {{2, {kChild, {}}}, {5, {{}, {}}}}},
        {"certify",
         [] { WriteFile(RecordPath(3), kPlain); },
         [] { return CommitCertification(3, 71, kCertified) == CertificationStep::Done; },
         {{3, {kPlain, {}}}},
         {{3, {kCertified, "71"}}}},
        {"cancel",
         [] {
           WriteFile(RecordPath(4), kCertified);
           WriteFile(MarkerPath(4), "71");
         },
         [] { return CommitCancellation(4, kCancelled) == CertificationStep::Done; },
         {{4, {kCertified, "71"}}},
         {{4, {kCancelled, {}}}}},
    };
  }

  static RosterView View(const RosterView& like) {
    RosterView view;
    for (const auto& [slot, files] : like) {
      SlotFiles& seen = view[slot];
      if (Exists(RecordPath(slot))) seen.record = ReadFile(RecordPath(slot));
      if (Exists(MarkerPath(slot))) seen.marker = ReadFile(MarkerPath(slot));
    }
    return view;
  }

  // Names the program left in the slot folders besides records and markers.
  static std::vector<std::string> Leftovers() {
    std::vector<std::string> names;
    for (int slot = 1; slot <= 15; ++slot)
      for (const auto& name : FolderEntries(slot))
        if (name != "Data.txt" && name != "rz.txt") names.push_back(std::to_string(slot) + "/" + name);
    return names;
  }

  void Reset(const Operation& operation) {
    for (int slot = 1; slot <= 15; ++slot) {
      RemoveSlotFolder(slot);
      std::filesystem::create_directories(PathFromUtf8(SlotFolderPath(slot)));
    }
    operation.arrange();
  }
};

// A single failing step (a full disk for a moment): the operation undoes itself at once.
TEST_F(RosterTransactions, OneFailedStepLeavesBeforeOrAfterAtOnce) {
  for (const Operation& operation : Operations()) {
    for (long failAt = 0;; ++failAt) {
      SCOPED_TRACE(std::string(operation.name) + ", step " + std::to_string(failAt) + " fails");
      Reset(operation);
      bool done;
      long steps;
      {
        ScopedFileFaults faults(FailOnce(failAt));
        done = operation.run();
        steps = CountedFileOperations();
      }
      EXPECT_EQ(View(operation.before), done ? operation.after : operation.before) << Describe(View(operation.before));
      RecoverRoster();
      EXPECT_EQ(View(operation.before), done ? operation.after : operation.before) << Describe(View(operation.before));
      EXPECT_TRUE(Leftovers().empty()) << testing::PrintToString(Leftovers());
      if (failAt >= steps) {  // the fault was never reached: the operation ran to its end
        EXPECT_TRUE(done);
        break;
      }
    }
  }
}

// Every step from the N-th on fails, as if the program had been killed there; the next start
// settles what was left, even when that start is itself killed at any of its steps.
TEST_F(RosterTransactions, KilledAtAnyStepRecoversToBeforeOrAfter) {
  for (const Operation& operation : Operations()) {
    for (long failAt = 0;; ++failAt) {
      long steps = 0;
      for (long recoveryCut = -1;; ++recoveryCut) {
        SCOPED_TRACE(std::string(operation.name) + ", killed at step " + std::to_string(failAt) +
                     ", recovery killed at step " + std::to_string(recoveryCut));
        Reset(operation);
        bool done;
        {
          ScopedFileFaults faults(FailFrom(failAt));
          done = operation.run();
          steps = CountedFileOperations();
        }
        long recoverySteps = 0;
        if (recoveryCut >= 0) {
          ScopedFileFaults faults(FailFrom(recoveryCut));
          RecoverRoster();
          recoverySteps = CountedFileOperations();
        }
        RecoverRoster();
        const RosterView view = View(operation.before);
        if (done)
          EXPECT_EQ(view, operation.after) << Describe(view);
        else
          EXPECT_TRUE(view == operation.before || view == operation.after) << Describe(view);
        EXPECT_TRUE(Leftovers().empty()) << testing::PrintToString(Leftovers());
        if (failAt >= steps) {
          EXPECT_TRUE(done);
        }
        if (recoveryCut >= recoverySteps) break;  // the recovery ran to its end
      }
      if (failAt >= steps) break;
    }
  }
}

TEST_F(RosterTransactions, RefusedWithoutTouchingAnything) {
  WriteFile(RecordPath(2), kParent1);
  EXPECT_FALSE(CommitMerge(2, 2, kChild));
  EXPECT_FALSE(CommitMerge(2, 16, kChild));
  EXPECT_FALSE(CommitMerge(2, 5, kChild));  // side 2 holds no record
  std::filesystem::permissions(PathFromUtf8(RecordPath(2)), std::filesystem::perms::owner_read);
  WriteFile(RecordPath(5), kParent2);
  EXPECT_FALSE(CommitMerge(2, 5, kChild));  // side 1's record is read-only
  EXPECT_EQ(ReadFile(RecordPath(5)), kParent2);
  EXPECT_EQ(CommitCertification(2, 71, kCertified), CertificationStep::Record);
  WriteFile(RecordPath(3), kCertified);
  std::filesystem::create_directories(PathFromUtf8(MarkerPath(3) + "/x"));  // a folder named rz.txt
  EXPECT_EQ(CommitCancellation(3, kCancelled), CertificationStep::Marker);
  EXPECT_EQ(ReadFile(RecordPath(3)), kCertified);
  EXPECT_TRUE(Leftovers().empty()) << testing::PrintToString(Leftovers());
}
