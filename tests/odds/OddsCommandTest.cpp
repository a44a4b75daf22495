#include "odds/OddsCommand.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "odds/OddsFixture.h"

namespace {
bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
bool OneLine(const std::string& text) { return !text.empty() && text.find('\n') == text.size() - 1; }
}  // namespace

class OddsCommandTest : public OddsFolderTest {
protected:
  void SetUp() override {
    OddsFolderTest::SetUp();
    WritePet(3, "12|1300|950|3000|1700|1000|1085|3|19|20|5");
    WritePet(5, "18|1400|800|4200|1900|1200|1120|2|28|57");
    WritePet(6, "9|960|768|3240|1344|768|1042|3|73|5|11");
    Certify(6, 73);
    WritePet(7, "12|1300");                // too few fields
    WritePet(8, "40|1|2|3|4|5|1000|1|3");  // no such species
    WritePet(9, "1|1|1|1|1|1|1000|0");     // no skills
    WritePet(10, "2|1|1|1|1|1|1000|0");
    // Records that are no files or too large: before, a folder aborted the command (134).
    std::filesystem::create_directories(root_ / RecordPath(11) / "x");
    ::mkfifo((root_ / RecordPath(12)).c_str(), 0644);
    std::string many = "1|1|1|1|1|1|1000|1001";
    for (int i = 0; i < 1001; ++i) many += "|" + std::to_string(i % 79 + 1);
    WritePet(13, many);
    WritePet(14, "1|1|1|1|1|1|1000|1|5" + std::string(70'000, ' '));
  }
};

TEST_F(OddsCommandTest, WashOfASpeciesAndOfASlot) {
  const Run bySpecies = Odds({"wash", "12", "--want", "skills>=3,has=19"});
  ASSERT_EQ(bySpecies.status, 0) << bySpecies.err;
  EXPECT_TRUE(Contains(bySpecies.out, "Wash of species 12")) << bySpecies.out;
  EXPECT_TRUE(Contains(bySpecies.out, "1152..1440"));
  EXPECT_TRUE(Contains(bySpecies.out, "1.072..1.120"));
  EXPECT_TRUE(Contains(bySpecies.out, "washes for 90 %"));
  const Run bySlot = Odds({"wash", "slot:3", "--want", "skills>=3,has=19"});
  ASSERT_EQ(bySlot.status, 0) << bySlot.err;
  EXPECT_TRUE(Contains(bySlot.out, "slot 3"));
  // The same species: the same figures after the first line.
  EXPECT_EQ(bySlot.out.substr(bySlot.out.find('\n')), bySpecies.out.substr(bySpecies.out.find('\n')));
}

TEST_F(OddsCommandTest, BadInputGetsOneLineAndAStatus) {
  struct Case {
    std::vector<std::string> words;
    int status;
    const char* says;
  };
  const std::vector<Case> cases{
      {{"wash", "36"}, 2, "unknown species"},
      {{"wash", "slot:16"}, 1, "unknown slot 16"},
      {{"wash", "slot:4"}, 1, "holds no pet"},
      {{"wash", "slot:7"}, 1, "damaged record"},
      {{"wash", "slot:8"}, 1, "damaged record"},
      {{"wash", "12", "--want", "skills>3"}, 2, "skills>3"},
      {{"wash", "12", "--want", "luck>=3"}, 2, "unknown name"},
      {{"wash", "12", "--frobnicate"}, 2, "unknown option"},
      {{"wash", "12", "--want"}, 2, "needs a value"},
      {{"merge", "3", "0"}, 1, "unknown slot 0"},
      {{"merge", "3", "x"}, 2, "not a slot"},
      {{"merge", "3", "7"}, 1, "damaged record"},
      {{"merge", "3", "4"}, 1, "holds no pet"},
      {{"merge", "3"}, 2, "two slots"},
      {{"merge", "3", "5", "--trials", "0"}, 2, "--trials"},
      {{"merge", "3", "5", "--seed", "-1"}, 2, "--seed"},
      {{"book", "3", "80"}, 2, "unknown skill"},
      {{"book", "4", "47"}, 1, "holds no pet"},
      {{"book", "7", "47"}, 1, "damaged record"},
      {{"wash", "slot:11"}, 1, "not a regular file"},
      {{"merge", "3", "11"}, 1, "not a regular file"},
      {{"book", "12", "47"}, 1, "not a regular file"},
      {{"merge", "13", "3"}, 1, "at most 1000 skills"},
      {{"wash", "slot:14"}, 1, "larger than 64 KiB"},
      {{"shuffle"}, 2, "unknown command"},
      {{}, 2, "wash, merge or book"},
  };
  for (const Case& c : cases) {
    const Run run = Odds(c.words);
    std::string words;
    for (const auto& w : c.words) words += w + " ";
    EXPECT_EQ(run.status, c.status) << words << run.err;
    EXPECT_TRUE(OneLine(run.err)) << words << ": " << run.err;
    EXPECT_TRUE(Contains(run.err, c.says)) << words << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << words;
  }
}

TEST_F(OddsCommandTest, MergeRefusalsOfThePickerAndTheMerge) {
  struct Case {
    std::vector<std::string> words;
    const char* message;
  };
  for (const Case& c :
       {Case{{"merge", "3", "3"}, "不能重复选择"}, Case{{"merge", "6", "3"}, "请先取消认证"},
        Case{{"merge", "3", "6"}, "请先取消认证"}, Case{{"merge", "9", "10"}, "两只宠物都没有技能，无法合宠"}}) {
    const Run run = Odds(c.words);
    EXPECT_EQ(run.status, 1) << c.words[1] << " " << c.words[2];
    EXPECT_TRUE(OneLine(run.err)) << run.err;
    EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
  }
}

TEST_F(OddsCommandTest, MergeShowsThePetsAsThePickerReadsThem) {
  const Run run = Odds({"merge", "3", "slot:5", "--trials", "20000", "--seed", "1", "--want", "has=19"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out,
                       "side 1: slot 3, species 12, attack 1300, defence 950, stamina 3000, magic 1700, "
                       "speed 1000, growth 1.085, skills 19 20 5"))
      << run.out;
  EXPECT_TRUE(Contains(run.out, "side 2: slot 5, species 18"));
  EXPECT_TRUE(Contains(run.out, "20000 simulated merges, seed 1"));
  EXPECT_TRUE(Contains(run.out, "1266..1433"));  // attack: 1300 and 1400 reach a third beyond
  EXPECT_TRUE(Contains(run.out, "clock"));       // the note on the skipped re-seed
}

TEST_F(OddsCommandTest, SameSeedSameOutputOnAnyNumberOfThreads) {
  const std::vector<std::string> words{"merge", "3", "5", "--trials", "30000", "--seed", "99", "--want", "skills>=3"};
  auto one = words, two = words;
  one.insert(one.end(), {"--threads", "1"});
  two.insert(two.end(), {"--threads", "2"});
  const Run first = Odds(one), second = Odds(two), again = Odds(two);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, second.out);
  EXPECT_EQ(second.out, again.out);
  auto other = two;
  other[6] = "100";
  EXPECT_NE(Odds(other).out, first.out);
  // Without --seed the seed comes from the clock and is printed, so a run can be repeated.
  const Run unseeded = Odds({"merge", "3", "5", "--trials", "5000"});
  EXPECT_TRUE(Contains(unseeded.out, "seed 12345")) << unseeded.out;
}

TEST_F(OddsCommandTest, WashSimulationSitsNextToTheExactFigures) {
  const Run run = Odds({"wash", "12", "--trials", "10000", "--seed", "5"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "Simulated 10000 washes, seed 5"));
}

TEST_F(OddsCommandTest, BookChancesAndRefusals) {
  const Run free = Odds({"book", "3", "47"});
  ASSERT_EQ(free.status, 0) << free.err;
  EXPECT_EQ(std::count(free.out.begin(), free.out.end(), '%'), 3) << free.out;
  const Run certified = Odds({"book", "6", "47"});
  ASSERT_EQ(certified.status, 0) << certified.err;
  EXPECT_TRUE(Contains(certified.out, "certified"));
  EXPECT_TRUE(Contains(certified.out, "never"));
  EXPECT_TRUE(Contains(certified.out, "50.0")) << certified.out;  // 2 of 3 skills can go
  // Who refuses: a special skill never gets past the skill-book picker; the rest is refused by
  // the learn button.
  struct Case {
    std::vector<std::string> words;
    const char* refuser;
    const char* refusal;
  };
  for (const Case& c : {Case{{"book", "3", "20"}, "The learn button", "技能重复"},
                        Case{{"book", "3", "0"}, "The learn button", "请放入兽决"},
                        Case{{"book", "3", "67"}, "The skill-book picker", "特殊技能不能选取"},
                        Case{{"book", "3", "66"}, "The skill-book picker", "特殊技能不能选取"},
                        Case{{"book", "9", "47"}, "The learn button", "没有可被兽决替换的技能"}}) {
    const Run run = Odds(c.words);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, std::string(c.refuser) + " refuses: \"" + c.refusal + "\"\n")) << run.out;
  }
  // A special book for a pet without skills: the picker refuses it first, the learn button would too.
  const Run both = Odds({"book", "9", "79"});
  EXPECT_TRUE(Contains(both.out,
                       "The skill-book picker refuses: \"特殊技能不能选取\"\n"
                       "  the learn button would also refuse: \"没有可被兽决替换的技能\"\n"))
      << both.out;
  EXPECT_FALSE(Contains(both.out, "The learn button refuses")) << both.out;
}

TEST_F(OddsCommandTest, JsonForScripts) {
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"wash", "slot:3", "--want", "has=19", "--json"},
        std::vector<std::string>{"merge", "3", "5", "--trials", "5000", "--seed", "2", "--json", "--want", "has=5"},
        std::vector<std::string>{"book", "6", "47", "--json"}, std::vector<std::string>{"book", "3", "20", "--json"}}) {
    const Run run = Odds(words);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.front(), '{') << run.out;
    EXPECT_EQ(run.out.substr(run.out.size() - 2), "}\n");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '{'), std::count(run.out.begin(), run.out.end(), '}'));
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '['), std::count(run.out.begin(), run.out.end(), ']'));
    EXPECT_FALSE(Contains(run.out, ",,") || Contains(run.out, ",}") || Contains(run.out, ",]") ||
                 Contains(run.out, "{,") || Contains(run.out, "[,"))
        << run.out;
  }
  const Run refused = Odds({"book", "3", "20", "--json"});
  EXPECT_TRUE(Contains(refused.out, "\"refusals\":[\"技能重复\"]")) << refused.out;
  // Every growth is in thousandths, the merge sides' as well as the values' ranges.
  const Run merge = Odds({"merge", "3", "5", "--trials", "5000", "--seed", "2", "--json"});
  EXPECT_TRUE(Contains(merge.out, "\"growth\":1085,\"skills\":[19,20,5]")) << merge.out;
  EXPECT_TRUE(Contains(merge.out, "\"growth\":1120,\"skills\":[28,57]")) << merge.out;
  EXPECT_FALSE(Contains(merge.out, "1.08")) << merge.out;
  const Run book = Odds({"book", "6", "47", "--json"});
  EXPECT_TRUE(Contains(book.out, "{\"position\":1,\"skill\":73,\"chance\":0}")) << book.out;
}

TEST_F(OddsCommandTest, PlotIsAPicture) {
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"wash", "18"}, std::vector<std::string>{"merge", "3", "5", "--trials", "5000"},
        std::vector<std::string>{"book", "3", "47"}}) {
    const std::filesystem::path plot = root_ / ("chart-" + words[0] + ".png");
    auto withPlot = words;
    withPlot.insert(withPlot.end(), {"--plot", plot.string()});
    const Run run = Odds(withPlot);
    ASSERT_EQ(run.status, 0) << run.err;
    cairo_surface_t* picture = cairo_image_surface_create_from_png(plot.c_str());
    EXPECT_EQ(cairo_surface_status(picture), CAIRO_STATUS_SUCCESS) << words[0];
    EXPECT_EQ(cairo_image_surface_get_width(picture), 900);
    EXPECT_GT(cairo_image_surface_get_height(picture), 300);
    cairo_surface_destroy(picture);
  }
  const Run unwritable = Odds({"wash", "18", "--plot", (root_ / "no-such-folder" / "x.png").string()});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_TRUE(OneLine(unwritable.err)) << unwritable.err;
}

TEST_F(OddsCommandTest, NothingInTheFolderChanges) {
  const auto before = Snapshot();
  Odds({"wash", "slot:3", "--trials", "1000"});
  Odds({"merge", "3", "5", "--trials", "1000"});
  Odds({"book", "3", "47"});
  Odds({"book", "6", "47"});
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(OddsCommandTest, TheWorkingDirectoryIsTheDefaultFolder) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(root_);
  std::ostringstream out, err;
  OddsIo io{out, err, nullptr, 1};
  const int status = RunOdds({"book", "3", "47"}, io);
  std::filesystem::current_path(previous);
  EXPECT_EQ(status, 0) << err.str();
  EXPECT_TRUE(Contains(out.str(), "slot 3 (species 12)")) << out.str();
}
