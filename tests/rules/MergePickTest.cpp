#include "rules/MergePick.h"

#include <gtest/gtest.h>

namespace {

TEST(MergePick, RefusesInThePickersOrderAndAsksTheCertificationOnlyWhenNeeded) {
  const struct {
    int slot;
    int otherSide;
    bool certified;
    MergePickRefusal refusal;
    bool asked;
  } cases[] = {
      {3, 0, false, MergePickRefusal::None, true},
      {3, 4, true, MergePickRefusal::Certified, true},
      {3, 3, true, MergePickRefusal::OnOtherSide, false},  // the other side is checked first
      {3, 3, false, MergePickRefusal::OnOtherSide, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slot * 100 + c.otherSide);
    bool asked = false;
    const MergePickRefusal refusal = CheckMergePick(c.slot, c.otherSide, [&](int slot) {
      asked = true;
      EXPECT_EQ(slot, c.slot);
      return c.certified;
    });
    EXPECT_EQ(refusal, c.refusal);
    EXPECT_EQ(asked, c.asked);
  }
  EXPECT_EQ(MergePickRefusalText(MergePickRefusal::OnOtherSide), "不能重复选择");
  EXPECT_EQ(MergePickRefusalText(MergePickRefusal::Certified), "请先取消认证");
  EXPECT_EQ(MergePickRefusalText(MergePickRefusal::None), "");
}

}  // namespace
