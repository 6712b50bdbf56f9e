#pragma once
// One top-level window of the window system shown by GTK: a GtkWindow with a
// single drawing area that covers the client area. It turns the window's
// GTK signals into HostSink calls for its HWND and does what GtkHost asks of
// that one window. It owns no rule of dialogs, focus or keys.

// The window system's types come before GTK's: GLib defines TRUE and FALSE
// as macros, which would rewrite the window system's own constants.
#include "platform/host/Host.h"

#include <gtk/gtk.h>

#include <string>
#include <string_view>

namespace host {

class GtkHost;

class GtkTopLevel {
 public:
  GtkTopLevel(GtkHost& host, const TopLevelInfo& info, GtkWindow* owner);
  ~GtkTopLevel();
  GtkTopLevel(const GtkTopLevel&) = delete;
  GtkTopLevel& operator=(const GtkTopLevel&) = delete;

  HWND Hwnd() const { return m_hwnd; }
  TopLevelKind Kind() const { return m_kind; }
  GtkWindow* Window() const { return GTK_WINDOW(m_window); }
  // The GDK window of the client area, once realised.
  GdkWindow* ClientWindow() const;

  // Stops all signals and destroys the GTK window; the object itself may
  // still be on the stack of a signal handler, so GtkHost frees it later.
  void Retire();
  bool Retired() const { return m_window == nullptr; }

  void Show(bool show);
  void Move(const RECT& client);
  void SetCaption(std::string_view caption);
  void SetIcons(const win::IconImage* big, const win::IconImage* small);
  void SetMinimized(bool minimized);
  void Activate();
  void Invalidate();
  // Where the input method should show its candidates (client pixels).
  void SetTextCursor(const RECT& caret);

 private:
  static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static gboolean OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
  static gboolean OnButtonRelease(GtkWidget* widget, GdkEventButton* event, gpointer self);
  static gboolean OnMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self);
  static gboolean OnScroll(GtkWidget* widget, GdkEventScroll* event, gpointer self);
  static gboolean OnKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer self);
  static gboolean OnKeyRelease(GtkWidget* widget, GdkEventKey* event, gpointer self);
  static gboolean OnFocusIn(GtkWidget* widget, GdkEventFocus* event, gpointer self);
  static gboolean OnFocusOut(GtkWidget* widget, GdkEventFocus* event, gpointer self);
  static gboolean OnWindowState(GtkWidget* widget, GdkEventWindowState* event, gpointer self);
  static gboolean OnConfigure(GtkWidget* widget, GdkEventConfigure* event, gpointer self);
  static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
  static gboolean OnMap(GtkWidget* widget, GdkEvent* event, gpointer self);
  static void OnWindowRealize(GtkWidget* widget, gpointer self);
  static void OnAreaRealize(GtkWidget* widget, gpointer self);
  static void OnCommit(GtkIMContext* context, gchar* text, gpointer self);
  static void OnPreeditChanged(GtkIMContext* context, gpointer self);

  void HandleKey(GdkEventKey* event, bool press);
  void SendText(const std::string& text);
  void SendPreedit(const std::string& text);
  void ReportOrigin();
  void ReportActive(bool active);
  // The client pixel of a screen position.
  POINT ClientPoint(double xRoot, double yRoot) const;
  HostSink* Sink() const;

  GtkHost& m_host;
  HWND m_hwnd;
  TopLevelKind m_kind;
  bool m_minimizeBox;
  RECT m_client;
  GtkWidget* m_window = nullptr;
  GtkWidget* m_area = nullptr;
  GtkIMContext* m_im = nullptr;
  bool m_minimized = false;
  bool m_active = false;
  POINT m_origin;  // the client area's top-left on the screen
  double m_scroll = 0;  // smooth scrolling not yet sent, in notches
  std::string m_preedit;
  // While a key is offered to the input method, what it commits is held
  // back so the key message can go first.
  bool m_filtering = false;
  std::string m_held;
};

}  // namespace host
