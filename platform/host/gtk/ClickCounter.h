#pragma once
// Decides whether a button press is the second click of a double click, the
// way the window system expects them: down, up, double-click, up. GTK marks
// double clicks with an extra event after a second ordinary press; deciding
// here instead means the second press is reported once, as the double click,
// and a third quick press starts over as a single click.

#include <cstdint>

namespace host {

class ClickCounter {
 public:
  // `interval` in milliseconds and `distance` in pixels, from the desktop's
  // double-click settings.
  ClickCounter(int interval, int distance) : m_interval(interval), m_distance(distance) {}

  // A press of `button` at time `time` (milliseconds) and position x, y in
  // the window `window`. Returns true when it completes a double click.
  bool Press(const void* window, unsigned button, std::uint32_t time, int x, int y);

 private:
  int m_interval;
  int m_distance;
  const void* m_window = nullptr;
  unsigned m_button = 0;
  std::uint32_t m_time = 0;
  int m_x = 0;
  int m_y = 0;
  bool m_armed = false;  // the last press was a first click
};

}  // namespace host
