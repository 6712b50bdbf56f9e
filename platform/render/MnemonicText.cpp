#include "platform/render/MnemonicText.h"

#include <algorithm>

namespace render {

namespace {

// Length of the UTF-8 character starting with lead byte `b`; the text is
// valid, so the lead byte alone decides it.
std::size_t CharLength(unsigned char b) {
  if (b < 0x80) return 1;
  if (b < 0xE0) return 2;
  if (b < 0xF0) return 3;
  return 4;
}

}  // namespace

MnemonicText::MnemonicText(std::string_view utf8, bool prefix) {
  if (!prefix) {
    m_display.assign(utf8);
    return;
  }
  m_display.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    if (utf8[i] != '&') {
      m_display.push_back(utf8[i]);
      ++i;
      continue;
    }
    if (i + 1 >= utf8.size()) break;  // a trailing "&" shows nothing
    if (utf8[i + 1] == '&') {
      m_display.push_back('&');
      i += 2;
      continue;
    }
    const std::size_t length = std::min(CharLength(static_cast<unsigned char>(utf8[i + 1])), utf8.size() - i - 1);
    const int start = static_cast<int>(m_display.size());
    m_display.append(utf8.substr(i + 1, length));
    m_underlined.push_back({start, static_cast<int>(m_display.size())});
    i += 1 + length;
  }
}

}  // namespace render
