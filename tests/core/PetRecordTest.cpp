#include "core/PetRecord.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <vector>

TEST(SplitRecord, FollowsTheSplittingRules) {
  struct Case {
    std::string text;
    std::vector<std::string> fields;
  };
  const std::vector<Case> cases = {
      {"12|1300|950|3000|1700|1000|1085|3|19|20|5",
       {"12", "1300", "950", "3000", "1700", "1000", "1085", "3", "19", "20", "5"}},
      {"", {}},
      {"|", {""}},
      {"a||b", {"a", "", "b"}},
      {"1|2|", {"1", "2"}},           // a final separator adds nothing
      {"1|2||", {"1", "2", ""}},      // but the empty piece before it counts
      {"\x81|x|y", {"\x81|x", "y"}},  // a trail byte is never a separator
      {"1|\xB0", {"1", "\xB0"}},      // a lead byte at the very end
      {std::string("1|2\0|3", 6), {"1", "2"}},
      {std::string("\0|1", 3), {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitRecord(c.text), c.fields) << c.text;
}

TEST(ParseRecordNumber, TakesLeadingDecimalDigits) {
  struct Case {
    std::string field;
    int value;
  };
  const std::vector<Case> cases = {
      {"12", 12},
      {"  -7x", -7},
      {"+5", 5},
      {"\t42", 42},
      {"1.9", 1},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"- 3", 0},
      {"007", 7},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseRecordNumber(c.field), c.value) << '"' << c.field << '"';
}

TEST(GrowthFromThousandths, GivesTheThousandthsAsAReal) {
  EXPECT_EQ(GrowthFromThousandths(952), 0.952);
  EXPECT_EQ(GrowthFromThousandths(1300), 1.3);
  EXPECT_EQ(GrowthFromThousandths(1013), 1.013);
  EXPECT_EQ(GrowthFromThousandths(1000), 1.0);
  EXPECT_EQ(GrowthFromThousandths(0), 0.0);
  EXPECT_EQ(GrowthFromThousandths(-1085), -1.085);
  for (int g = 0; g <= 3000; ++g) ASSERT_EQ(GrowthFromThousandths(g), g / 1000.0) << g;
}

TEST(FormatRecord, WritesTheRecordLayout) {
  const std::array<int, 5> aptitudes{1300, 950, 3000, 1700, 1000};
  const std::vector<int> skills{19, 20, 5};
  EXPECT_EQ(FormatRecord(12, aptitudes, 1085, skills), "12|1300|950|3000|1700|1000|1085|3|19|20|5");
  EXPECT_EQ(FormatRecord(12, aptitudes, 1085, {}), "12|1300|950|3000|1700|1000|1085|0");
}

TEST(FormatCopiedRecord, KeepsTheStoredFieldsAsText) {
  const std::vector<std::string> stored{" 12", "1300.5", "950", "3000", "1700", "1000", "1085", "9", "19"};
  const std::vector<int> skills{71, 5, 13};
  EXPECT_EQ(FormatCopiedRecord(stored, skills), " 12|1300.5|950|3000|1700|1000|1085|3|71|5|13");
}
