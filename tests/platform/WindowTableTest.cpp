#include "platform/WindowTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace platform {
namespace {

// A window that only keeps the table's books: its Destroy does what a backend's does.
class TableTestWindow final : public Window {
public:
  TableTestWindow(WindowTable<TableTestWindow>& table, std::string name, TableTestWindow* owner,
                  std::vector<std::string>& log, bool& freed)
      : table_(table), name_(std::move(name)), owner_(owner), log_(log), freed_(freed) {}
  ~TableTestWindow() override { freed_ = true; }

  const std::string& Name() const override { return name_; }
  const TableTestWindow* Owner() const { return owner_; }
  bool Closed() const { return closed_; }
  bool Present(cairo_surface_t*) override { return false; }
  int Left() const override { return 0; }
  int Top() const override { return 0; }
  int Width() const override { return 0; }
  int Height() const override { return 0; }
  void Move(int, int) override {}
  void Minimize() override {}
  void Destroy() override {
    if (closed_) return;
    closed_ = true;
    table_.DestroyOwnedBy(*this);
    log_.push_back(name_);
    table_.Retire(*this);
  }
  void SetControlVisible(std::string_view, bool) override {}
  void BeginTitleDrag() override {}

private:
  WindowTable<TableTestWindow>& table_;
  std::string name_;
  TableTestWindow* owner_;
  std::vector<std::string>& log_;
  bool& freed_;
  bool closed_ = false;
};

class WindowTableTest : public testing::Test {
protected:
  TableTestWindow& Open(const std::string& name, TableTestWindow* owner = nullptr) {
    freed_.push_back(std::make_unique<bool>(false));
    return table.Add(std::make_unique<TableTestWindow>(table, name, owner, destroyed, *freed_.back()));
  }
  bool Freed(std::size_t opening) const { return *freed_[opening]; }

  std::vector<std::string> destroyed;
  std::vector<std::unique_ptr<bool>> freed_;
  WindowTable<TableTestWindow> table;
};

TEST_F(WindowTableTest, FirstWindowIsMainAndNamesFindTheLastOpenOne) {
  TableTestWindow& main = Open("main");
  TableTestWindow& first = Open("picker", &main);
  TableTestWindow& second = Open("picker", &main);
  EXPECT_EQ(table.Main(), &main);
  EXPECT_EQ(table.Find("picker"), &second);
  EXPECT_EQ(table.Lookup(&first), &first);
  EXPECT_EQ(table.Lookup(nullptr), nullptr);
  {
    WindowTable<TableTestWindow>::HandlerScope scope(table);
    second.Destroy();
    EXPECT_EQ(table.Find("picker"), &first);
    EXPECT_EQ(table.Lookup(&second), nullptr);
  }
  TableTestWindow& later = Open("other");
  EXPECT_EQ(table.Main(), &main);  // only the first window ever opened is the main one
  {
    WindowTable<TableTestWindow>::HandlerScope scope(table);
    main.Destroy();
  }
  EXPECT_EQ(table.Main(), nullptr);
  EXPECT_EQ(table.Lookup(&later), &later);
}

TEST_F(WindowTableTest, OwnedWindowsAreDestroyedBeforeTheirOwner) {
  TableTestWindow& main = Open("main");
  TableTestWindow& roster = Open("roster", &main);
  Open("picker", &roster);
  Open("box", &main);
  WindowTable<TableTestWindow>::HandlerScope scope(table);
  main.Destroy();
  EXPECT_EQ(destroyed, (std::vector<std::string>{"picker", "roster", "box", "main"}));
}

TEST_F(WindowTableTest, AClosedWindowIsFreedOnlyWhenTheLastHandlerEnds) {
  TableTestWindow& main = Open("main");
  TableTestWindow& popup = Open("popup", &main);
  {
    WindowTable<TableTestWindow>::HandlerScope outer(table);
    {
      WindowTable<TableTestWindow>::HandlerScope inner(table);
      popup.Destroy();
    }
    EXPECT_FALSE(Freed(1)) << "an outer handler may still be inside the window";
  }
  EXPECT_TRUE(Freed(1));
  EXPECT_FALSE(Freed(0));
  main.Destroy();  // outside any handler: kept until the next one ends
  EXPECT_FALSE(Freed(0));
  { WindowTable<TableTestWindow>::HandlerScope next(table); }
  EXPECT_TRUE(Freed(0));
}

TEST_F(WindowTableTest, RetireSaysWhetherItWasTheMainWindow) {
  TableTestWindow& main = Open("main");
  TableTestWindow& other = Open("other");
  EXPECT_FALSE(table.Retire(other));
  EXPECT_TRUE(table.Retire(main));
  EXPECT_EQ(table.Main(), nullptr);
}

}  // namespace
}  // namespace platform
