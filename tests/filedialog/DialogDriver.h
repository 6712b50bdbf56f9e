#pragma once
// DialogDriver: what a person does to the windows of the window system,
// done through the headless host: clicks at a control's centre or on a list
// line, keys and text to the active window. Tests queue these as script
// steps; the window system runs a step whenever its loop waits.

#include <string>
#include <vector>

#include "platform/host/headless/HeadlessHost.h"
#include "platform/win/WinApi.h"

class DialogDriver {
 public:
  explicit DialogDriver(host::HeadlessHost& host) : m_host(host) {}

  // The active top-level window: the dialog or message box that is up.
  HWND Top() const;
  HWND Item(int id) const { return GetDlgItem(Top(), id); }
  // A control's rectangle in its top-level's client pixels.
  RECT RectOf(HWND control) const;

  void Click(int id);
  // A mouse message at (x, y) of `control`'s own client area.
  void Mouse(HWND control, UINT message, int x, int y, WPARAM keys = 0);
  void ClickLine(int listId, int index);
  void DoubleClickLine(int listId, int index);
  void Key(UINT vk, unsigned modifiers = 0) { m_host.Key(Top(), vk, modifiers); }
  void Alt(char upperLetter) { m_host.Key(Top(), static_cast<UINT>(upperLetter), host::kModAlt); }
  void Type(const std::string& utf8) { m_host.Text(Top(), utf8); }

  std::vector<std::string> Lines(int listId) const;
  int IndexOf(int listId, const std::string& line) const;
  std::string Text(HWND hwnd) const;
  std::string Text(int id) const { return Text(Item(id)); }

 private:
  host::HeadlessHost& m_host;
};
