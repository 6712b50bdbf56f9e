#pragma once
// What the parts of the window system share among themselves: the control
// classes, the window system's state (focus, activation, capture) and the
// connection to the host. Nothing outside platform/win includes this.

#include <string>
#include <string_view>

#include "platform/host/Host.h"
#include "platform/render/Scene.h"
#include "platform/win/WinApi.h"
#include "platform/win/Window.h"

namespace win {

// Connects the window system to `host` (and the host's events to us).
void InitWindowSystem(host::Host* host);

struct ControlClass {
  const char* name;
  WindowClass cls;
  WNDPROC proc;
};
// The class registered under `name` (case-insensitive), or nullptr.
const ControlClass* FindControlClass(std::string_view name);
void RegisterControlClass(const ControlClass& controlClass);

LRESULT ButtonWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT StaticWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ListBoxWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT EditWindowProc(HWND, UINT, WPARAM, LPARAM);

// Creates a top-level window of ours and its host window (hidden).
Window* CreateTopLevelWindow(WindowClass cls, DWORD style, DWORD exStyle, const char* caption, RECT client,
                             HWND owner, WNDPROC proc, LPARAM userData, host::TopLevelKind kind);

// The font of the top-level window that contains `window`.
const render::Font& FontOf(Window* window);
std::shared_ptr<const render::Font> OpenDialogFont(const char* face, int pointSize, int weight, bool italic);

// Describes `top`'s client area for the renderer.
render::SceneView BuildScene(Window* top);
// Describes one control, in its top-level's client pixels; the list box
// hit-tests against the same description the renderer draws.
render::ItemView DescribeControl(Window* control);
// Describes the lines of a popup menu window.
void DescribeMenu(Window* popup, render::SceneView& scene);
// Lines that fit in a list box.
int ListBoxPage(Window* list);

// The picture of `icon` nearest to `size` pixels.
render::IconRef IconRefOf(HICON icon, int size);

// Visual state helpers.
bool IsPushButton(const Window* w);
// The push button that Enter would press in `dialog`, drawn with the dark frame.
Window* CurrentDefaultButton(Window* dialog);

// Posts an input message carrying the modifier keys held when it was made.
void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned modifiers);
// The modifier keys of the input message being handled.
unsigned CurrentModifiers();

// Activation without echoing it back to the host (the host told us).
void ActivateFromHost(Window* top);

// Centres `window` over `over` (or the work area when `over` is null,
// minimised or hidden), keeping it inside the work area.
void CenterTopLevel(Window* window, Window* over);

}  // namespace win
