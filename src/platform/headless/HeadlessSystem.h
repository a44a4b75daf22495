#pragma once

// Headless backend: windows in memory, input from a queue (filled by tests or a replay script).
// Implements every System call. Lacks: pixels on a screen, click-through (an input names its window
// explicitly), minimised windows stay clickable, Wait() returns at once.

#include <cairo.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/System.h"
#include "platform/UniqueFd.h"
#include "platform/WindowTable.h"
#include "platform/headless/HeadlessInput.h"

namespace platform {

class HeadlessWindow;

// One message box that was shown.
struct MessageRecord {
  std::string owner;  // owner window's name, empty for none
  std::string caption;
  std::string text;
  MessageButtons buttons = MessageButtons::Ok;
  bool answer = true;
};

class HeadlessSystem final : public System {
public:
  HeadlessSystem();
  ~HeadlessSystem() override;
  HeadlessSystem(const HeadlessSystem&) = delete;
  HeadlessSystem& operator=(const HeadlessSystem&) = delete;

  Window* Open(const WindowForm& form) override;
  bool OpenModal(const WindowForm& form) override;
  // Takes inputs from the queue until the main window is destroyed or the queue runs dry (then
  // the input-end handler runs once and Run returns). Inputs left when the main window has closed
  // cannot be carried out: the first one is the failure.
  void Run() override;
  Window* Find(std::string_view name) const override;
  Point CursorPosition() const override;
  // Records the box; an OK/Cancel box takes the next queued answer (OK when none is queued).
  bool ShowMessage(Window* owner, std::string_view text, std::string_view caption, MessageButtons buttons) override;
  // Takes no input: inputs are read only by the main loop and modal loops.
  void Wait(int milliseconds) override;

  // Appends an input to the queue that Run and modal loops read.
  void Post(HeadlessInput input);
  // Carries out one input now. False when it cannot be (window not open, window blocked by a
  // modal one, nothing presented, PNG not written): Failure() says why, the queue is dropped.
  bool Deliver(const HeadlessInput& input);
  // What runs once when the queue runs dry (for a replay: close the app as its close button would).
  // A modal window still open afterwards is destroyed, so every loop ends.
  void SetInputEndHandler(std::function<void()> handler);
  // The first failure's message ("replay line N `TEXT`: why"), empty while all went well.
  const std::string& Failure() const { return failure_; }

  // Queues the answer of the next OK/Cancel box (true: OK).
  void QueueAnswer(bool ok);
  const std::vector<MessageRecord>& Messages() const { return messages_; }
  // Also print every box to stdout as "message CAPTION: TEXT".
  void SetPrintMessages(bool print) { printMessages_ = print; }

  // The last surface presented to the open window `name` (owned by the window), or nullptr.
  cairo_surface_t* Presented(std::string_view name) const;
  // Writes it as PNG; false when there is none or the file cannot be written.
  bool SavePresented(std::string_view name, const std::string& file);
  // From now on `shot` inputs write their file below `folder` only (see ShotFile.h), and fail
  // when it cannot be opened (false then). Before any call they write where their name says.
  bool SetShotFolder(const std::string& folder);
  // True when the open window `name` was minimised.
  bool IsMinimized(std::string_view name) const;

  // The next opening of a form of that name fails (Open returns nullptr), once.
  void RefuseOpen(std::string name) { refused_.push_back(std::move(name)); }

private:
  friend class HeadlessWindow;
  using HandlerScope = WindowTable<HeadlessWindow>::HandlerScope;
  void StartDrag(HeadlessWindow& window);
  void Retire(HeadlessWindow& window);
  HeadlessWindow* OpenWindow(const WindowForm& form);
  bool Blocked(const HeadlessWindow& window) const;
  bool Fail(const HeadlessInput& input, const std::string& why);
  bool Step();  // carries out the next queued input; false when the queue is dry
  void InputEnded();

  WindowTable<HeadlessWindow> windows_;
  std::vector<HeadlessWindow*> modals_;
  std::deque<HeadlessInput> queue_;
  std::deque<bool> answers_;
  std::vector<MessageRecord> messages_;
  std::vector<std::string> refused_;
  std::function<void()> inputEnd_;
  bool inputEndRan_ = false;
  std::string failure_;
  bool printMessages_ = false;
  Point cursor_;
  bool shotsConfined_ = false;
  UniqueFd shotFolder_;

  struct Drag {
    HeadlessWindow* window = nullptr;
    Point grab;
    int left = 0;
    int top = 0;
  } drag_;
};

std::unique_ptr<HeadlessSystem> MakeHeadlessSystem();

}  // namespace platform
