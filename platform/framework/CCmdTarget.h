#pragma once
// CCmdTarget: the base of everything that receives commands and window
// messages through a routing table. A routing table is a plain constant
// array of entries {message, notification code, control id range, handler},
// one per class, chained to the base class's table; one dispatch function
// reads them. Handlers are member functions of a few fixed shapes.

#include <span>
#include <variant>

#include "platform/win/WinTypes.h"

class CCmdTarget;

namespace afx {

using PfnVoid = void (CCmdTarget::*)();
using PfnSysCommand = void (CCmdTarget::*)(UINT, LPARAM);
using PfnCursor = HCURSOR (CCmdTarget::*)();
using PfnMessage = LRESULT (CCmdTarget::*)(WPARAM, LPARAM);
using Handler = std::variant<PfnVoid, PfnSysCommand, PfnCursor, PfnMessage>;

struct MessageEntry {
  UINT message;  // WM_COMMAND for commands and control notifications
  UINT code;     // notification code for WM_COMMAND entries
  UINT firstId;
  UINT lastId;
  Handler handler;
};

struct MessageMap {
  const MessageMap* base;
  std::span<const MessageEntry> entries;
};

// Entry builders, so that a table reads as a list of what goes where.
template <class T>
constexpr MessageEntry Command(UINT id, void (T::*fn)()) {
  return {WM_COMMAND, 0, id, id, static_cast<PfnVoid>(fn)};
}
template <class T>
constexpr MessageEntry ControlNotify(UINT code, UINT id, void (T::*fn)()) {
  return {WM_COMMAND, code, id, id, static_cast<PfnVoid>(fn)};
}
template <class T>
constexpr MessageEntry Message(UINT message, void (T::*fn)()) {
  return {message, 0, 0, 0, static_cast<PfnVoid>(fn)};
}
template <class T>
constexpr MessageEntry Message(UINT message, void (T::*fn)(UINT, LPARAM)) {
  return {message, 0, 0, 0, static_cast<PfnSysCommand>(fn)};
}
template <class T>
constexpr MessageEntry Message(UINT message, HCURSOR (T::*fn)()) {
  return {message, 0, 0, 0, static_cast<PfnCursor>(fn)};
}
template <class T>
constexpr MessageEntry Message(UINT message, LRESULT (T::*fn)(WPARAM, LPARAM)) {
  return {message, 0, 0, 0, static_cast<PfnMessage>(fn)};
}

// The first entry for `message` (and, for WM_COMMAND, `code` and `id`) in
// `map` or the tables it is chained to, or nullptr.
const MessageEntry* FindEntry(const MessageMap* map, UINT message, UINT code, UINT id);

}  // namespace afx

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;

  // Routes command `id` with notification `code`; TRUE if a handler took it.
  virtual BOOL OnCmdMsg(UINT id, UINT code);

  virtual const afx::MessageMap* GetMessageMap() const;

 protected:
  static const afx::MessageMap messageMap;
};
