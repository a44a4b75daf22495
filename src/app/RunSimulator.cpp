#include "app/RunSimulator.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/AppState.h"
#include "core/Clock.h"
#include "loader/StoredSkinLibrary.h"
#include "platform/gtk/GtkSystem.h"
#include "platform/headless/HeadlessSystem.h"
#include "platform/headless/ReplayScript.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MainWindowHandlers.h"
#include "ui/main/ProgramWindows.h"
#include "ui/main/SystemMessages.h"

namespace {

std::string FromLaunchFolder(const CommandLine& line, const std::string& file) {
  const std::filesystem::path path(file);
  if (path.is_absolute() || line.launchFolder.empty()) return file;
  return (std::filesystem::path(line.launchFolder) / path).string();
}

}  // namespace

int RunSimulator(const CommandLine& line) {
  std::unique_ptr<platform::System> system;
  platform::HeadlessSystem* headless = nullptr;
  if (line.headless) {
    auto made = platform::MakeHeadlessSystem();
    headless = made.get();
    if (!line.replayScript.empty()) {
      // Script and screenshot names are the user's, relative to where petsim was started, not
      // to the data folder the program works in.
      platform::ReplayScript script = platform::LoadReplayScript(FromLaunchFolder(line, line.replayScript));
      if (!script.error.empty()) {
        std::fprintf(stderr, "petsim: %s\n", script.error.c_str());
        return 2;
      }
      // A script may come from someone else: its screenshots stay below the launch folder.
      headless->SetShotFolder(line.launchFolder);
      for (platform::HeadlessInput& input : script.inputs) headless->Post(std::move(input));
    }
    // A replay's reader sees every box as one line.
    headless->SetPrintMessages(true);
    system = std::move(made);
  } else {
    system = platform::MakeGtkSystem();
    if (system == nullptr) {
      std::fprintf(stderr,
                   "petsim: cannot open a display%s. The simulator needs a graphical session; without one, "
                   "'petsim --headless --replay SCRIPT' runs it on recorded input (see README).\n",
                   std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr
                       ? " (neither DISPLAY nor WAYLAND_DISPLAY is set)"
                       : "");
      return 1;
    }
  }

  std::unique_ptr<Clock> clock;
  if (line.clock)
    clock = std::make_unique<FixedClock>(*line.clock);
  else
    clock = std::make_unique<MonotonicClock>();
  SystemMessages messages(*system);

  std::unique_ptr<AppState> app = InitAppState();
  app->system = system.get();
  app->clock = clock.get();
  app->messages = &messages;
  ProgramWindows windows(*app);
  app->windows = &windows;
  // Mapped and never called; a host that cannot map it runs the same without it.
  LoadStoredSkinLibrary(app->skinModule);

  if (headless != nullptr) {
    // At the script's end the program closes as its close button would.
    headless->SetInputEndHandler([program = app.get()] { CloseMainWindow(*program); });
  }

  const bool opened = OpenMainWindow(*app);
  if (opened) system->Run();
  ReleaseAppState(app);

  if (headless != nullptr && !headless->Failure().empty()) {
    std::fprintf(stderr, "petsim: %s\n", headless->Failure().c_str());
    return 1;
  }
  // The main window closed itself while it was being created (the roster panel failed).
  return opened ? 0 : 1;
}
