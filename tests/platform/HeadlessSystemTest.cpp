#include "platform/headless/HeadlessSystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace platform {
namespace {

HeadlessInput At(InputKind kind, std::string window, int x, int y) {
  HeadlessInput input;
  input.kind = kind;
  input.window = std::move(window);
  input.x = x;
  input.y = y;
  return input;
}

ControlForm Button(std::string name, Rect place) {
  ControlForm c;
  c.name = std::move(name);
  c.place = place;
  return c;
}

WindowForm Form(std::string name, int left, int top, int width, int height, Window* owner = nullptr) {
  WindowForm f;
  f.name = std::move(name);
  f.left = left;
  f.top = top;
  f.width = width;
  f.height = height;
  f.owner = owner;
  return f;
}

TEST(HeadlessSystem, WindowClosingItselfFromReleaseGetsNoClickAndIsFreedSafely) {
  HeadlessSystem system;
  std::vector<std::string> log;
  WindowForm form = Form("certify", 0, 0, 100, 100);
  ControlForm b = Button("b", MakeRect(0, 0, 100, 100));
  Window* self = nullptr;
  b.events.leftRelease = [&](int, int) {
    log.push_back("release");
    self->Destroy();
    self->Destroy();                                 // a second close does nothing
    log.push_back("after destroy " + self->Name());  // still readable inside the handler
  };
  b.events.click = [&] { log.push_back("click"); };
  form.controls = {b};
  form.destroyed = [&](Window&) { log.push_back("destroyed"); };
  self = system.Open(form);
  ASSERT_NE(self, nullptr);
  ASSERT_TRUE(system.Deliver(At(InputKind::Click, "certify", 5, 5)));
  EXPECT_EQ(log, (std::vector<std::string>{"release", "destroyed", "after destroy certify"}));
  EXPECT_EQ(system.Find("certify"), nullptr);
  EXPECT_FALSE(system.Deliver(At(InputKind::Click, "certify", 5, 5)));
  EXPECT_EQ(system.Failure(), "window certify is not open");
}

TEST(HeadlessSystem, PressHandlerThatClosesTheWindowEndsTheClick) {
  HeadlessSystem system;
  int releases = 0;
  WindowForm form = Form("detail", 0, 0, 50, 50);
  ControlForm b = Button("close", MakeRect(0, 0, 50, 50));
  b.events.leftPress = [&](int, int) { system.Find("detail")->Destroy(); };
  b.events.leftRelease = [&](int, int) { ++releases; };
  form.controls = {b};
  ASSERT_NE(system.Open(form), nullptr);
  EXPECT_TRUE(system.Deliver(At(InputKind::Click, "detail", 1, 1)));
  EXPECT_EQ(releases, 0);
}

// The main window's click opens a pop-up modally; the pop-up closes itself on a right click.
struct ModalFixture {
  HeadlessSystem system;
  std::vector<std::string> log;
  Window* main = nullptr;

  void OpenMain() {
    WindowForm mainForm = Form("main", 100, 50, 920, 620);
    ControlForm open = Button("open", MakeRect(0, 0, 100, 100));
    open.events.click = [this] {
      WindowForm pop = Form("certify", 200, 200, 335, 190, main);
      ControlForm area = Button("area", MakeRect(0, 0, 335, 190));
      area.events.rightRelease = [this](int, int) { system.Find("certify")->Destroy(); };
      area.events.mouseMove = [this](int, int) { log.push_back("pop-up move"); };
      pop.controls = {area};
      pop.destroyed = [this](Window&) { log.push_back("pop-up destroyed"); };
      log.push_back("opening");
      bool opened = system.OpenModal(pop);
      log.push_back(opened ? "returned" : "refused");
    };
    ControlForm other = Button("other", MakeRect(200, 0, 100, 100));
    other.events.click = [this] { log.push_back("main got input"); };
    mainForm.controls = {open, other};
    main = system.Open(mainForm);
  }
};

TEST(HeadlessSystem, ModalOpeningReturnsOnlyAfterThePopUpIsDestroyed) {
  ModalFixture f;
  f.OpenMain();
  f.system.Post(At(InputKind::Click, "main", 10, 10));
  f.system.Post(At(InputKind::Move, "certify", 10, 10));
  f.system.Post(At(InputKind::RightClick, "certify", 10, 10));
  f.system.Post(At(InputKind::Click, "main", 210, 10));
  bool ended = false;
  f.system.SetInputEndHandler([&] {
    ended = true;
    f.main->Destroy();
  });
  f.system.Run();
  EXPECT_TRUE(ended);
  EXPECT_EQ(f.system.Failure(), "");
  EXPECT_EQ(f.log,
            (std::vector<std::string>{"opening", "pop-up move", "pop-up destroyed", "returned", "main got input"}));
}

TEST(HeadlessSystem, OwnerGetsNoInputWhileModalIsOpen) {
  ModalFixture f;
  f.OpenMain();
  f.system.Post(At(InputKind::Click, "main", 10, 10));
  f.system.Post(At(InputKind::Click, "main", 210, 10));  // blocked: ends the run
  f.system.Post(At(InputKind::Move, "certify", 10, 10));
  f.system.SetInputEndHandler([&] { f.main->Destroy(); });
  f.system.Run();
  EXPECT_EQ(f.system.Failure(), "window main takes no input while certify is open");
  // The pop-up went with its owner when the run ended; the opening still returned.
  EXPECT_EQ(f.log, (std::vector<std::string>{"opening", "pop-up destroyed", "returned"}));
  EXPECT_EQ(f.system.Find("main"), nullptr);
}

TEST(HeadlessSystem, ModalLoopAtInputEndWithoutHandlerClosesThePopUp) {
  ModalFixture f;
  f.OpenMain();
  f.system.Post(At(InputKind::Click, "main", 10, 10));
  f.system.Run();  // no input-end handler: the pop-up is closed, then Run returns
  EXPECT_EQ(f.log, (std::vector<std::string>{"opening", "pop-up destroyed", "returned"}));
  EXPECT_NE(f.system.Find("main"), nullptr);
}

TEST(HeadlessSystem, RefusedOpeningFailsOnceWithoutEvents) {
  HeadlessSystem system;
  bool created = false;
  WindowForm form = Form("roster", 0, 0, 10, 10);
  form.created = [&](Window&) { created = true; };
  system.RefuseOpen("roster");
  system.RefuseOpen("species");
  EXPECT_EQ(system.Open(form), nullptr);
  EXPECT_FALSE(created);
  EXPECT_FALSE(system.OpenModal(Form("species", 0, 0, 10, 10)));
  EXPECT_NE(system.Open(form), nullptr);
  EXPECT_TRUE(created);
}

TEST(HeadlessSystem, WindowDestroyedInItsCreatedHandlerIsNotReturned) {
  HeadlessSystem system;
  WindowForm form = Form("species", 0, 0, 10, 10);
  form.created = [](Window& w) { w.Destroy(); };
  EXPECT_EQ(system.Open(form), nullptr);
  EXPECT_TRUE(system.OpenModal(form));  // opened and closed at once: returns without input
}

TEST(HeadlessSystem, DestroyingOwnerDestroysOwnedWindowsFirst) {
  HeadlessSystem system;
  std::vector<std::string> log;
  WindowForm mainForm = Form("main", 0, 0, 10, 10);
  mainForm.destroyed = [&](Window&) { log.push_back("main"); };
  Window* main = system.Open(mainForm);
  WindowForm rosterForm = Form("roster", 0, 0, 10, 10, main);
  rosterForm.destroyed = [&](Window&) { log.push_back("roster"); };
  ASSERT_NE(system.Open(rosterForm), nullptr);
  main->Destroy();
  EXPECT_EQ(log, (std::vector<std::string>{"roster", "main"}));
  EXPECT_EQ(system.Find("roster"), nullptr);
}

TEST(HeadlessSystem, FindReturnsTheLatestOpenWindowOfThatName) {
  HeadlessSystem system;
  Window* first = system.Open(Form("roster", 0, 0, 10, 10));
  Window* second = system.Open(Form("roster", 0, 0, 10, 10));
  EXPECT_EQ(system.Find("roster"), second);
  second->Destroy();
  EXPECT_EQ(system.Find("roster"), first);
}

TEST(HeadlessSystem, MessageBoxesAreRecordedAndAnsweredFromTheQueue) {
  HeadlessSystem system;
  Window* main = system.Open(Form("main", 0, 0, 10, 10));
  system.QueueAnswer(false);
  // An OK box takes no answer from the queue.
  EXPECT_TRUE(system.ShowMessage(main, "数据保存失败！", "信息：", MessageButtons::Ok));
  EXPECT_FALSE(system.ShowMessage(main, "确定取消认证吗？", "提示", MessageButtons::OkCancel));
  EXPECT_TRUE(system.ShowMessage(nullptr, "确定取消认证吗？", "提示", MessageButtons::OkCancel));  // empty: OK
  ASSERT_EQ(system.Messages().size(), 3u);
  const MessageRecord& asked = system.Messages()[1];
  EXPECT_EQ(asked.owner, "main");
  EXPECT_EQ(asked.caption, "提示");
  EXPECT_EQ(asked.text, "确定取消认证吗？");
  EXPECT_EQ(asked.buttons, MessageButtons::OkCancel);
  EXPECT_FALSE(asked.answer);
  EXPECT_EQ(system.Messages()[2].owner, "");
  EXPECT_TRUE(system.Messages()[2].answer);
}

TEST(HeadlessSystem, ScriptedAnswerReachesTheQuestionAskedByTheNextClick) {
  HeadlessSystem system;
  bool answer = true;
  WindowForm form = Form("main", 0, 0, 100, 100);
  ControlForm b = Button("b", MakeRect(0, 0, 100, 100));
  b.events.click = [&] { answer = system.ShowMessage(nullptr, "q", "提示", MessageButtons::OkCancel); };
  form.controls = {b};
  system.Open(form);
  HeadlessInput cancel;
  cancel.kind = InputKind::Answer;
  cancel.ok = false;
  system.Post(cancel);
  system.Post(At(InputKind::Click, "main", 1, 1));
  system.Run();
  EXPECT_FALSE(answer);
}

TEST(HeadlessSystem, PrintsMessagesOnlyWhenAsked) {
  HeadlessSystem system;
  testing::internal::CaptureStdout();
  system.ShowMessage(nullptr, "silent", "信息：", MessageButtons::Ok);
  system.SetPrintMessages(true);
  system.ShowMessage(nullptr, "请添加宠物", "信息：", MessageButtons::Ok);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "message 信息：: 请添加宠物\n");
}

TEST(HeadlessSystem, InjectedEventPutsTheCursorAtWindowPlacePlusPixel) {
  HeadlessSystem system;
  Point seen;
  WindowForm form = Form("roster", 143, 435, 410, 200);
  ControlForm b = Button("b", MakeRect(0, 0, 410, 200));
  b.events.leftPress = [&](int, int) { seen = system.CursorPosition(); };
  form.controls = {b};
  system.Open(form);
  ASSERT_TRUE(system.Deliver(At(InputKind::Press, "roster", 5, 7)));
  EXPECT_EQ(seen, (Point{148, 442}));
  // Outside the window too (a drag that left it), and without any control there.
  ASSERT_TRUE(system.Deliver(At(InputKind::Move, "roster", -20, 300)));
  EXPECT_EQ(system.CursorPosition(), (Point{123, 735}));
}

TEST(HeadlessSystem, MoveWindowFiresPositionChangedOnlyWhenThePlaceChanges) {
  HeadlessSystem system;
  std::vector<Point> places;
  WindowForm form = Form("main", 10, 20, 920, 620);
  form.positionChanged = [&](Window& w) { places.push_back(Point{w.Left(), w.Top()}); };
  system.Open(form);
  ASSERT_TRUE(system.Deliver(At(InputKind::MoveWindow, "main", 300, 40)));
  ASSERT_TRUE(system.Deliver(At(InputKind::MoveWindow, "main", 300, 40)));
  EXPECT_EQ(places, (std::vector<Point>{{300, 40}}));
}

TEST(HeadlessSystem, OwnedWindowFollowsOwnerThroughPositionChanged) {
  HeadlessSystem system;
  WindowForm mainForm = Form("main", 0, 0, 920, 620);
  mainForm.positionChanged = [&](Window& w) {
    if (Window* roster = system.Find("roster")) roster->Move(w.Left() + 43, w.Top() + 385);
  };
  Window* main = system.Open(mainForm);
  Window* roster = system.Open(Form("roster", 43, 385, 410, 200, main));
  ASSERT_TRUE(system.Deliver(At(InputKind::MoveWindow, "main", 100, 7)));
  EXPECT_EQ(roster->Left(), 143);
  EXPECT_EQ(roster->Top(), 392);
}

TEST(HeadlessSystem, TitleDragMovesTheWindowWithThePointerUntilRelease) {
  HeadlessSystem system;
  std::vector<std::string> log;
  WindowForm form = Form("main", 100, 100, 920, 620);
  ControlForm strip = Button("透明标签1", MakeRect(0, 0, 920, 56));
  strip.kind = ControlKind::TransparentLabel;
  strip.events.leftPress = [&](int, int) { system.Find("main")->BeginTitleDrag(); };
  strip.events.leftRelease = [&](int, int) { log.push_back("release"); };
  strip.events.mouseMove = [&](int, int) { log.push_back("move"); };
  form.controls = {strip};
  form.positionChanged = [&](Window& w) { log.push_back(std::to_string(w.Left()) + "," + std::to_string(w.Top())); };
  Window* main = system.Open(form);
  system.Deliver(At(InputKind::Press, "main", 10, 10));    // cursor 110,110
  system.Deliver(At(InputKind::Move, "main", 40, 30));     // cursor 140,130: window +30,+20
  system.Deliver(At(InputKind::Release, "main", 10, 10));  // the grabbed pixel stays under the pointer
  system.Deliver(At(InputKind::Move, "main", 20, 20));     // a hover after the drag
  EXPECT_EQ(log, (std::vector<std::string>{"130,120", "move"}));
  EXPECT_EQ(main->Left(), 130);
}

// Each drag step moves the window by the pointer's way; a script repeating it must not carry the
// window's position (and the sums the handlers make of it) toward overflow.
TEST(HeadlessSystem, RepeatedDragsKeepTheWindowOnAnXScreen) {
  HeadlessSystem system;
  WindowForm form = Form("main", 0, 0, 920, 620);
  ControlForm strip = Button("strip", MakeRect(0, 0, 920, 56));
  strip.events.leftPress = [&](int, int) { system.Find("main")->BeginTitleDrag(); };
  form.controls = {strip};
  Window* main = system.Open(form);
  system.Deliver(At(InputKind::Press, "main", 10, 10));
  for (int i = 0; i < 100; ++i) system.Deliver(At(InputKind::Move, "main", 30000, 10));
  EXPECT_EQ(main->Left(), kReplayCoordinateLimit);
  system.Deliver(At(InputKind::Release, "main", 0, 0));
  system.Deliver(At(InputKind::MoveWindow, "main", -kReplayCoordinateLimit, -kReplayCoordinateLimit));
  system.Deliver(At(InputKind::Press, "main", 900, 10));
  for (int i = 0; i < 100; ++i) system.Deliver(At(InputKind::Move, "main", -30000, 10));
  EXPECT_EQ(main->Left(), -kReplayCoordinateLimit);
  EXPECT_EQ(system.Failure(), "");
}

TEST(HeadlessSystem, MinimizeIsRecorded) {
  HeadlessSystem system;
  Window* main = system.Open(Form("main", 0, 0, 10, 10));
  EXPECT_FALSE(system.IsMinimized("main"));
  main->Minimize();
  EXPECT_TRUE(system.IsMinimized("main"));
}

struct Surface {
  cairo_surface_t* s;
  explicit Surface(cairo_surface_t* surface) : s(surface) {}
  ~Surface() { cairo_surface_destroy(s); }
  std::uint32_t Pixel(int x, int y) const {
    cairo_surface_flush(s);
    auto* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const std::uint32_t*>(row)[x];
  }
  void Set(int x, int y, std::uint32_t px) {
    cairo_surface_flush(s);
    auto* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    reinterpret_cast<std::uint32_t*>(row)[x] = px;
    cairo_surface_mark_dirty(s);
  }
};

TEST(HeadlessSystem, PresentedSurfaceIsACopySavedAsPng) {
  auto dir = std::filesystem::temp_directory_path() / ("petsim-platform-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  HeadlessSystem system;
  Window* w = system.Open(Form("detail", 0, 0, 10, 10));
  Surface canvas(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 3));
  canvas.Set(1, 2, 0x80402010u);  // premultiplied, half transparent
  ASSERT_TRUE(w->Present(canvas.s));
  EXPECT_EQ(w->Width(), 4);
  EXPECT_EQ(w->Height(), 3);
  canvas.Set(1, 2, 0u);  // the canvas draws on after presenting
  EXPECT_EQ(Surface(cairo_surface_reference(system.Presented("detail"))).Pixel(1, 2), 0x80402010u);

  HeadlessInput shot;
  shot.kind = InputKind::Shot;
  shot.window = "detail";
  shot.file = (dir / "shot one.png").string();
  ASSERT_TRUE(system.Deliver(shot));
  Surface read(cairo_image_surface_create_from_png(shot.file.c_str()));
  ASSERT_EQ(cairo_surface_status(read.s), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(read.s), 4);
  EXPECT_EQ(read.Pixel(1, 2), 0x80402010u);
  EXPECT_EQ(read.Pixel(0, 0), 0u);

  shot.file = (dir / "no such folder" / "x.png").string();
  EXPECT_FALSE(system.Deliver(shot));
  EXPECT_NE(system.Failure().find("cannot write"), std::string::npos);
  std::filesystem::remove_all(dir);
}

// A launch folder with a sub-folder, and beside it a folder of the user's that a script must not
// reach: through a link to a folder, a link to a file, a hard link or a FIFO.
class ShotFolderTest : public testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/petsim-shots-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    launch = root / "launch";
    user = root / "user";
    std::filesystem::create_directories(launch / "sub");
    std::filesystem::create_directories(user);
    std::ofstream(user / "notes.txt") << "keep me";
    std::filesystem::create_directory_symlink(user, launch / "linkdir");
    std::filesystem::create_symlink(user / "notes.txt", launch / "link.png");
    std::filesystem::create_hard_link(user / "notes.txt", launch / "hard.png");
    ASSERT_EQ(::mkfifo((launch / "fifo.png").c_str(), 0600), 0);
    ASSERT_TRUE(system.SetShotFolder(launch.string()));
    window = system.Open(Form("main", 0, 0, 10, 10));
    cairo_surface_t* canvas = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 3, 2);
    window->Present(canvas);
    cairo_surface_destroy(canvas);
  }
  void TearDown() override { std::filesystem::remove_all(root); }

  bool Shot(const std::string& file) {
    HeadlessInput shot;
    shot.kind = InputKind::Shot;
    shot.window = "main";
    shot.file = file;
    return system.Deliver(shot);
  }

  std::string UserNotes() const {
    std::ifstream in(user / "notes.txt");
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path root, launch, user;
  HeadlessSystem system;
  Window* window = nullptr;
};

TEST_F(ShotFolderTest, WritesBelowTheLaunchFolder) {
  EXPECT_TRUE(Shot("plain.png")) << system.Failure();
  EXPECT_TRUE(Shot("./sub//deeper.png")) << system.Failure();
  EXPECT_TRUE(Shot("plain.png")) << "an earlier shot is overwritten";
  EXPECT_GT(std::filesystem::file_size(launch / "plain.png"), 0u);
  EXPECT_GT(std::filesystem::file_size(launch / "sub" / "deeper.png"), 0u);
  EXPECT_FALSE(std::filesystem::exists("plain.png")) << "relative to the launch folder, not the working one";
}

TEST_F(ShotFolderTest, RefusesEveryWayOutOfTheLaunchFolder) {
  const struct {
    std::string file;
    std::string why;
  } cases[] = {
      {"linkdir/notes.txt", "linkdir is a link"},
      {"linkdir/new.png", "linkdir is a link"},
      {"link.png", "link.png is a link"},
      {"hard.png", "hard.png has other names (hard links)"},
      {"fifo.png", "fifo.png: No such device or address"},
      {"sub", "sub: Is a directory"},
      {"missing/x.png", "missing: No such file or directory"},
      {"../user/notes.txt", "`..` leads out of the folder"},
      {(std::filesystem::absolute(user) / "notes.txt").string(), "not a relative path"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    HeadlessSystem fresh;  // the first failure is kept: a system per case
    ASSERT_TRUE(fresh.SetShotFolder(launch.string()));
    Window* w = fresh.Open(Form("main", 0, 0, 10, 10));
    cairo_surface_t* canvas = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 3, 2);
    w->Present(canvas);
    cairo_surface_destroy(canvas);
    HeadlessInput shot;
    shot.kind = InputKind::Shot;
    shot.window = "main";
    shot.file = c.file;
    EXPECT_FALSE(fresh.Deliver(shot));
    EXPECT_EQ(fresh.Failure(), "cannot write " + c.file + " (" + c.why + ")");
  }
  EXPECT_EQ(UserNotes(), "keep me");
  EXPECT_FALSE(std::filesystem::exists(user / "new.png"));
}

TEST(HeadlessSystem, ShotsFailWhenTheLaunchFolderCannotBeOpened) {
  HeadlessSystem system;
  EXPECT_FALSE(system.SetShotFolder("/nonexistent/petsim"));
  Window* w = system.Open(Form("main", 0, 0, 10, 10));
  cairo_surface_t* canvas = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 3, 2);
  w->Present(canvas);
  cairo_surface_destroy(canvas);
  HeadlessInput shot;
  shot.kind = InputKind::Shot;
  shot.window = "main";
  shot.file = "anywhere.png";
  EXPECT_FALSE(system.Deliver(shot));
  EXPECT_EQ(system.Failure(), "cannot write anywhere.png (no folder to write in)");
  EXPECT_FALSE(std::filesystem::exists("anywhere.png"));
}

TEST(HeadlessSystem, ShotOfWindowThatPresentedNothingFails) {
  HeadlessSystem system;
  system.Open(Form("main", 0, 0, 10, 10));
  HeadlessInput shot;
  shot.kind = InputKind::Shot;
  shot.window = "main";
  shot.file = "never.png";
  shot.line = 4;
  shot.text = "shot main never.png";
  EXPECT_FALSE(system.Deliver(shot));
  EXPECT_EQ(system.Failure(), "replay line 4 `shot main never.png`: window main has presented nothing");
  EXPECT_FALSE(std::filesystem::exists("never.png"));
}

TEST(HeadlessSystem, PresentRefusesWhatIsNoImageSurface) {
  HeadlessSystem system;
  Window* w = system.Open(Form("main", 0, 0, 10, 10));
  EXPECT_FALSE(w->Present(nullptr));
  cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
  EXPECT_FALSE(w->Present(recording));
  cairo_surface_destroy(recording);
  EXPECT_EQ(system.Presented("main"), nullptr);
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

// A key goes to the window named, its handler may close it; a window blocked by a modal one
// takes no key, and a window without a key handler lets it pass.
TEST(HeadlessSystem, KeyPressReachesTheWindowsHandler) {
  HeadlessSystem system;
  std::vector<std::string> log;
  WindowForm main = Form("main", 0, 0, 300, 200);
  WindowForm pop = Form("pop", 50, 50, 100, 80);
  pop.keyPressed = [&](Window& w, Key key) {
    log.push_back(key == Key::Escape ? "pop escape" : "pop other");
    w.Destroy();
  };
  main.controls.push_back(Button("all", MakeRect(0, 0, 300, 200)));
  main.controls.back().events.click = [&] {
    pop.owner = system.Find("main");
    system.OpenModal(pop);
    log.push_back("modal returned");
  };
  ASSERT_NE(system.Open(main), nullptr);
  HeadlessInput key;
  key.kind = InputKind::KeyPress;
  key.key = Key::Escape;
  key.window = "main";
  system.Post(key);  // no handler: nothing happens
  system.Post(At(InputKind::Click, "main", 10, 10));
  key.window = "pop";
  system.Post(key);
  key.window = "main";
  system.Post(key);
  system.SetInputEndHandler([&] { system.Find("main")->Destroy(); });
  system.Run();
  EXPECT_EQ(system.Failure(), "");
  EXPECT_EQ(log, (std::vector<std::string>{"pop escape", "modal returned"}));

  // While the pop-up is open, its owner takes no key.
  HeadlessSystem blocked;
  main.controls.back().events.click = nullptr;
  ASSERT_NE(blocked.Open(main), nullptr);
  pop.owner = blocked.Find("main");
  blocked.Post(key);  // to main while pop is open
  EXPECT_TRUE(blocked.OpenModal(pop));
  EXPECT_EQ(blocked.Failure(), "window main takes no input while pop is open");
}

}  // namespace
}  // namespace platform
