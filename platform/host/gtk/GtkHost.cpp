#include "platform/host/gtk/GtkHost.h"

#include <gtk/gtk.h>

#include <cstdio>

#include "platform/host/gtk/GtkTopLevel.h"
#include "platform/render/SanitizedText.h"

namespace host {

namespace {

int IntSetting(const char* name, int fallback) {
  int value = fallback;
  if (GtkSettings* settings = gtk_settings_get_default()) g_object_get(settings, name, &value, nullptr);
  return value;
}

}  // namespace

std::unique_ptr<GtkHost> GtkHost::Create(int* argc, char*** argv) {
  // Windows are placed at absolute positions and popup menus grab the
  // pointer; X11 (through XWayland on a Wayland desktop) allows both.
  gdk_set_allowed_backends("x11,*");
  if (!gtk_init_check(argc, argv)) {
    std::fprintf(stderr, "vusk: cannot open a display; set DISPLAY or WAYLAND_DISPLAY to run the program\n");
    return nullptr;
  }
  return std::unique_ptr<GtkHost>(new GtkHost());
}

GtkHost::GtkHost()
    : m_clicks(IntSetting("gtk-double-click-time", 400), IntSetting("gtk-double-click-distance", 5)) {}

GtkHost::~GtkHost() {
  ReleaseGrab();
  m_windows.clear();
  m_retired.clear();
}

GtkTopLevel* GtkHost::Find(HWND top) const {
  const auto it = m_windows.find(top);
  return it == m_windows.end() ? nullptr : it->second.get();
}

void GtkHost::CreateTopLevel(const TopLevelInfo& info) {
  if (!info.hwnd) return;
  DestroyTopLevel(info.hwnd);
  GtkTopLevel* owner = Find(info.owner);
  m_windows[info.hwnd] = std::make_unique<GtkTopLevel>(*this, info, owner ? owner->Window() : nullptr);
}

void GtkHost::DestroyTopLevel(HWND top) {
  const auto it = m_windows.find(top);
  if (it == m_windows.end()) return;
  if (m_grabTop == top) {
    ReleaseGrab();
    m_grabTop = nullptr;
  }
  it->second->Retire();
  m_retired.push_back(std::move(it->second));
  m_windows.erase(it);
  FreeRetired();
}

void GtkHost::ShowTopLevel(HWND top, bool show) {
  if (GtkTopLevel* window = Find(top)) window->Show(show);
}

void GtkHost::MoveTopLevel(HWND top, const RECT& client) {
  if (GtkTopLevel* window = Find(top)) window->Move(client);
}

void GtkHost::SetCaption(HWND top, std::string_view caption) {
  if (GtkTopLevel* window = Find(top)) window->SetCaption(caption);
}

void GtkHost::SetIcons(HWND top, const win::IconImage* big, const win::IconImage* small) {
  if (GtkTopLevel* window = Find(top)) window->SetIcons(big, small);
}

void GtkHost::SetEnabled(HWND, bool) {
  // Nothing to do: a disabled window's input still reaches the window
  // system, which refuses it and brings the modal window above it forward.
}

void GtkHost::SetMinimized(HWND top, bool minimized) {
  if (GtkTopLevel* window = Find(top)) window->SetMinimized(minimized);
}

void GtkHost::Activate(HWND top) {
  if (GtkTopLevel* window = Find(top)) window->Activate();
}

void GtkHost::Invalidate(HWND top) {
  if (GtkTopLevel* window = Find(top)) window->Invalidate();
}

void GtkHost::SetTextCursor(HWND top, const RECT& caret) {
  if (GtkTopLevel* window = Find(top)) window->SetTextCursor(caret);
}

void GtkHost::GrabPointer(HWND top) {
  ReleaseGrab();
  m_grabTop = Find(top) ? top : nullptr;
  TakeGrab();
}

bool GtkHost::PopupGrabHeld() const {
  const GtkTopLevel* window = Find(m_grabTop);
  return m_grabbed && window && window->Kind() == TopLevelKind::PopupMenu;
}

void GtkHost::WindowMapped(HWND top) {
  if (top == m_grabTop && !m_grabbed) TakeGrab();
}

void GtkHost::TakeGrab() {
  GtkTopLevel* window = Find(m_grabTop);
  if (!window || m_grabbed) return;
  GdkWindow* client = window->ClientWindow();
  // A window that is not on screen yet cannot be grabbed; the grab is taken
  // when it is mapped.
  if (!client || !gdk_window_is_viewable(client)) return;
  // A popup menu takes the keyboard too. Events are reported to the grab
  // window wherever the pointer is, so a click outside the menu arrives
  // with coordinates outside its client area.
  const GdkSeatCapabilities capabilities =
      window->Kind() == TopLevelKind::PopupMenu ? GDK_SEAT_CAPABILITY_ALL : GDK_SEAT_CAPABILITY_ALL_POINTING;
  GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(client));
  m_grabbed = gdk_seat_grab(seat, client, capabilities, FALSE, nullptr, nullptr, nullptr, nullptr) ==
              GDK_GRAB_SUCCESS;
}

void GtkHost::ReleaseGrab() {
  if (!m_grabbed) return;
  m_grabbed = false;
  if (GdkDisplay* display = gdk_display_get_default()) gdk_seat_ungrab(gdk_display_get_default_seat(display));
}

RECT GtkHost::WorkArea() {
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr;
  if (!monitor && display && gdk_display_get_n_monitors(display) > 0) monitor = gdk_display_get_monitor(display, 0);
  if (!monitor) return RECT{0, 0, 640, 480};
  GdkRectangle area{};
  gdk_monitor_get_workarea(monitor, &area);
  return RECT{area.x, area.y, area.x + area.width, area.y + area.height};
}

double GtkHost::Dpi() {
  GdkScreen* screen = gdk_screen_get_default();
  const double resolution = screen ? gdk_screen_get_resolution(screen) : -1.0;
  return resolution > 0 ? resolution : 96.0;
}

void GtkHost::UpdateModifiers(unsigned gdkState, unsigned keyval, bool press) {
  unsigned modifiers = 0;
  if (gdkState & GDK_SHIFT_MASK) modifiers |= kModShift;
  if (gdkState & GDK_CONTROL_MASK) modifiers |= kModControl;
  if (gdkState & GDK_MOD1_MASK) modifiers |= kModAlt;
  // An event's state is the one before it; a modifier key's own event
  // changes its bit.
  unsigned own = 0;
  if (keyval == GDK_KEY_Shift_L || keyval == GDK_KEY_Shift_R) own = kModShift;
  if (keyval == GDK_KEY_Control_L || keyval == GDK_KEY_Control_R) own = kModControl;
  if (keyval == GDK_KEY_Alt_L || keyval == GDK_KEY_Alt_R || keyval == GDK_KEY_Meta_L || keyval == GDK_KEY_Meta_R)
    own = kModAlt;
  modifiers = press ? (modifiers | own) : (modifiers & ~own);
  m_modifiers = modifiers;
}

void GtkHost::Wait() {
  FreeRetired();
  g_main_context_iteration(nullptr, TRUE);
  FreeRetired();
}

void GtkHost::Poll() {
  FreeRetired();
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
  FreeRetired();
}

void GtkHost::Wake() { g_main_context_wakeup(nullptr); }

void GtkHost::FreeRetired() {
  if (m_callbackDepth == 0) m_retired.clear();
}

std::string GtkHost::GetClipboardText() {
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gchar* text = gtk_clipboard_wait_for_text(clipboard);
  std::string result = text ? text : "";
  g_free(text);
  return result;
}

void GtkHost::SetClipboardText(std::string_view utf8) {
  const render::SanitizedText text(utf8);
  gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), text.Text().c_str(),
                         static_cast<gint>(text.Text().size()));
}

}  // namespace host
