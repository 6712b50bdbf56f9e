#pragma once
// Turns GDK key events into the window system's key messages: the virtual-key
// code of a keyval, whether the key is a "system" key (Alt held, or F10), and
// the lParam flag that says Alt is down.

#include "platform/win/WinTypes.h"

namespace host {

// The virtual-key code of a GDK keyval, or 0 for keys the window system has
// no code for. Letters map to 'A'..'Z' whatever their case, digits to
// '0'..'9', keypad keys to the keys they stand for when NumLock is off.
UINT VirtualKeyFromKeyval(unsigned keyval);

// True when the key is one of the Alt keys themselves.
bool IsAltKey(unsigned keyval);

struct KeyMessage {
  UINT message = 0;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
  LPARAM lParam = 0;
};

// The message for a press or release of `vk` with Alt held (or not): Alt
// makes it a system key and sets KF_ALTDOWN_LPARAM; F10 alone is a system
// key too, the key that opens the window menu bar.
KeyMessage KeyMessageFor(UINT vk, bool press, bool altDown);

}  // namespace host
