#include "platform/host/gtk/ClickCounter.h"

#include <cstdlib>

namespace host {

bool ClickCounter::Press(const void* window, unsigned button, std::uint32_t time, int x, int y) {
  // Event times wrap around; the difference in unsigned arithmetic is right
  // across the wrap.
  const bool isDouble = m_armed && window == m_window && button == m_button &&
                        time - m_time <= static_cast<std::uint32_t>(m_interval) &&
                        std::abs(x - m_x) <= m_distance && std::abs(y - m_y) <= m_distance;
  m_window = window;
  m_button = button;
  m_time = time;
  m_x = x;
  m_y = y;
  m_armed = !isDouble;
  return isDouble;
}

}  // namespace host
