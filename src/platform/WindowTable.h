#pragma once

#include <algorithm>
#include <cassert>
#include <concepts>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Window.h"

namespace platform {

// What a backend's window type offers the table: its name, its owner of the same type (or
// nullptr) and whether it has been closed. Checked where the table is used, not where it is
// declared: a backend's header may name the table of a window type it defines only in its .cpp.
template <typename W>
concept TableWindow = std::derived_from<W, Window> && requires(const W& w) {
  { w.Owner() } -> std::convertible_to<const W*>;
  { w.Closed() } -> std::convertible_to<bool>;
};

// The bookkeeping every backend keeps about its windows: the open ones in the order they were
// opened, the main window (the first one ever opened, while it is open), and the closed ones
// that a running handler may still be inside. A backend keeps only its platform calls.
//
// A window closed during a handler is freed once no handler runs any more: every backend wraps
// each handler it calls (and each opening) in a HandlerScope.
template <typename W>
class WindowTable {
public:
  WindowTable() = default;
  WindowTable(const WindowTable&) = delete;
  WindowTable& operator=(const WindowTable&) = delete;
  ~WindowTable() { Clear(); }

  // Marks a handler as running for as long as it lives; the last one to end frees the windows
  // retired meanwhile.
  class HandlerScope {
  public:
    explicit HandlerScope(WindowTable& table) : table_(table) { ++table_.depth_; }
    ~HandlerScope() {
      if (--table_.depth_ == 0) table_.retired_.clear();
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

  private:
    WindowTable& table_;
  };

  // Takes a newly made window; the first one ever added becomes the main window.
  W& Add(std::unique_ptr<W> window) {
    static_assert(TableWindow<W>, "a table's window has Name(), Owner() and Closed()");
    assert(window != nullptr && "WindowTable::Add needs a window");
    open_.push_back(std::move(window));
    W& added = *open_.back();
    if (!mainChosen_) {
      mainChosen_ = true;
      main_ = &added;
    }
    return added;
  }

  // The window opened first, while it is open; nullptr once it has been retired.
  W* Main() const { return main_; }

  // The open window opened last under that name, or nullptr.
  W* Find(std::string_view name) const {
    for (auto it = open_.rbegin(); it != open_.rend(); ++it) {
      if (!(*it)->Closed() && (*it)->Name() == name) return it->get();
    }
    return nullptr;
  }

  // The table's window behind a Window pointer the program holds, or nullptr (null, or no
  // window of this table any more).
  W* Lookup(const Window* window) const {
    for (const auto& w : open_) {
      if (w.get() == window) return w.get();
    }
    return nullptr;
  }

  // Destroys the open windows that `owner` owns, one after the other: owned windows go before
  // their owner, whose handlers may still read them while it closes. Each Destroy comes back to
  // this table through Retire.
  void DestroyOwnedBy(const W& owner) {
    for (;;) {
      auto owned =
          std::find_if(open_.begin(), open_.end(), [&](const auto& w) { return w->Owner() == &owner && !w->Closed(); });
      if (owned == open_.end()) return;
      (*owned)->Destroy();
    }
  }

  // Calls visit(W&) for every window not yet closed that `owner` owns, in opening order.
  template <typename Visit>
  void ForOwnedBy(const W& owner, Visit&& visit) const {
    for (const auto& w : open_) {
      if (w->Owner() == &owner && !w->Closed()) visit(*w);
    }
  }

  // Calls visit(W&) for every window not yet closed, in opening order.
  template <typename Visit>
  void ForEachOpen(Visit&& visit) const {
    for (const auto& w : open_) {
      if (!w->Closed()) visit(*w);
    }
  }

  // The last step of a window's Destroy: it leaves the open windows and is freed when the last
  // HandlerScope ends (a window destroyed outside any handler: at the end of the next one).
  // Returns true when it was the main window.
  bool Retire(W& window) {
    const bool wasMain = main_ == &window;
    if (wasMain) main_ = nullptr;
    auto it = std::find_if(open_.begin(), open_.end(), [&](const auto& w) { return w.get() == &window; });
    if (it != open_.end()) {
      retired_.push_back(std::move(*it));
      open_.erase(it);
    }
    return wasMain;
  }

  // Frees every window without running any of its events (the program has stopped), the ones
  // opened last (the owned ones) first.
  void Clear() {
    while (!open_.empty()) open_.pop_back();
    main_ = nullptr;
    retired_.clear();
  }

private:
  std::vector<std::unique_ptr<W>> open_;
  std::vector<std::unique_ptr<W>> retired_;
  W* main_ = nullptr;
  bool mainChosen_ = false;
  int depth_ = 0;  // handlers running
};

}  // namespace platform
