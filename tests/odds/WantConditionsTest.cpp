#include "odds/WantConditions.h"

#include <gtest/gtest.h>

namespace {
struct Pet {
  int species = 12;
  std::array<int, 5> aptitudes{1300, 950, 3000, 1700, 1000};
  int growth = 1085;
  std::vector<int> skills{19, 20, 5};
};

bool Holds(const std::string& text, const Pet& pet = {}) {
  std::string error;
  const auto want = ParseWantConditions(text, error);
  EXPECT_TRUE(want.has_value()) << text << ": " << error;
  return want && want->Holds(pet.species, pet.aptitudes, pet.growth, pet.skills);
}
}  // namespace

// Each condition at its edge: the pet's own value holds, one more does not.
TEST(WantConditions, EveryConditionAtItsEdge) {
  struct Case {
    const char* text;
    bool holds;
  };
  for (const Case c : {Case{"skills>=3", true},     Case{"skills>=4", false},      Case{"attack>=1300", true},
                       Case{"attack>=1301", false}, Case{"defence>=950", true},    Case{"defence>=951", false},
                       Case{"stamina>=3000", true}, Case{"stamina>=3001", false},  Case{"magic>=1700", true},
                       Case{"magic>=1701", false},  Case{"speed>=1000", true},     Case{"speed>=1001", false},
                       Case{"growth>=1.085", true}, Case{"growth>=1.086", false},  Case{"growth>=1085", true},
                       Case{"growth>=1086", false}, Case{"growth>=1.0851", false}, Case{"growth>=1", true},
                       Case{"has=20", true},        Case{"has=21", false},         Case{"species=12", true},
                       Case{"species=13", false}}) {
    EXPECT_EQ(Holds(c.text), c.holds) << c.text;
  }
}

TEST(WantConditions, AllMustHold) {
  EXPECT_TRUE(Holds("skills>=2, has=19,has=5,attack>=1200"));
  EXPECT_FALSE(Holds("skills>=2,has=19,has=6"));
  EXPECT_FALSE(Holds("species=12,species=13"));
  EXPECT_FALSE(Holds("attack>=1000,attack>=1400"));  // the higher limit counts
}

TEST(WantConditions, MalformedConditionsAreRefused) {
  for (const char* text :
       {"", "skills", "skills>=", "skills>=x", "skills>3", "speed=1000", "luck>=5", "has=0", "has=80", "has>=5",
        "species=36", "species=0", "attack>=12.5", "growth>=abc", "skills>=2,", ",skills>=2", "skills>=2,,has=5"}) {
    std::string error;
    EXPECT_FALSE(ParseWantConditions(text, error).has_value()) << text;
    EXPECT_FALSE(error.empty()) << text;
    EXPECT_EQ(error.find('\n'), std::string::npos) << text;
  }
}
