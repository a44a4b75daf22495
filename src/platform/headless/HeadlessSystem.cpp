#include "platform/headless/HeadlessSystem.h"

#include <fcntl.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/CairoHandles.h"
#include "platform/ControlDispatch.h"
#include "platform/headless/ShotFile.h"

namespace platform {

class HeadlessWindow final : public Window {
public:
  HeadlessWindow(HeadlessSystem& system, const WindowForm& form, HeadlessWindow* owner)
      : system_(system),
        name_(form.name),
        left_(form.left),
        top_(form.top),
        width_(form.width),
        height_(form.height),
        owner_(owner),
        dispatch_(form.controls),
        created_(form.created),
        positionChanged_(form.positionChanged),
        destroyed_(form.destroyed),
        keyPressed_(form.keyPressed) {}

  const std::string& Name() const override { return name_; }
  const HeadlessWindow* Owner() const { return owner_; }
  bool Closed() const { return closed_; }

  bool Present(cairo_surface_t* surface) override {
    if (closed_) return false;
    SurfacePtr copy = CopyPresentedSurface(surface);
    if (!copy) return false;
    width_ = cairo_image_surface_get_width(copy.get());
    height_ = cairo_image_surface_get_height(copy.get());
    presented_ = std::move(copy);
    return true;
  }

  int Left() const override { return left_; }
  int Top() const override { return top_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void Move(int left, int top) override {
    // Like an X server, which keeps positions in 16 bits: repeated drags cannot push a window
    // (and every sum of positions the handlers make) toward overflow.
    left = std::clamp(left, -kReplayCoordinateLimit, kReplayCoordinateLimit);
    top = std::clamp(top, -kReplayCoordinateLimit, kReplayCoordinateLimit);
    if (closed_ || (left == left_ && top == top_)) return;
    left_ = left;
    top_ = top;
    if (positionChanged_) {
      auto handler = positionChanged_;
      handler(*this);
    }
  }

  void Minimize() override { minimized_ = true; }

  void Destroy() override {
    if (closed_) return;
    closed_ = true;
    dispatch_.Close();
    system_.windows_.DestroyOwnedBy(*this);
    if (destroyed_) {
      auto handler = destroyed_;
      handler(*this);
    }
    system_.Retire(*this);
  }

  void SetControlVisible(std::string_view control, bool visible) override { dispatch_.SetVisible(control, visible); }

  void BeginTitleDrag() override {
    if (closed_) return;
    dispatch_.CancelCapture();
    system_.StartDrag(*this);
  }

  bool closed_ = false;
  bool minimized_ = false;
  HeadlessSystem& system_;
  std::string name_;
  int left_, top_, width_, height_;
  HeadlessWindow* owner_;
  ControlDispatch dispatch_;
  std::function<void(Window&)> created_, positionChanged_, destroyed_;
  std::function<void(Window&, Key)> keyPressed_;
  SurfacePtr presented_;
};

HeadlessSystem::HeadlessSystem() = default;

HeadlessSystem::~HeadlessSystem() {
  // Windows still open at the end get no events: the program has already stopped.
  windows_.Clear();
}

HeadlessWindow* HeadlessSystem::OpenWindow(const WindowForm& form) {
  auto refused = std::find(refused_.begin(), refused_.end(), form.name);
  if (refused != refused_.end()) {
    refused_.erase(refused);
    return nullptr;
  }
  HeadlessWindow* window = &windows_.Add(std::make_unique<HeadlessWindow>(*this, form, windows_.Lookup(form.owner)));
  if (window->created_) {
    auto handler = window->created_;
    handler(*window);
  }
  return window;
}

Window* HeadlessSystem::Open(const WindowForm& form) {
  HandlerScope scope(windows_);  // a window that its created handler destroyed is still there to be asked
  HeadlessWindow* window = OpenWindow(form);
  if (window == nullptr || window->closed_) return nullptr;
  return window;
}

bool HeadlessSystem::OpenModal(const WindowForm& form) {
  HandlerScope scope(windows_);  // the window stays allocated while its loop looks at it
  HeadlessWindow* window = OpenWindow(form);
  if (window == nullptr) return false;
  modals_.push_back(window);
  while (!window->closed_) {
    if (!Step()) {
      InputEnded();
      window->Destroy();
    }
  }
  modals_.erase(std::find(modals_.begin(), modals_.end(), window));
  return true;
}

void HeadlessSystem::Run() {
  // Between inputs no handler runs, so each Deliver frees the windows closed meanwhile.
  while (windows_.Main() != nullptr) {
    if (!Step()) {
      InputEnded();
      break;
    }
  }
  if (!queue_.empty()) Fail(queue_.front(), "the main window has already closed");
}

bool HeadlessSystem::Step() {
  if (queue_.empty()) return false;
  HeadlessInput input = std::move(queue_.front());
  queue_.pop_front();
  Deliver(input);
  return true;
}

void HeadlessSystem::InputEnded() {
  if (inputEndRan_) return;
  inputEndRan_ = true;
  if (inputEnd_) {
    HandlerScope scope(windows_);
    auto handler = inputEnd_;
    handler();
  }
}

Window* HeadlessSystem::Find(std::string_view name) const { return windows_.Find(name); }

Point HeadlessSystem::CursorPosition() const { return cursor_; }

bool HeadlessSystem::ShowMessage(Window* owner, std::string_view text, std::string_view caption,
                                 MessageButtons buttons) {
  MessageRecord record;
  record.owner = owner != nullptr ? owner->Name() : std::string();
  record.caption = caption;
  record.text = text;
  record.buttons = buttons;
  if (buttons == MessageButtons::OkCancel && !answers_.empty()) {
    record.answer = answers_.front();
    answers_.pop_front();
  }
  if (printMessages_) {
    std::printf("message %s: %s\n", record.caption.c_str(), record.text.c_str());
    std::fflush(stdout);
  }
  messages_.push_back(record);
  return record.answer;
}

void HeadlessSystem::Wait(int) {}

void HeadlessSystem::Post(HeadlessInput input) { queue_.push_back(std::move(input)); }

void HeadlessSystem::SetInputEndHandler(std::function<void()> handler) { inputEnd_ = std::move(handler); }

void HeadlessSystem::QueueAnswer(bool ok) { answers_.push_back(ok); }

bool HeadlessSystem::Blocked(const HeadlessWindow& window) const {
  if (modals_.empty()) return false;
  // The top modal window and what it owns (a box, another pop-up) take input; nothing else.
  for (const HeadlessWindow* w = &window; w != nullptr; w = w->owner_) {
    if (w == modals_.back()) return false;
  }
  return true;
}

bool HeadlessSystem::Fail(const HeadlessInput& input, const std::string& why) {
  std::string message =
      input.line > 0 ? "replay line " + std::to_string(input.line) + " `" + input.text + "`: " + why : why;
  if (failure_.empty()) failure_ = message;
  queue_.clear();
  return false;
}

bool HeadlessSystem::Deliver(const HeadlessInput& input) {
  if (input.kind == InputKind::Answer) {
    answers_.push_back(input.ok);
    return true;
  }
  HeadlessWindow* window = windows_.Find(input.window);
  if (window == nullptr) return Fail(input, "window " + input.window + " is not open");
  HandlerScope scope(windows_);
  if (input.kind == InputKind::MoveWindow) {
    window->Move(input.x, input.y);
    return true;
  }
  if (input.kind == InputKind::Shot) {
    if (window->presented_ == nullptr) return Fail(input, "window " + input.window + " has presented nothing");
    if (!shotsConfined_) {
      if (!SavePresented(input.window, input.file)) return Fail(input, "cannot write " + input.file);
      return true;
    }
    if (!shotFolder_.Valid()) return Fail(input, "cannot write " + input.file + " (no folder to write in)");
    const std::string why = WritePngBelow(shotFolder_.Get(), input.file, window->presented_.get());
    if (!why.empty()) return Fail(input, "cannot write " + input.file + " (" + why + ")");
    return true;
  }
  if (Blocked(*window)) {
    return Fail(input, "window " + input.window + " takes no input while " + modals_.back()->name_ + " is open");
  }
  if (input.kind == InputKind::KeyPress) {
    // The keyboard goes to the window named; the pointer stays where it is.
    if (window->keyPressed_) {
      auto handler = window->keyPressed_;
      handler(*window, input.key);
    }
    return true;
  }
  cursor_ = Point{window->left_ + input.x, window->top_ + input.y};
  ControlDispatch& dispatch = window->dispatch_;
  bool press = input.kind == InputKind::Press || input.kind == InputKind::Click;
  bool release = input.kind == InputKind::Release || input.kind == InputKind::Click;
  if (press) {
    drag_.window = nullptr;
    dispatch.LeftPress(input.x, input.y);
  }
  if (input.kind == InputKind::Move) {
    if (drag_.window != nullptr) {
      // The window manager has the pointer: the window follows it, the controls see nothing.
      drag_.window->Move(drag_.left + cursor_.x - drag_.grab.x, drag_.top + cursor_.y - drag_.grab.y);
    } else {
      dispatch.Move(input.x, input.y);
    }
  }
  if (release) {
    if (drag_.window != nullptr) {
      drag_.window = nullptr;
    } else if (!window->closed_) {
      dispatch.LeftRelease(input.x, input.y);
    }
  }
  if (input.kind == InputKind::RightClick) dispatch.RightRelease(input.x, input.y);
  return true;
}

void HeadlessSystem::StartDrag(HeadlessWindow& window) {
  drag_.window = &window;
  drag_.grab = cursor_;
  drag_.left = window.left_;
  drag_.top = window.top_;
}

void HeadlessSystem::Retire(HeadlessWindow& window) {
  if (drag_.window == &window) drag_.window = nullptr;
  windows_.Retire(window);
}

cairo_surface_t* HeadlessSystem::Presented(std::string_view name) const {
  HeadlessWindow* window = windows_.Find(name);
  return window != nullptr ? window->presented_.get() : nullptr;
}

bool HeadlessSystem::SavePresented(std::string_view name, const std::string& file) {
  cairo_surface_t* surface = Presented(name);
  return surface != nullptr && cairo_surface_write_to_png(surface, file.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool HeadlessSystem::SetShotFolder(const std::string& folder) {
  shotsConfined_ = true;
  shotFolder_.Reset(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return shotFolder_.Valid();
}

bool HeadlessSystem::IsMinimized(std::string_view name) const {
  HeadlessWindow* window = windows_.Find(name);
  return window != nullptr && window->minimized_;
}

std::unique_ptr<HeadlessSystem> MakeHeadlessSystem() { return std::make_unique<HeadlessSystem>(); }

}  // namespace platform
