#include "platform/gtk/GtkSystem.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/CairoHandles.h"
#include "platform/ControlDispatch.h"
#include "platform/WindowTable.h"
#include "platform/gtk/InputShape.h"
#include "platform/gtk/StartupTrace.h"

namespace platform {
namespace {

struct ObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using ObjectPtr = std::unique_ptr<T, ObjectUnref>;

struct LoopDeleter {
  void operator()(GMainLoop* loop) const { g_main_loop_unref(loop); }
};
using LoopPtr = std::unique_ptr<GMainLoop, LoopDeleter>;

int Pixel(double coordinate) { return static_cast<int>(std::floor(coordinate)); }

bool SamePixels(cairo_surface_t* a, cairo_surface_t* b) {
  if (a == nullptr || b == nullptr) return false;
  int h = cairo_image_surface_get_height(a);
  if (cairo_image_surface_get_width(a) != cairo_image_surface_get_width(b) || h != cairo_image_surface_get_height(b) ||
      cairo_image_surface_get_stride(a) != cairo_image_surface_get_stride(b)) {
    return false;
  }
  std::size_t bytes = static_cast<std::size_t>(cairo_image_surface_get_stride(a)) * h;
  return std::memcmp(cairo_image_surface_get_data(a), cairo_image_surface_get_data(b), bytes) == 0;
}

}  // namespace

class GtkSystemImpl;

class GtkWindowImpl final : public Window {
public:
  GtkWindowImpl(GtkSystemImpl& system, const WindowForm& form, GtkWindowImpl* owner, bool modal);
  ~GtkWindowImpl() override;
  GtkWindowImpl(const GtkWindowImpl&) = delete;
  GtkWindowImpl& operator=(const GtkWindowImpl&) = delete;

  const std::string& Name() const override { return name_; }
  bool Present(cairo_surface_t* surface) override;
  int Left() const override { return left_; }
  int Top() const override { return top_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Move(int left, int top) override;
  void Minimize() override;
  void Destroy() override;
  void SetControlVisible(std::string_view control, bool visible) override;
  void BeginTitleDrag() override;

  void ApplyShape();
  // Without blending by the server, an owned window shows its owner's pixels beneath its own:
  // it has to be drawn again when those change.
  void RedrawOwned() const;
  GtkWidget* Widget() const { return widget_.get(); }
  GtkWindowImpl* Owner() const { return owner_; }
  bool Closed() const { return closed_; }
  // Hides the window while its owner is minimised, and shows it again afterwards.
  void FollowOwnerMinimized(bool minimized);
  void SetModalLoop(GMainLoop* loop) { modalLoop_ = loop; }
  bool Shown() const { return gtk_widget_get_visible(widget_.get()); }
  void RunCreated();

private:
  static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
  static gboolean OnPress(GtkWidget*, GdkEventButton* event, gpointer self);
  static gboolean OnRelease(GtkWidget*, GdkEventButton* event, gpointer self);
  static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self);
  static gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self);
  void WatchKeys();
  static gboolean OnGrabBroken(GtkWidget*, GdkEvent*, gpointer self);
  void FollowDrag(double xRoot, double yRoot);
  static GdkFilterReturn OnXEvent(GdkXEvent* xevent, GdkEvent*, gpointer self);
  static gboolean ReportPlace(gpointer self);
  static gboolean ShapeAgain(gpointer self);
  static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
  static gboolean OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self);
  void StopXEvents();
  static void OnDestroy(GtkWidget*, gpointer self);
  void ShowPointerFor(int x, int y);
  bool Ours(GdkWindow* window) const;

  GtkSystemImpl& system_;
  std::string name_;
  std::string title_;
  int left_, top_, width_, height_;
  GtkWindowImpl* owner_;
  ControlDispatch dispatch_;
  std::function<void(Window&)> created_, positionChanged_, destroyed_;
  std::function<void(Window&, Key)> keyPressed_;
  ObjectPtr<GtkWidget> widget_;  // our own reference: the object outlives gtk_widget_destroy
  SurfacePtr presented_;
  RegionPtr shape_;
  GMainLoop* modalLoop_ = nullptr;  // owned by the OpenModal that runs it
  bool closed_ = false;
  bool handShown_ = false;
  bool hiddenWithOwner_ = false;
  bool filtering_ = false;
  bool reparented_ = false;      // lies in a window manager's frame
  int placeX_ = 0, placeY_ = 0;  // the last place the X server reported, not yet handled
  guint placeReport_ = 0;        // idle source that hands it to the program
  guint reshape_ = 0;            // idle source that applies the shape again in a new frame
  struct Press {
    bool valid = false;
    guint button = 0;
    int xRoot = 0;
    int yRoot = 0;
    guint32 time = 0;
  } press_;
  // A title drag that the program drives itself: the place of the window and of the pointer when
  // it began.
  struct Drag {
    bool active = false;
    int left = 0;
    int top = 0;
    int xRoot = 0;
    int yRoot = 0;
  } drag_;
};

class GtkSystemImpl final : public System {
public:
  GtkSystemImpl();
  ~GtkSystemImpl() override;
  GtkSystemImpl(const GtkSystemImpl&) = delete;
  GtkSystemImpl& operator=(const GtkSystemImpl&) = delete;

  Window* Open(const WindowForm& form) override;
  bool OpenModal(const WindowForm& form) override;
  void Run() override;
  Window* Find(std::string_view name) const override;
  Point CursorPosition() const override;
  bool ShowMessage(Window* owner, std::string_view text, std::string_view caption, MessageButtons buttons) override;
  void Wait(int milliseconds) override;

  // For the windows.
  WindowTable<GtkWindowImpl>& Windows() { return windows_; }
  void RaiseOwnedBy(const GtkWindowImpl& owner);
  void Retire(GtkWindowImpl& window);
  GdkCursor* HandCursor();
  // A window has shown a presented picture on the screen.
  void NoteDrawn(const GtkWindowImpl& window);
  void OwnerMinimized(const GtkWindowImpl& owner, bool minimized);
  bool Composited() const;
  // The server blends presented pixels by their alpha: an RGBA visual and a compositor.
  bool Blends() const { return HasRgbaVisual() && Composited(); }
  bool HasRgbaVisual() const { return rgba_ != nullptr; }
  GdkVisual* RgbaVisual() const { return rgba_; }

  // Held while a handler runs, so that a destroyed window is freed only when none of its
  // handlers can still be on the stack.
  struct Busy : WindowTable<GtkWindowImpl>::HandlerScope {
    explicit Busy(GtkSystemImpl& s) : HandlerScope(s.windows_) {}
  };

private:
  GtkWindowImpl* OpenWindow(const WindowForm& form, bool modal);
  void ShowOwnedBy(const GtkWindowImpl& owner);
  static void OnCompositedChanged(GdkScreen*, gpointer self);

  WindowTable<GtkWindowImpl> windows_;
  LoopPtr mainLoop_;
  ObjectPtr<GdkCursor> hand_;
  GdkVisual* rgba_ = nullptr;  // owned by the screen
  bool traceFirstPresent_ = StartupTraceWanted();
};

// --- window ---------------------------------------------------------------------------------

GtkWindowImpl::GtkWindowImpl(GtkSystemImpl& system, const WindowForm& form, GtkWindowImpl* owner, bool modal)
    : system_(system),
      name_(form.name),
      left_(form.left),
      top_(form.top),
      width_(std::max(1, form.width)),
      height_(std::max(1, form.height)),
      owner_(owner),
      dispatch_(form.controls),
      created_(form.created),
      positionChanged_(form.positionChanged),
      destroyed_(form.destroyed),
      keyPressed_(form.keyPressed),
      widget_(GTK_WIDGET(g_object_ref(gtk_window_new(GTK_WINDOW_TOPLEVEL)))) {
  GtkWindow* window = GTK_WINDOW(widget_.get());
  // The name is for the program's lookups only: a window without a title of its own shows its
  // owner's in the window manager's lists.
  const std::string* title = &form.title;
  for (const GtkWindowImpl* o = owner_; title->empty() && o != nullptr; o = o->owner_) {
    title = &o->title_;
  }
  title_ = *title;
  gtk_window_set_title(window, title_.c_str());
  gtk_window_set_decorated(window, FALSE);
  gtk_window_set_resizable(window, FALSE);
  gtk_widget_set_app_paintable(widget_.get(), TRUE);
  // The visual must be chosen before the window is realized. Without one the window is simply
  // opaque where it is not cut away by the shape.
  if (system_.HasRgbaVisual()) gtk_widget_set_visual(widget_.get(), system_.RgbaVisual());
  gtk_widget_set_size_request(widget_.get(), width_, height_);
  gtk_window_set_default_size(window, width_, height_);
  if (owner_ != nullptr) {
    // Transient-for keeps the owned window above its owner under a window manager (without one,
    // see RaiseOwnedBy). Managers read it when they take the window on, so the owner has to be
    // mapped first (see OpenWindow). The type tells them the rest: a modal pop-up is a dialog, a
    // window that stays open beside its owner (the roster panel) a utility window, which
    // managers keep above the windows of its application. Only the owner goes into the task bar,
    // the pager and the window switcher.
    gtk_window_set_transient_for(window, GTK_WINDOW(owner_->Widget()));
    gtk_window_set_type_hint(window, modal ? GDK_WINDOW_TYPE_HINT_DIALOG : GDK_WINDOW_TYPE_HINT_UTILITY);
    gtk_window_set_skip_taskbar_hint(window, TRUE);
    gtk_window_set_skip_pager_hint(window, TRUE);
  }
  gtk_window_set_position(window, GTK_WIN_POS_NONE);
  gtk_window_move(window, left_, top_);
  gtk_widget_add_events(widget_.get(),
                        GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK | GDK_STRUCTURE_MASK);
  g_signal_connect(widget_.get(), "draw", G_CALLBACK(OnDraw), this);
  g_signal_connect(widget_.get(), "button-press-event", G_CALLBACK(OnPress), this);
  g_signal_connect(widget_.get(), "button-release-event", G_CALLBACK(OnRelease), this);
  g_signal_connect(widget_.get(), "motion-notify-event", G_CALLBACK(OnMotion), this);
  g_signal_connect(widget_.get(), "grab-broken-event", G_CALLBACK(OnGrabBroken), this);
  g_signal_connect(widget_.get(), "delete-event", G_CALLBACK(OnDelete), this);
  g_signal_connect(widget_.get(), "window-state-event", G_CALLBACK(OnWindowState), this);
  g_signal_connect(widget_.get(), "destroy", G_CALLBACK(OnDestroy), this);
  WatchKeys();
  gtk_widget_realize(widget_.get());
  // The window's place comes from the X events themselves (see OnXEvent), which GDK lets a
  // filter see in the order the server sent them.
  GdkWindow* gdk = gtk_widget_get_window(widget_.get());
  if (gdk != nullptr && GDK_IS_X11_WINDOW(gdk)) {
    gdk_window_add_filter(gdk, OnXEvent, this);
    filtering_ = true;
  }
}

GtkWindowImpl::~GtkWindowImpl() {
  StopXEvents();
  g_signal_handlers_disconnect_by_data(widget_.get(), this);
  if (!closed_) gtk_widget_destroy(widget_.get());
}

void GtkWindowImpl::RunCreated() {
  if (!created_) return;
  GtkSystemImpl::Busy busy(system_);
  auto handler = created_;
  handler(*this);
}

bool GtkWindowImpl::Present(cairo_surface_t* surface) {
  if (closed_) return false;
  SurfacePtr copy = CopyPresentedSurface(surface);
  if (!copy) return false;
  int w = cairo_image_surface_get_width(copy.get());
  int h = cairo_image_surface_get_height(copy.get());
  bool changed = !SamePixels(copy.get(), presented_.get());
  presented_ = std::move(copy);
  if (w != width_ || h != height_) {
    width_ = w;
    height_ = h;
    gtk_widget_set_size_request(widget_.get(), w, h);
    gtk_window_resize(GTK_WINDOW(widget_.get()), w, h);
  }
  // The region walk costs a pass over every pixel: only when the picture changed.
  if (changed) {
    shape_ = OpaqueRegion(presented_.get());
    ApplyShape();
    RedrawOwned();
  }
  gtk_widget_queue_draw(widget_.get());
  return true;
}

void GtkWindowImpl::RedrawOwned() const {
  if (system_.Blends()) return;
  system_.Windows().ForOwnedBy(*this, [](GtkWindowImpl& owned) { gtk_widget_queue_draw(owned.Widget()); });
}

void GtkWindowImpl::ApplyShape() {
  if (closed_ || shape_ == nullptr) return;
  // GTK keeps a copy and applies it to the GDK window, also after a later realize.
  gtk_widget_input_shape_combine_region(widget_.get(), shape_.get());
  // Without a compositor alpha is not honoured: cut the visible shape too (hard 1-bit edges).
  // When compositing returns, the shape is removed again so that soft edges blend.
  // In a window manager's frame it is cut either way: it drops only pixels of alpha 0, and some
  // managers (icewm) shape their frame from it alone, not from the input shape.
  gtk_widget_shape_combine_region(widget_.get(), system_.Blends() && !reparented_ ? nullptr : shape_.get());
  gtk_widget_queue_draw(widget_.get());
}

void GtkWindowImpl::Move(int left, int top) {
  if (closed_ || (left == left_ && top == top_)) return;
  left_ = left;
  top_ = top;
  gtk_window_move(GTK_WINDOW(widget_.get()), left, top);
  if (!system_.Blends()) gtk_widget_queue_draw(widget_.get());  // the owner beneath moved along
  // Reported now, as the program relies on it at once; the ConfigureNotify that follows reports
  // again only if the window manager put the window elsewhere.
  if (positionChanged_) {
    GtkSystemImpl::Busy busy(system_);
    auto handler = positionChanged_;
    handler(*this);
  }
}

void GtkWindowImpl::Minimize() {
  if (!closed_) gtk_window_iconify(GTK_WINDOW(widget_.get()));
}

void GtkWindowImpl::Destroy() {
  if (closed_) return;
  GtkSystemImpl::Busy busy(system_);
  closed_ = true;
  dispatch_.Close();
  system_.Windows().DestroyOwnedBy(*this);
  if (destroyed_) {
    auto handler = destroyed_;
    handler(*this);
  }
  StopXEvents();
  g_signal_handlers_disconnect_by_data(widget_.get(), this);
  gtk_widget_destroy(widget_.get());
  if (modalLoop_ != nullptr) g_main_loop_quit(modalLoop_);
  system_.Retire(*this);
}

void GtkWindowImpl::SetControlVisible(std::string_view control, bool visible) {
  dispatch_.SetVisible(control, visible);
}

void GtkWindowImpl::BeginTitleDrag() {
  if (closed_ || !press_.valid) return;
  dispatch_.CancelCapture();
  // The program moves the window itself, from the motion events that the press's implicit pointer
  // grab brings until the release, rather than handing the drag to the window manager
  // (_NET_WM_MOVERESIZE): openbox, for one, reports no place while it moves a window, so the
  // windows this one owns (the roster panel) would stay behind until the release. Each step is a
  // Move, which places the owned windows at once, under every manager and without one.
  drag_ = {true, left_, top_, press_.xRoot, press_.yRoot};
  press_.valid = false;
}

void GtkWindowImpl::FollowDrag(double xRoot, double yRoot) {
  Move(drag_.left + Pixel(xRoot) - drag_.xRoot, drag_.top + Pixel(yRoot) - drag_.yRoot);
}

void GtkWindowImpl::ShowPointerFor(int x, int y) {
  bool hand = dispatch_.HandCursorAt(x, y);
  if (hand == handShown_) return;
  handShown_ = hand;
  GdkWindow* gdk = gtk_widget_get_window(widget_.get());
  if (gdk != nullptr) gdk_window_set_cursor(gdk, hand ? system_.HandCursor() : nullptr);
}

gboolean GtkWindowImpl::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  auto* w = static_cast<GtkWindowImpl*>(self);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  const GtkWindowImpl* owner = w->owner_;
  if (w->presented_ != nullptr && owner != nullptr && owner->presented_ != nullptr && !w->system_.Blends()) {
    // Nothing blends the semi-transparent pixels with what lies beneath, and the server would
    // show them premultiplied, that is darkened (the roster panel's all but transparent strip
    // came out black). Beneath an owned window lies its owner, whose pixels are known: blend
    // over them here. Outside the owner the pixels are laid over black, as the server would.
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_set_source_surface(cr, owner->presented_.get(), owner->left_ - w->left_, owner->top_ - w->top_);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_set_source_surface(cr, w->presented_.get(), 0, 0);
  } else if (w->presented_ != nullptr) {
    cairo_set_source_surface(cr, w->presented_.get(), 0, 0);
  } else {
    cairo_set_source_rgba(cr, 0, 0, 0, 0);
  }
  cairo_paint(cr);
  if (w->presented_ != nullptr) w->system_.NoteDrawn(*w);
  return TRUE;
}

bool GtkWindowImpl::Ours(GdkWindow* window) const {
  // While a modal window holds the GTK grab, GTK may hand it events of other windows; their
  // coordinates belong to those windows, so they are no input of ours.
  return !closed_ && window == gtk_widget_get_window(widget_.get());
}

gboolean GtkWindowImpl::OnPress(GtkWidget*, GdkEventButton* event, gpointer self) {
  auto* w = static_cast<GtkWindowImpl*>(self);
  // GDK adds 2BUTTON/3BUTTON events after the plain presses of a double click: those are no
  // presses of their own.
  if (event->type != GDK_BUTTON_PRESS || !w->Ours(event->window)) return TRUE;
  GtkSystemImpl::Busy busy(w->system_);
  if (event->button == GDK_BUTTON_PRIMARY) {
    w->press_ = {true, event->button, Pixel(event->x_root), Pixel(event->y_root), event->time};
    w->dispatch_.LeftPress(Pixel(event->x), Pixel(event->y));
  }
  return TRUE;
}

gboolean GtkWindowImpl::OnRelease(GtkWidget*, GdkEventButton* event, gpointer self) {
  auto* w = static_cast<GtkWindowImpl*>(self);
  if (!w->Ours(event->window)) return TRUE;
  GtkSystemImpl::Busy busy(w->system_);
  if (event->button == GDK_BUTTON_PRIMARY && w->drag_.active) {
    // The end of a title drag; no control gets this release.
    w->FollowDrag(event->x_root, event->y_root);
    w->drag_.active = false;
  } else if (event->button == GDK_BUTTON_PRIMARY) {
    w->press_.valid = false;
    w->dispatch_.LeftRelease(Pixel(event->x), Pixel(event->y));
  } else if (event->button == GDK_BUTTON_SECONDARY) {
    w->dispatch_.RightRelease(Pixel(event->x), Pixel(event->y));
  }
  return TRUE;
}

gboolean GtkWindowImpl::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
  auto* w = static_cast<GtkWindowImpl*>(self);
  if (!w->Ours(event->window)) return TRUE;
  GtkSystemImpl::Busy busy(w->system_);
  if (w->drag_.active) {
    w->FollowDrag(event->x_root, event->y_root);
    return TRUE;
  }
  w->ShowPointerFor(Pixel(event->x), Pixel(event->y));
  w->dispatch_.Move(Pixel(event->x), Pixel(event->y));
  return TRUE;
}

// Keys: only those the program knows of (Key) are passed on, to the window that has the keyboard.
void GtkWindowImpl::WatchKeys() {
  if (!keyPressed_) return;
  gtk_widget_add_events(widget_.get(), GDK_KEY_PRESS_MASK);
  g_signal_connect(widget_.get(), "key-press-event", G_CALLBACK(OnKeyPress), this);
}

gboolean GtkWindowImpl::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto* w = static_cast<GtkWindowImpl*>(self);
  if (!w->Ours(event->window) || event->keyval != GDK_KEY_Escape) return FALSE;
  GtkSystemImpl::Busy busy(w->system_);
  auto handler = w->keyPressed_;
  handler(*w, Key::Escape);
  return TRUE;
}

gboolean GtkWindowImpl::OnGrabBroken(GtkWidget*, GdkEvent*, gpointer self) {
  // Another grab took the pointer (a window manager's key binding, say): the drag ends where the
  // window is.
  static_cast<GtkWindowImpl*>(self)->drag_.active = false;
  return FALSE;
}

GdkFilterReturn GtkWindowImpl::OnXEvent(GdkXEvent* xevent, GdkEvent*, gpointer self) {
  auto* w = static_cast<GtkWindowImpl*>(self);
  const auto* event = static_cast<const XEvent*>(xevent);
  if (w->closed_) return GDK_FILTER_CONTINUE;
  if (event->type == ReparentNotify) {
    // A window manager put the window into a frame of its own, or gave it back to the root.
    w->reparented_ = event->xreparent.parent != GDK_ROOT_WINDOW();
    // Managers shape their frame from the window's shapes when they hear of a change, but not
    // all read a shape that was set before they took the window on (openbox, icewm and xfwm4
    // left the frame taking clicks on transparent pixels until a minimise): set it once more.
    if (w->reparented_ && w->reshape_ == 0) {
      w->reshape_ = g_idle_add_full(G_PRIORITY_DEFAULT, ShapeAgain, w, nullptr);
    }
  } else if (event->type == ConfigureNotify) {
    // Not GDK's configure-event: GDK turns the place into root coordinates when it reads the
    // event, and by then a window manager may already have reparented the window into a frame
    // that is not yet where it will be (openbox maps its frames at 0, 0 first): the roster panel
    // would follow a main window at 0, 0. The raw event is exact: a real one holds the place
    // relative to the parent, the root while there is no frame; inside a frame the manager
    // reports every root place with a synthetic one (ICCCM 4.1.5).
    const XConfigureEvent& configure = event->xconfigure;
    if (configure.send_event || !w->reparented_) {
      w->placeX_ = configure.x;
      w->placeY_ = configure.y;
      // Handed over from the main loop: a filter runs while GDK reads events, no place for the
      // program's handlers. Several reports in a row (a drag) come out as the last one.
      if (w->placeReport_ == 0) w->placeReport_ = g_idle_add_full(G_PRIORITY_DEFAULT, ReportPlace, w, nullptr);
    }
  }
  return GDK_FILTER_CONTINUE;
}

gboolean GtkWindowImpl::ReportPlace(gpointer self) {
  auto* w = static_cast<GtkWindowImpl*>(self);
  w->placeReport_ = 0;
  if (w->closed_ || (w->placeX_ == w->left_ && w->placeY_ == w->top_)) return G_SOURCE_REMOVE;
  w->left_ = w->placeX_;
  w->top_ = w->placeY_;
  if (!w->system_.Blends()) {
    gtk_widget_queue_draw(w->Widget());
    w->RedrawOwned();
  }
  if (w->positionChanged_) {
    GtkSystemImpl::Busy busy(w->system_);
    auto handler = w->positionChanged_;
    handler(*w);
  }
  return G_SOURCE_REMOVE;
}

gboolean GtkWindowImpl::ShapeAgain(gpointer self) {
  auto* w = static_cast<GtkWindowImpl*>(self);
  w->reshape_ = 0;
  w->ApplyShape();
  return G_SOURCE_REMOVE;
}

void GtkWindowImpl::StopXEvents() {
  if (placeReport_ != 0) g_source_remove(placeReport_);
  placeReport_ = 0;
  if (reshape_ != 0) g_source_remove(reshape_);
  reshape_ = 0;
  if (!filtering_) return;
  filtering_ = false;
  if (GdkWindow* gdk = gtk_widget_get_window(widget_.get())) gdk_window_remove_filter(gdk, OnXEvent, this);
}

gboolean GtkWindowImpl::OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self) {
  auto* w = static_cast<GtkWindowImpl*>(self);
  if (w->closed_ || (event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) == 0) return FALSE;
  // Owned windows go and come back with their owner. Not every window manager does this for
  // transient windows (openbox leaves the roster panel on the desktop alone).
  w->system_.OwnerMinimized(*w, (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0);
  return FALSE;
}

void GtkWindowImpl::FollowOwnerMinimized(bool minimized) {
  if (closed_) return;
  if (minimized && gtk_widget_get_visible(widget_.get())) {
    hiddenWithOwner_ = true;
    gtk_widget_hide(widget_.get());
  } else if (!minimized && hiddenWithOwner_) {
    hiddenWithOwner_ = false;
    // A manager that minimised the window along with its owner (icewm) left it iconic, and GDK
    // would map it iconic again.
    gtk_window_deiconify(GTK_WINDOW(widget_.get()));
    gtk_widget_show(widget_.get());
  }
  system_.OwnerMinimized(*this, minimized);
}

gboolean GtkWindowImpl::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  // The window manager's close (Alt+F4): the same as the program closing the window.
  static_cast<GtkWindowImpl*>(self)->Destroy();
  return TRUE;
}

void GtkWindowImpl::OnDestroy(GtkWidget*, gpointer self) {
  // Destroyed from outside (the display went away): run the program's side of the close.
  static_cast<GtkWindowImpl*>(self)->Destroy();
}

// --- system ---------------------------------------------------------------------------------

GtkSystemImpl::GtkSystemImpl() {
  GdkScreen* screen = gdk_screen_get_default();
  // May be non-null even where alpha is not honoured; the compositor check decides the shape.
  rgba_ = gdk_screen_get_rgba_visual(screen);
  // Found in the icon theme once installed (share/icons/hicolor); else the manager's default.
  gtk_window_set_default_icon_name("petsim");
  g_signal_connect(screen, "composited-changed", G_CALLBACK(OnCompositedChanged), this);
}

GtkSystemImpl::~GtkSystemImpl() {
  g_signal_handlers_disconnect_by_data(gdk_screen_get_default(), this);
  // Windows still open get no events: the program has stopped. Owned ones go first.
  windows_.Clear();
}

void GtkSystemImpl::OnCompositedChanged(GdkScreen*, gpointer self) {
  static_cast<GtkSystemImpl*>(self)->windows_.ForEachOpen([](GtkWindowImpl& w) { w.ApplyShape(); });
}

void GtkSystemImpl::NoteDrawn(const GtkWindowImpl& window) {
  if (!traceFirstPresent_ || &window != windows_.Main()) return;
  traceFirstPresent_ = false;
  PrintStartupTrace("first present");
}

bool GtkSystemImpl::Composited() const { return gdk_screen_is_composited(gdk_screen_get_default()); }

GdkCursor* GtkSystemImpl::HandCursor() {
  if (hand_ == nullptr) {
    GdkDisplay* display = gdk_display_get_default();
    GdkCursor* cursor = gdk_cursor_new_from_name(display, "pointer");
    if (cursor == nullptr) cursor = gdk_cursor_new_for_display(display, GDK_HAND2);
    hand_.reset(cursor);
  }
  return hand_.get();
}

void GtkSystemImpl::RaiseOwnedBy(const GtkWindowImpl& owner) {
  windows_.ForOwnedBy(owner, [this](GtkWindowImpl& owned) {
    if (GdkWindow* gdk = gtk_widget_get_window(owned.Widget())) gdk_window_raise(gdk);
    RaiseOwnedBy(owned);
  });
}

void GtkSystemImpl::OwnerMinimized(const GtkWindowImpl& owner, bool minimized) {
  windows_.ForOwnedBy(owner, [minimized](GtkWindowImpl& owned) { owned.FollowOwnerMinimized(minimized); });
  if (!minimized) RaiseOwnedBy(owner);
}

void GtkSystemImpl::Retire(GtkWindowImpl& window) {
  if (windows_.Retire(window) && mainLoop_ != nullptr) g_main_loop_quit(mainLoop_.get());
}

GtkWindowImpl* GtkSystemImpl::OpenWindow(const WindowForm& form, bool modal) {
  GtkWindowImpl* owner = windows_.Lookup(form.owner);
  GtkWindowImpl* window = &windows_.Add(std::make_unique<GtkWindowImpl>(*this, form, owner, modal));
  // Before the show: GTK takes the modal grab when a modal window is mapped.
  if (modal) gtk_window_set_modal(GTK_WINDOW(window->Widget()), TRUE);
  window->RunCreated();
  if (window->Closed()) return window;
  // A window opened by its owner's created handler (the roster panel) waits until the owner is
  // mapped: a manager that takes it on first finds its transient-for pointing at a window it does
  // not manage, treats it as a window of its own, and raises the owner over it at the first click
  // (openbox, metacity). Mapped after its owner, it is also on top where no manager runs.
  if (owner == nullptr || owner->Shown()) {
    // A modal pop-up asks to be the active window: it takes the keyboard from the window that
    // opened it (the roster panel, say), and managers raise it above all of the program's windows.
    if (modal) {
      gtk_window_present(GTK_WINDOW(window->Widget()));
    } else {
      gtk_widget_show(window->Widget());
    }
    ShowOwnedBy(*window);
  }
  // Where no window manager keeps transient windows above their owner.
  RaiseOwnedBy(*window);
  return window;
}

void GtkSystemImpl::ShowOwnedBy(const GtkWindowImpl& owner) {
  windows_.ForOwnedBy(owner, [this](GtkWindowImpl& owned) {
    if (owned.Shown()) return;
    gtk_widget_show(owned.Widget());
    ShowOwnedBy(owned);
  });
}

Window* GtkSystemImpl::Open(const WindowForm& form) {
  Busy busy(*this);  // a window that its created handler destroyed is still there to be asked
  GtkWindowImpl* window = OpenWindow(form, false);
  return window->Closed() ? nullptr : window;
}

bool GtkSystemImpl::OpenModal(const WindowForm& form) {
  Busy busy(*this);
  GtkWindowImpl* window = OpenWindow(form, true);
  if (window->Closed()) return true;
  // The pattern of gtk_dialog_run: a nested loop that the window's destruction quits. Timeouts
  // and events of other windows still run inside it, so handlers are re-entrant.
  LoopPtr loop(g_main_loop_new(nullptr, FALSE));
  window->SetModalLoop(loop.get());
  g_main_loop_run(loop.get());
  return true;
}

void GtkSystemImpl::Run() {
  if (windows_.Main() == nullptr) return;
  mainLoop_.reset(g_main_loop_new(nullptr, FALSE));
  g_main_loop_run(mainLoop_.get());
  mainLoop_.reset();
}

Window* GtkSystemImpl::Find(std::string_view name) const { return windows_.Find(name); }

Point GtkSystemImpl::CursorPosition() const {
  GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
  GdkDevice* pointer = seat != nullptr ? gdk_seat_get_pointer(seat) : nullptr;
  Point p;
  if (pointer != nullptr) gdk_device_get_position(pointer, nullptr, &p.x, &p.y);
  return p;
}

bool GtkSystemImpl::ShowMessage(Window* owner, std::string_view text, std::string_view caption,
                                MessageButtons buttons) {
  GtkWindowImpl* parent = windows_.Lookup(owner);
  if (parent == nullptr) parent = windows_.Main();
  std::string body(text);
  GtkWidget* dialog =
      gtk_message_dialog_new(parent != nullptr ? GTK_WINDOW(parent->Widget()) : nullptr,
                             static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                             GTK_MESSAGE_INFO, GTK_BUTTONS_NONE, "%s", body.c_str());
  ObjectPtr<GtkWidget> hold(GTK_WIDGET(g_object_ref(dialog)));
  // Our own labels: GTK's stock ones follow the locale ("OK" beside Chinese text).
  GtkWidget* ok = gtk_dialog_add_button(GTK_DIALOG(dialog), "确定", GTK_RESPONSE_OK);
  if (buttons == MessageButtons::OkCancel) {
    gtk_dialog_add_button(GTK_DIALOG(dialog), "取消", GTK_RESPONSE_CANCEL);
  }
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  gtk_widget_grab_focus(ok);
  GtkWindow* window = GTK_WINDOW(dialog);
  gtk_window_set_title(window, std::string(caption).c_str());
  // Centred over its owner (a window manager puts the corner of its frame where the box's would
  // be, so the title bar comes on top); out of the task bar like every owned window.
  gtk_window_set_position(window, GTK_WIN_POS_CENTER_ON_PARENT);
  gtk_window_set_skip_taskbar_hint(window, TRUE);
  gtk_window_set_skip_pager_hint(window, TRUE);
  gint response = gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
  return buttons == MessageButtons::Ok || response == GTK_RESPONSE_OK;
}

namespace {
gboolean QuitLoop(gpointer loop) {
  g_main_loop_quit(static_cast<GMainLoop*>(loop));
  return G_SOURCE_REMOVE;
}
}  // namespace

void GtkSystemImpl::Wait(int milliseconds) {
  // A nested loop ended by a timeout: g_main_context_iteration alone may block past the deadline.
  LoopPtr loop(g_main_loop_new(nullptr, FALSE));
  g_timeout_add(static_cast<guint>(std::max(0, milliseconds)), QuitLoop, loop.get());
  g_main_loop_run(loop.get());
}

std::unique_ptr<System> MakeGtkSystem() {
  // X11 only, XWayland included: a Wayland client can neither place its windows (the roster panel
  // follows the main window) nor learn where they are.
  gdk_set_allowed_backends("x11");
  if (!gtk_init_check(nullptr, nullptr)) return nullptr;
  return std::make_unique<GtkSystemImpl>();
}

}  // namespace platform
