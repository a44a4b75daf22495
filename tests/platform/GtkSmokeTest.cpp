// The gtk backend against a private Xvfb without a window manager, with and without a compositor:
// real X input through XTEST reaches the controls, alpha-0 pixels let the mouse through to the
// window below, and the screen shows what was presented.
#include "platform/gtk/GtkSystem.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace platform {
namespace {

bool OnPath(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// A private X server for the length of one test. Its display number is taken from our process id,
// away from the low numbers that other X servers on the machine pick first.
class PrivateXServer {
public:
  PrivateXServer() {
    for (int attempt = 0; attempt < 5 && display_.empty(); ++attempt) {
      int number = 200 + static_cast<int>((getpid() * 7 + attempt * 131) % 700);
      Start(number);
    }
  }
  ~PrivateXServer() { Stop(); }
  const std::string& Display() const { return display_; }

private:
  void Start(int number) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // GDK exits the process on a lost display: no leftovers
      close(fds[0]);
      std::string fd = std::to_string(fds[1]);
      std::string display = ":" + std::to_string(number);
      if (freopen("/dev/null", "w", stderr) == nullptr) _exit(127);
      execlp("Xvfb", "Xvfb", display.c_str(), "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten",
             "tcp", "-noreset", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    char buf[32] = {};
    // Written once the server takes connections. The server writes again whenever it resets (when
    // its last client leaves), hence -noreset and a pipe kept open until the server is stopped.
    ssize_t n = read(fds[0], buf, sizeof buf - 1);
    pipe_ = fds[0];
    std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    if (n > 0 && access(socket.c_str(), F_OK) == 0) {
      display_ = ":" + std::to_string(number);
    } else {
      Stop();  // the number was taken, or the server failed: try another
    }
  }
  void Stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    if (pipe_ >= 0) close(pipe_);
    pid_ = -1;
    pipe_ = -1;
  }

  pid_t pid_ = -1;
  int pipe_ = -1;
  std::string display_;
};

// A helper program run for the length of a test (the compositor).
class Helper {
public:
  explicit Helper(const char* program) {
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (freopen("/dev/null", "w", stderr) == nullptr) _exit(127);
      execlp(program, program, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Helper() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  Helper(const Helper&) = delete;
  Helper& operator=(const Helper&) = delete;

private:
  pid_t pid_ = -1;
};

ControlForm Whole(std::string name, int width, int height, int& clicks) {
  ControlForm c;
  c.name = std::move(name);
  c.place = MakeRect(0, 0, width, height);
  c.handCursor = true;
  c.events.click = [&clicks] { ++clicks; };
  return c;
}

cairo_surface_t* Filled(int width, int height, double r, double g, double b) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(s);
  cairo_set_source_rgba(cr, r, g, b, 1.0);
  cairo_paint(cr);
  cairo_destroy(cr);
  return s;
}

// Four stripes of 50 columns: red at alpha 1, 0.5, 2/255, and alpha 0.
cairo_surface_t* Stripes(int height) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 200, height);
  cairo_t* cr = cairo_create(s);
  const double alphas[] = {1.0, 0.5, 2.0 / 255.0};
  for (int i = 0; i < 3; ++i) {
    cairo_set_source_rgba(cr, 1.0, 0.0, 0.0, alphas[i]);
    cairo_rectangle(cr, 50 * i, 0, 50, height);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  return s;
}

// The screen's pixel at (x, y) as 0xRRGGBB, read back from the root window (which holds the
// compositor's output when one runs).
std::uint32_t ScreenPixel(int x, int y) {
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, 1, 1);
  if (pixbuf == nullptr) return 0xFFFFFFFFu;
  const guchar* p = gdk_pixbuf_read_pixels(pixbuf);
  std::uint32_t rgb = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
  g_object_unref(pixbuf);
  return rgb;
}

// GTK opens its display once per process: ctest runs every case in a process of its own.
bool gtkUsed = false;

gboolean RunCommand(gpointer command) {
  if (std::system(static_cast<const char*>(command)) != 0) ADD_FAILURE() << static_cast<const char*>(command);
  return G_SOURCE_REMOVE;
}

// The system under test, for DestroyWindowNamed.
System* gtkSystemForFallback = nullptr;

// Closes the window if the key meant to close it never came, failing the test.
gboolean DestroyWindowNamed(gpointer name) {
  if (gtkSystemForFallback == nullptr) return G_SOURCE_REMOVE;
  if (Window* w = gtkSystemForFallback->Find(static_cast<const char*>(name))) {
    ADD_FAILURE() << "no key reached " << static_cast<const char*>(name);
    w->Destroy();
  }
  return G_SOURCE_REMOVE;
}

// If the dialog was not found by its title, answers it anyway so that the test fails instead
// of hanging.
gboolean CancelOpenDialogs(gpointer) {
  GList* windows = gtk_window_list_toplevels();
  for (GList* w = windows; w != nullptr; w = w->next) {
    if (GTK_IS_DIALOG(w->data)) {
      ADD_FAILURE() << "dialog not found by its caption";
      gtk_dialog_response(GTK_DIALOG(w->data), GTK_RESPONSE_OK);
    }
  }
  g_list_free(windows);
  return G_SOURCE_REMOVE;
}

// The labels of the open dialog's OK and Cancel buttons ("-" where it has none).
gboolean ReadButtonLabels(gpointer labels) {
  auto* out = static_cast<std::vector<std::string>*>(labels);
  GList* windows = gtk_window_list_toplevels();
  for (GList* w = windows; w != nullptr; w = w->next) {
    if (!GTK_IS_DIALOG(w->data)) continue;
    for (GtkResponseType response : {GTK_RESPONSE_OK, GTK_RESPONSE_CANCEL}) {
      GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(w->data), response);
      out->push_back(button != nullptr ? gtk_button_get_label(GTK_BUTTON(button)) : "-");
    }
  }
  g_list_free(windows);
  return G_SOURCE_REMOVE;
}

class GtkSmoke : public testing::TestWithParam<bool> {};

TEST_P(GtkSmoke, RealClicksReachControlsAndPassThroughTransparentPixels) {
  bool composited = GetParam();
  if (!OnPath("Xvfb") || !OnPath("xdotool")) GTEST_SKIP() << "Xvfb or xdotool not installed";
  if (composited && !OnPath("xcompmgr")) GTEST_SKIP() << "xcompmgr not installed";
  if (gtkUsed) GTEST_SKIP() << "GTK already ran in this process; run each case alone (as ctest does)";
  gtkUsed = true;
  PrivateXServer server;
  if (server.Display().empty()) GTEST_SKIP() << "Xvfb did not start";
  setenv("DISPLAY", server.Display().c_str(), 1);
  std::unique_ptr<Helper> compositor;
  if (composited) compositor = std::make_unique<Helper>("xcompmgr");
  std::unique_ptr<System> system = MakeGtkSystem();
  ASSERT_NE(system, nullptr) << "display " << server.Display();
  for (int i = 0; i < 100 && composited && !gdk_screen_is_composited(gdk_screen_get_default()); ++i) {
    system->Wait(20);
  }
  ASSERT_EQ(gdk_screen_is_composited(gdk_screen_get_default()) != 0, composited);

  int lowerClicks = 0, upperClicks = 0, created = 0;
  WindowForm lower;
  lower.name = "main";
  lower.width = 400;
  lower.height = 300;
  int lowerMoves = 0;
  lower.positionChanged = [&](Window&) { ++lowerMoves; };
  ControlForm strip;
  strip.name = "title";
  strip.kind = ControlKind::TransparentLabel;
  strip.place = MakeRect(0, 0, 400, 20);
  strip.events.leftPress = [&](int, int) { system->Find("main")->BeginTitleDrag(); };
  lower.controls = {strip, Whole("all", 400, 300, lowerClicks)};
  // The owned window is opened from the owner's created handler, as the program opens its
  // roster panel: it must still end up above its owner.
  WindowForm upper;
  upper.name = "roster";
  upper.left = 100;
  upper.top = 100;
  upper.width = 200;
  upper.height = 100;
  int reports = 0;
  upper.positionChanged = [&](Window&) { ++reports; };
  upper.controls = {Whole("all", 200, 100, upperClicks)};
  upper.created = [&](Window& w) {
    cairo_surface_t* s = Stripes(100);
    w.Present(s);
    cairo_surface_destroy(s);
  };
  Window* roster = nullptr;
  lower.created = [&](Window& w) {
    ++created;
    cairo_surface_t* s = Filled(400, 300, 0.0, 0.0, 1.0);
    w.Present(s);
    cairo_surface_destroy(s);
    upper.owner = &w;
    roster = system->Open(upper);
  };
  Window* main = system->Open(lower);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(created, 1);  // inside the opening
  ASSERT_NE(roster, nullptr);
  EXPECT_EQ(system->Find("roster"), roster);

  // Lets the server map both windows; then each click is waited for (bounded).
  system->Wait(300);
  EXPECT_EQ(ScreenPixel(125, 150), 0xFF0000u);  // the upper window's opaque stripe
  EXPECT_EQ(ScreenPixel(275, 150), 0x0000FFu);  // alpha 0 there: the blue window below shows
  if (composited) {
    std::uint32_t half = ScreenPixel(175, 150);  // half red over blue
    EXPECT_NEAR(static_cast<int>(half >> 16), 128, 2);
    EXPECT_NEAR(static_cast<int>(half & 0xFF), 127, 2);
  }

  struct ClickCase {
    int screenX;
    int upper, lower;  // the counts expected afterwards
  };
  // Any alpha above 0 takes the mouse, the faintest included; alpha 0 lets it through.
  const ClickCase clicks[] = {{125, 1, 0}, {175, 2, 0}, {225, 3, 0}, {275, 3, 1}};
  for (const ClickCase& c : clicks) {
    std::string command = "xdotool mousemove " + std::to_string(c.screenX) + " 150 click 1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (int i = 0; i < 100 && upperClicks + lowerClicks < c.upper + c.lower; ++i) system->Wait(20);
    EXPECT_EQ(upperClicks, c.upper) << "click at " << c.screenX;
    EXPECT_EQ(lowerClicks, c.lower) << "click at " << c.screenX;
  }
  EXPECT_EQ(system->CursorPosition(), (Point{275, 150}));

  // A modal pop-up: a click on the main window meanwhile reaches neither window (GTK hands
  // events of other windows to the grabbing one), its own right click closes it and the opening
  // returns.
  std::vector<std::string> popupLog;
  WindowForm pop;
  pop.name = "certify";
  pop.left = 300;
  pop.top = 200;
  pop.width = 100;
  pop.height = 80;
  pop.owner = main;
  ControlForm area;
  area.name = "area";
  area.place = MakeRect(0, 0, 100, 80);
  area.events.leftRelease = [&](int x, int y) {
    popupLog.push_back("release " + std::to_string(x) + "," + std::to_string(y));
  };
  area.events.rightRelease = [&](int x, int y) {
    popupLog.push_back("right " + std::to_string(x) + "," + std::to_string(y));
    system->Find("certify")->Destroy();
  };
  pop.controls = {area};
  pop.created = [&](Window& w) {
    cairo_surface_t* s = Filled(100, 80, 0.0, 1.0, 0.0);
    w.Present(s);
    cairo_surface_destroy(s);
    g_timeout_add(200, RunCommand, const_cast<char*>("xdotool mousemove 20 250 click 1"));
    g_timeout_add(600, RunCommand, const_cast<char*>("xdotool mousemove 350 240 click 3"));
  };
  EXPECT_TRUE(system->OpenModal(pop));
  EXPECT_EQ(popupLog, (std::vector<std::string>{"right 50,40"}));
  EXPECT_EQ(lowerClicks, 1);
  EXPECT_EQ(system->Find("certify"), nullptr);

  // Esc pressed in a modal pop-up reaches its key handler (the pickers close with it). A
  // fallback closes the pop-up, so that a lost key fails the test instead of hanging it.
  std::vector<std::string> keyLog;
  WindowForm keyed = pop;
  keyed.name = "keyed";
  keyed.title = "keyed";
  keyed.controls.clear();
  keyed.keyPressed = [&](Window& w, Key key) {
    keyLog.push_back(key == Key::Escape ? "escape" : "other");
    w.Destroy();
  };
  keyed.created = [&](Window& w) {
    cairo_surface_t* s = Filled(100, 80, 0.0, 1.0, 0.0);
    w.Present(s);
    cairo_surface_destroy(s);
    g_timeout_add(200, RunCommand,
                  const_cast<char*>("timeout 5 xdotool search --sync --name '^keyed$' windowfocus --sync key Escape"));
  };
  guint keyFallback = g_timeout_add(6000, DestroyWindowNamed, const_cast<char*>("keyed"));
  gtkSystemForFallback = system.get();
  EXPECT_TRUE(system->OpenModal(keyed));
  g_source_remove(keyFallback);
  EXPECT_EQ(keyLog, (std::vector<std::string>{"escape"}));
  EXPECT_EQ(system->Find("keyed"), nullptr);

  // A message box is a dialog titled with the caption, its buttons labelled in Chinese whatever
  // the locale; Escape answers it as Cancel, Return as OK.
  struct BoxCase {
    MessageButtons buttons;
    const char* key;
    bool answer;
    std::vector<std::string> labels;  // OK's, Cancel's
  };
  const BoxCase boxes[] = {
      {MessageButtons::OkCancel, "Escape", false, {"确定", "取消"}},
      {MessageButtons::OkCancel, "Return", true, {"确定", "取消"}},
      {MessageButtons::Ok, "Return", true, {"确定", "-"}},
  };
  for (const BoxCase& box : boxes) {
    std::vector<std::string> labels;
    g_timeout_add(100, ReadButtonLabels, &labels);
    std::string answer =
        std::string("timeout 5 xdotool search --sync --name '^smoke caption$' windowfocus --sync key ") + box.key;
    g_timeout_add(200, RunCommand, answer.data());
    guint fallback = g_timeout_add(6000, CancelOpenDialogs, nullptr);
    bool answered = system->ShowMessage(main, "确定取消认证吗？", "smoke caption", box.buttons);
    EXPECT_EQ(answered, box.answer) << box.key;
    g_source_remove(fallback);
    EXPECT_EQ(labels, box.labels) << box.key;
  }

  // Moved by the program: reported at once, and no second report when the server confirms it.
  roster->Move(120, 130);
  EXPECT_EQ(roster->Left(), 120);
  EXPECT_EQ(roster->Top(), 130);
  EXPECT_EQ(reports, 1);
  system->Wait(100);
  EXPECT_EQ(roster->Left(), 120);
  EXPECT_EQ(reports, 1);

  // The title strip drags the main window along with the pointer, moved by the program from the
  // motion events, so that its place is reported during the drag already.
  ASSERT_EQ(std::system("xdotool mousemove 10 10 mousedown 1 mousemove 30 20 mousemove 60 40 mouseup 1"), 0);
  for (int i = 0; i < 100 && (main->Left() != 50 || main->Top() != 30); ++i) system->Wait(20);
  EXPECT_EQ(main->Left(), 50);
  EXPECT_EQ(main->Top(), 30);
  EXPECT_GE(lowerMoves, 1);
  EXPECT_EQ(lowerClicks, 1);  // the drag reached no control

  // Destroying the owner takes the owned window with it, and ends Run.
  main->Destroy();
  EXPECT_EQ(system->Find("roster"), nullptr);
  system->Run();  // returns at once: the main window is gone
}

INSTANTIATE_TEST_SUITE_P(Screens, GtkSmoke, testing::Values(false, true), [](const testing::TestParamInfo<bool>& info) {
  return std::string(info.param ? "Composited" : "Plain");
});

}  // namespace
}  // namespace platform
