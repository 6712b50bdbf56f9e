#include "platform/render/SanitizedText.h"

#include <algorithm>

namespace render {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD
constexpr int kReplacementSize = 3;

bool IsContinuation(unsigned char b, unsigned char low = 0x80, unsigned char high = 0xBF) {
  return b >= low && b <= high;
}

// Length of the well-formed UTF-8 sequence at `p`, or 0 when the byte there
// cannot start one. Overlong forms, surrogates and code points above U+10FFFF
// are rejected, so what passes is exactly what pango accepts.
int SequenceLength(const unsigned char* p, std::size_t available) {
  const unsigned char b0 = p[0];
  if (b0 == 0) return 0;
  if (b0 < 0x80) return 1;
  if (b0 < 0xC2) return 0;
  if (b0 < 0xE0) return available >= 2 && IsContinuation(p[1]) ? 2 : 0;
  if (b0 < 0xF0) {
    if (available < 3) return 0;
    const unsigned char low = b0 == 0xE0 ? 0xA0 : 0x80;
    const unsigned char high = b0 == 0xED ? 0x9F : 0xBF;
    return IsContinuation(p[1], low, high) && IsContinuation(p[2]) ? 3 : 0;
  }
  if (b0 < 0xF5) {
    if (available < 4) return 0;
    const unsigned char low = b0 == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = b0 == 0xF4 ? 0x8F : 0xBF;
    return IsContinuation(p[1], low, high) && IsContinuation(p[2]) && IsContinuation(p[3]) ? 4 : 0;
  }
  return 0;
}

}  // namespace

SanitizedText::SanitizedText(std::string_view original)
    : m_originalSize(static_cast<int>(original.size())) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(original.data());
  const std::size_t size = original.size();

  // Most text is valid; check first so the common case keeps no tables.
  bool valid = true;
  for (std::size_t i = 0; i < size;) {
    const int n = SequenceLength(bytes + i, size - i);
    if (n == 0) {
      valid = false;
      break;
    }
    i += static_cast<std::size_t>(n);
  }
  if (valid) {
    m_text.assign(original);
    return;
  }

  m_text.reserve(size + 8);
  m_toSanitized.assign(size + 1, 0);
  m_toOriginal.reserve(size + 8);
  for (std::size_t i = 0; i < size;) {
    const int n = SequenceLength(bytes + i, size - i);
    const int start = static_cast<int>(m_text.size());
    if (n == 0) {
      m_toSanitized[i] = start;
      m_text.append(kReplacement, kReplacementSize);
      m_toOriginal.insert(m_toOriginal.end(), kReplacementSize, static_cast<int>(i));
      ++i;
      continue;
    }
    // Offsets inside a character map to the character's start either way.
    for (int k = 0; k < n; ++k) {
      m_toSanitized[i + static_cast<std::size_t>(k)] = start;
      m_toOriginal.push_back(static_cast<int>(i));
    }
    m_text.append(original.substr(i, static_cast<std::size_t>(n)));
    i += static_cast<std::size_t>(n);
  }
  m_toSanitized[size] = static_cast<int>(m_text.size());
  m_toOriginal.push_back(static_cast<int>(size));
}

int SanitizedText::ToSanitized(int offset) const {
  offset = std::clamp(offset, 0, m_originalSize);
  if (Unchanged()) {
    // Snap into the start of a multi-byte character so pango gets a boundary.
    while (offset > 0 && offset < m_originalSize &&
           (static_cast<unsigned char>(m_text[static_cast<std::size_t>(offset)]) & 0xC0) == 0x80) {
      --offset;
    }
    return offset;
  }
  return m_toSanitized[static_cast<std::size_t>(offset)];
}

int SanitizedText::ToOriginal(int offset) const {
  const int size = static_cast<int>(m_text.size());
  offset = std::clamp(offset, 0, size);
  if (Unchanged()) return offset;
  return m_toOriginal[static_cast<std::size_t>(offset)];
}

}  // namespace render
