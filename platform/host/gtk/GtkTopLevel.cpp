#include "platform/host/gtk/GtkTopLevel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <cmath>

#include "platform/host/gtk/GtkHost.h"
#include "platform/host/gtk/KeyTranslation.h"
#include "platform/render/Renderer.h"
#include "platform/render/SanitizedText.h"

namespace host {

namespace {

// Keeps the host from freeing destroyed windows while a handler is still
// running on one of them.
class CallbackScope {
 public:
  explicit CallbackScope(GtkHost& host) : m_host(host) { m_host.EnterCallback(); }
  ~CallbackScope() { m_host.LeaveCallback(); }
  CallbackScope(const CallbackScope&) = delete;
  CallbackScope& operator=(const CallbackScope&) = delete;

 private:
  GtkHost& m_host;
};

WPARAM MouseKeys(unsigned state) {
  WPARAM keys = 0;
  if (state & GDK_BUTTON1_MASK) keys |= MK_LBUTTON;
  if (state & GDK_BUTTON3_MASK) keys |= MK_RBUTTON;
  if (state & GDK_SHIFT_MASK) keys |= MK_SHIFT;
  if (state & GDK_CONTROL_MASK) keys |= MK_CONTROL;
  return keys;
}

int Pixel(double coordinate) { return static_cast<int>(std::floor(coordinate)); }

GdkPixbuf* PixbufFromIcon(const win::IconImage& image) {
  cairo_surface_t* surface = render::CreateIconSurface(image);
  GdkPixbuf* pixbuf = nullptr;
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS && image.width > 0 && image.height > 0)
    pixbuf = gdk_pixbuf_get_from_surface(surface, 0, 0, image.width, image.height);
  cairo_surface_destroy(surface);
  return pixbuf;
}

std::string Utf8FromUnicode(guint32 ch) {
  if (ch == 0) return {};
  char buffer[8] = {};
  const int length = g_unichar_to_utf8(ch, buffer);
  return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace

GtkTopLevel::GtkTopLevel(GtkHost& host, const TopLevelInfo& info, GtkWindow* owner)
    : m_host(host), m_hwnd(info.hwnd), m_kind(info.kind), m_minimizeBox(info.minimizeBox), m_client(info.client) {
  const bool popup = info.kind == TopLevelKind::PopupMenu;
  m_window = gtk_window_new(popup ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
  GtkWindow* window = GTK_WINDOW(m_window);
  if (owner) gtk_window_set_transient_for(window, owner);
  if (popup) {
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_POPUP_MENU);
  } else {
    SetCaption(info.caption);
    gtk_window_set_resizable(window, FALSE);
    // A normal window keeps its minimise button and taskbar entry under
    // every window manager; only owned boxes without either are dialogs.
    const bool normal = info.appWindow || info.minimizeBox || !owner;
    gtk_window_set_type_hint(window, normal ? GDK_WINDOW_TYPE_HINT_NORMAL : GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_window_set_skip_taskbar_hint(window, !info.appWindow && owner != nullptr);
    // Positions name the client area, not the frame the window manager adds.
    gtk_window_set_gravity(window, GDK_GRAVITY_STATIC);
  }

  m_area = gtk_drawing_area_new();
  gtk_container_add(GTK_CONTAINER(m_window), m_area);
  gtk_widget_add_events(m_area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                    GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK);
  gtk_widget_add_events(m_window, GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK | GDK_FOCUS_CHANGE_MASK |
                                      GDK_STRUCTURE_MASK);

  m_im = gtk_im_multicontext_new();
  g_signal_connect(m_im, "commit", G_CALLBACK(OnCommit), this);
  g_signal_connect(m_im, "preedit-changed", G_CALLBACK(OnPreeditChanged), this);

  g_signal_connect(m_area, "draw", G_CALLBACK(OnDraw), this);
  g_signal_connect(m_area, "button-press-event", G_CALLBACK(OnButtonPress), this);
  g_signal_connect(m_area, "button-release-event", G_CALLBACK(OnButtonRelease), this);
  g_signal_connect(m_area, "motion-notify-event", G_CALLBACK(OnMotion), this);
  g_signal_connect(m_area, "scroll-event", G_CALLBACK(OnScroll), this);
  g_signal_connect(m_area, "realize", G_CALLBACK(OnAreaRealize), this);
  g_signal_connect(m_window, "key-press-event", G_CALLBACK(OnKeyPress), this);
  g_signal_connect(m_window, "key-release-event", G_CALLBACK(OnKeyRelease), this);
  g_signal_connect(m_window, "focus-in-event", G_CALLBACK(OnFocusIn), this);
  g_signal_connect(m_window, "focus-out-event", G_CALLBACK(OnFocusOut), this);
  g_signal_connect(m_window, "window-state-event", G_CALLBACK(OnWindowState), this);
  g_signal_connect(m_window, "configure-event", G_CALLBACK(OnConfigure), this);
  g_signal_connect(m_window, "delete-event", G_CALLBACK(OnDelete), this);
  g_signal_connect(m_window, "map-event", G_CALLBACK(OnMap), this);
  g_signal_connect(m_window, "realize", G_CALLBACK(OnWindowRealize), this);

  Move(info.client);
}

GtkTopLevel::~GtkTopLevel() {
  Retire();
  g_object_unref(m_im);
}

GdkWindow* GtkTopLevel::ClientWindow() const { return m_area ? gtk_widget_get_window(m_area) : nullptr; }

void GtkTopLevel::Retire() {
  if (!m_window) return;
  g_signal_handlers_disconnect_by_data(m_im, this);
  g_signal_handlers_disconnect_by_data(m_area, this);
  g_signal_handlers_disconnect_by_data(m_window, this);
  gtk_im_context_set_client_window(m_im, nullptr);
  gtk_widget_destroy(m_window);
  m_window = nullptr;
  m_area = nullptr;
}

void GtkTopLevel::Show(bool show) {
  if (!m_window) return;
  if (show) {
    gtk_window_move(Window(), m_client.left, m_client.top);
    gtk_widget_show_all(m_window);
  } else {
    gtk_widget_hide(m_window);
  }
}

void GtkTopLevel::Move(const RECT& client) {
  if (!m_window) return;
  m_client = client;
  const int width = std::max<int>(client.right - client.left, 1);
  const int height = std::max<int>(client.bottom - client.top, 1);
  // The window is not resizable, so its size follows the drawing area's.
  gtk_widget_set_size_request(m_area, width, height);
  gtk_window_resize(Window(), width, height);
  gtk_window_move(Window(), client.left, client.top);
  m_origin = POINT{client.left, client.top};
}

void GtkTopLevel::SetCaption(std::string_view caption) {
  if (!m_window) return;
  const render::SanitizedText title(caption);
  gtk_window_set_title(Window(), title.Text().c_str());
}

void GtkTopLevel::SetIcons(const win::IconImage* big, const win::IconImage* small) {
  if (!m_window) return;
  GList* list = nullptr;
  for (const win::IconImage* image : {big, small}) {
    if (!image) continue;
    if (GdkPixbuf* pixbuf = PixbufFromIcon(*image)) list = g_list_append(list, pixbuf);
  }
  gtk_window_set_icon_list(Window(), list);
  g_list_free_full(list, g_object_unref);
}

void GtkTopLevel::SetMinimized(bool minimized) {
  if (!m_window) return;
  if (minimized)
    gtk_window_iconify(Window());
  else
    gtk_window_deiconify(Window());
}

void GtkTopLevel::Activate() {
  if (m_window) gtk_window_present(Window());
}

void GtkTopLevel::Invalidate() {
  if (m_area) gtk_widget_queue_draw(m_area);
}

void GtkTopLevel::SetTextCursor(const RECT& caret) {
  if (!m_im) return;
  // The input method's client window is the drawing area's, which covers
  // the whole client area, so client pixels serve as they are.
  GdkRectangle area{caret.left, caret.top, caret.right - caret.left, caret.bottom - caret.top};
  gtk_im_context_set_cursor_location(m_im, &area);
}

HostSink* GtkTopLevel::Sink() const { return m_window ? m_host.Sink() : nullptr; }

namespace {

// With VUSK_REPORT_FIRST_FRAME set, the moment the first window has been
// painted is written to standard error as wall-clock nanoseconds, so that a
// benchmark can measure start-up from outside the process.
void ReportFirstFrame() {
  static bool reported = false;
  if (reported) return;
  reported = true;
  if (!std::getenv("VUSK_REPORT_FIRST_FRAME")) return;
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  std::fprintf(stderr, "first_frame_realtime_ns: %lld\n",
               static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stderr);
}

}  // namespace

gboolean GtkTopLevel::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  auto* top = static_cast<GtkTopLevel*>(self);
  if (HostSink* sink = top->Sink()) {
    CallbackScope scope(top->m_host);
    sink->HostPaint(top->m_hwnd, cr);
    ReportFirstFrame();
  }
  return TRUE;
}

gboolean GtkTopLevel::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self) {
  auto* top = static_cast<GtkTopLevel*>(self);
  top->m_host.UpdateModifiers(event->state);
  // GTK follows the second press of a double click with a GDK_2BUTTON_PRESS
  // (and a third with GDK_3BUTTON_PRESS); the click counter already made
  // the second press the double click, so these extra events are dropped.
  if (event->type != GDK_BUTTON_PRESS || (event->button != 1 && event->button != 3)) return TRUE;
  const POINT pt = top->ClientPoint(event->x_root, event->y_root);
  const bool isDouble = top->m_host.Clicks().Press(top, event->button, event->time, pt.x, pt.y);
  HostSink* sink = top->Sink();
  if (!sink) return TRUE;
  UINT message = WM_RBUTTONDOWN;
  WPARAM keys = MouseKeys(event->state) | MK_RBUTTON;
  if (event->button == 1) {
    message = isDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
    keys = MouseKeys(event->state) | MK_LBUTTON;
  }
  CallbackScope scope(top->m_host);
  sink->HostMouse(top->m_hwnd, message, pt.x, pt.y, keys, 0);
  return TRUE;
}

gboolean GtkTopLevel::OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer self) {
  auto* top = static_cast<GtkTopLevel*>(self);
  top->m_host.UpdateModifiers(event->state);
  HostSink* sink = top->Sink();
  if (!sink || (event->button != 1 && event->button != 3)) return TRUE;
  const bool left = event->button == 1;
  const WPARAM keys = MouseKeys(event->state) & ~(left ? MK_LBUTTON : MK_RBUTTON);
  const POINT pt = top->ClientPoint(event->x_root, event->y_root);
  CallbackScope scope(top->m_host);
  sink->HostMouse(top->m_hwnd, left ? WM_LBUTTONUP : WM_RBUTTONUP, pt.x, pt.y, keys, 0);
  return TRUE;
}

gboolean GtkTopLevel::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
  auto* top = static_cast<GtkTopLevel*>(self);
  top->m_host.UpdateModifiers(event->state);
  HostSink* sink = top->Sink();
  if (!sink) return TRUE;
  const POINT pt = top->ClientPoint(event->x_root, event->y_root);
  CallbackScope scope(top->m_host);
  sink->HostMouse(top->m_hwnd, WM_MOUSEMOVE, pt.x, pt.y, MouseKeys(event->state), 0);
  return TRUE;
}

gboolean GtkTopLevel::OnScroll(GtkWidget*, GdkEventScroll* event, gpointer self) {
  auto* top = static_cast<GtkTopLevel*>(self);
  top->m_host.UpdateModifiers(event->state);
  int notches = 0;
  switch (event->direction) {
    case GDK_SCROLL_UP: notches = 1; break;
    case GDK_SCROLL_DOWN: notches = -1; break;
    case GDK_SCROLL_SMOOTH: {
      // Touchpads scroll in fractions of a notch; whole notches are sent as
      // they add up, and the rest waits for the next event.
      double dx = 0;
      double dy = 0;
      gdk_event_get_scroll_deltas(reinterpret_cast<GdkEvent*>(event), &dx, &dy);
      top->m_scroll -= dy;
      notches = static_cast<int>(std::trunc(top->m_scroll));
      top->m_scroll -= notches;
      break;
    }
    default: break;
  }
  HostSink* sink = top->Sink();
  if (!sink || notches == 0) return TRUE;
  const POINT pt = top->ClientPoint(event->x_root, event->y_root);
  CallbackScope scope(top->m_host);
  sink->HostMouse(top->m_hwnd, WM_MOUSEWHEEL, pt.x, pt.y, MouseKeys(event->state), notches * WHEEL_DELTA);
  return TRUE;
}

gboolean GtkTopLevel::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  static_cast<GtkTopLevel*>(self)->HandleKey(event, true);
  // Always handled here: GTK's own key bindings (F10, mnemonics) must not act.
  return TRUE;
}

gboolean GtkTopLevel::OnKeyRelease(GtkWidget*, GdkEventKey* event, gpointer self) {
  static_cast<GtkTopLevel*>(self)->HandleKey(event, false);
  return TRUE;
}

void GtkTopLevel::HandleKey(GdkEventKey* event, bool press) {
  m_host.UpdateModifiers(event->state, event->keyval, press);
  if (!m_window) return;
  CallbackScope scope(m_host);

  UINT vk = VirtualKeyFromKeyval(event->keyval);
  if (vk == 0) {
    // A letter of another script: name the key by what it carries in the
    // first keyboard layout, so Alt+letter mnemonics still work.
    guint base = 0;
    GdkKeymap* keymap = gdk_keymap_get_for_display(gtk_widget_get_display(m_window));
    if (gdk_keymap_translate_keyboard_state(keymap, event->hardware_keycode, static_cast<GdkModifierType>(0), 0,
                                            &base, nullptr, nullptr, nullptr))
      vk = VirtualKeyFromKeyval(base);
  }
  const bool altDown = (event->state & GDK_MOD1_MASK) != 0 || (press && IsAltKey(event->keyval));

  // The input method sees every key first. What it commits while doing so
  // is held back: when it is just the key's own character, the key message
  // goes first and the text after it, as a keyboard without an input method
  // would give them; keys it swallows for composition send no key message.
  m_filtering = true;
  m_held.clear();
  const bool consumed = gtk_im_context_filter_keypress(m_im, event);
  m_filtering = false;
  const std::string held = std::move(m_held);
  m_held.clear();

  std::set<unsigned>& down = m_host.KeysDown();
  HostSink* sink = Sink();
  if (press) {
    const bool plainKey = !consumed || (!held.empty() && held == Utf8FromUnicode(gdk_keyval_to_unicode(event->keyval)));
    if (plainKey && vk != 0 && sink) {
      down.insert(vk);
      const KeyMessage key = KeyMessageFor(vk, true, altDown);
      sink->HostKey(m_hwnd, key.message, vk, key.lParam);
    }
  } else if (vk != 0 && down.erase(vk) && sink) {
    const KeyMessage key = KeyMessageFor(vk, false, altDown);
    sink->HostKey(m_hwnd, key.message, vk, key.lParam);
  }
  if (!held.empty()) SendText(held);
}

void GtkTopLevel::SendText(const std::string& text) {
  if (m_filtering) {
    m_held += text;
    return;
  }
  HostSink* sink = Sink();
  if (!sink || text.empty()) return;
  CallbackScope scope(m_host);
  sink->HostText(m_hwnd, render::SanitizedText(text).Text());
}

void GtkTopLevel::SendPreedit(const std::string& text) {
  if (text == m_preedit) return;
  m_preedit = text;
  HostSink* sink = Sink();
  if (!sink) return;
  CallbackScope scope(m_host);
  sink->HostPreedit(m_hwnd, render::SanitizedText(text).Text());
}

void GtkTopLevel::OnCommit(GtkIMContext*, gchar* text, gpointer self) {
  if (text) static_cast<GtkTopLevel*>(self)->SendText(text);
}

void GtkTopLevel::OnPreeditChanged(GtkIMContext* context, gpointer self) {
  gchar* text = nullptr;
  gtk_im_context_get_preedit_string(context, &text, nullptr, nullptr);
  const std::string preedit = text ? text : "";
  g_free(text);
  static_cast<GtkTopLevel*>(self)->SendPreedit(preedit);
}

gboolean GtkTopLevel::OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer self) {
  auto* top = static_cast<GtkTopLevel*>(self);
  gtk_im_context_focus_in(top->m_im);
  top->ReportActive(true);
  return FALSE;
}

gboolean GtkTopLevel::OnFocusOut(GtkWidget*, GdkEventFocus*, gpointer self) {
  auto* top = static_cast<GtkTopLevel*>(self);
  gtk_im_context_focus_out(top->m_im);
  // Keys held while the focus leaves never send their release here.
  top->m_host.KeysDown().clear();
  top->ReportActive(false);
  return FALSE;
}

void GtkTopLevel::ReportActive(bool active) {
  // A popup menu is never the active window, and the keyboard grab of an
  // open menu moves the focus without deactivating the menu's owner.
  if (m_kind == TopLevelKind::PopupMenu || m_host.PopupGrabHeld() || active == m_active) return;
  m_active = active;
  if (HostSink* sink = Sink()) {
    CallbackScope scope(m_host);
    sink->HostActivated(m_hwnd, active);
  }
}

POINT GtkTopLevel::ClientPoint(double xRoot, double yRoot) const {
  // Under a grab GDK reports an event against the grab window but may keep
  // the coordinates of the window the pointer was pressed in, so positions
  // are taken from the screen position and this window's known origin.
  return POINT{Pixel(xRoot - m_origin.x), Pixel(yRoot - m_origin.y)};
}

gboolean GtkTopLevel::OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self) {
  auto* top = static_cast<GtkTopLevel*>(self);
  if (!(event->changed_mask & GDK_WINDOW_STATE_ICONIFIED)) return FALSE;
  const bool minimized = (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
  if (minimized == top->m_minimized) return FALSE;
  top->m_minimized = minimized;
  if (HostSink* sink = top->Sink()) {
    CallbackScope scope(top->m_host);
    sink->HostMinimized(top->m_hwnd, minimized);
  }
  return FALSE;
}

gboolean GtkTopLevel::OnConfigure(GtkWidget*, GdkEventConfigure*, gpointer self) {
  static_cast<GtkTopLevel*>(self)->ReportOrigin();
  return FALSE;
}

void GtkTopLevel::ReportOrigin() {
  GdkWindow* client = ClientWindow();
  if (!client) return;
  int x = 0;
  int y = 0;
  gdk_window_get_origin(client, &x, &y);
  if (x == m_origin.x && y == m_origin.y) return;
  m_origin = POINT{x, y};
  m_client = RECT{x, y, x + (m_client.right - m_client.left), y + (m_client.bottom - m_client.top)};
  if (m_kind == TopLevelKind::PopupMenu) return;
  if (HostSink* sink = Sink()) {
    CallbackScope scope(m_host);
    sink->HostMoved(m_hwnd, x, y);
  }
}

gboolean GtkTopLevel::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  auto* top = static_cast<GtkTopLevel*>(self);
  HostSink* sink = top->Sink();
  if (sink) {
    CallbackScope scope(top->m_host);
    sink->HostCloseRequest(top->m_hwnd);
  }
  // The window system decides what closing means; GTK never destroys it.
  return TRUE;
}

gboolean GtkTopLevel::OnMap(GtkWidget*, GdkEvent*, gpointer self) {
  auto* top = static_cast<GtkTopLevel*>(self);
  top->m_host.WindowMapped(top->m_hwnd);
  return FALSE;
}

void GtkTopLevel::OnWindowRealize(GtkWidget* widget, gpointer self) {
  auto* top = static_cast<GtkTopLevel*>(self);
  if (top->m_kind != TopLevelKind::Dialog) return;
  // Ask the window manager for exactly the frame the window has: a title,
  // a window menu and a close box, minimising only with a minimise box.
  GdkWindow* window = gtk_widget_get_window(widget);
  const int minimize = top->m_minimizeBox ? 1 : 0;
  gdk_window_set_functions(window, static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_CLOSE |
                                                              (minimize ? GDK_FUNC_MINIMIZE : 0)));
  gdk_window_set_decorations(window, static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE |
                                                                  GDK_DECOR_MENU |
                                                                  (minimize ? GDK_DECOR_MINIMIZE : 0)));
}

void GtkTopLevel::OnAreaRealize(GtkWidget* widget, gpointer self) {
  gtk_im_context_set_client_window(static_cast<GtkTopLevel*>(self)->m_im, gtk_widget_get_window(widget));
}

}  // namespace host
