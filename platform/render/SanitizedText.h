#pragma once
// Window text arrives as bytes that are meant to be UTF-8 but may not be.
// Pango must only ever see valid UTF-8, so every byte that is not part of a
// well-formed sequence (and every NUL, which would end the text early for
// C APIs) is replaced by U+FFFD. Callers keep speaking in offsets of the
// original bytes, so both directions of the offset mapping are kept.

#include <string>
#include <string_view>
#include <vector>

namespace render {

class SanitizedText {
 public:
  explicit SanitizedText(std::string_view original);

  const std::string& Text() const { return m_text; }
  int OriginalSize() const { return m_originalSize; }
  // True when the original was already valid and the offsets are identical.
  bool Unchanged() const { return m_toSanitized.empty(); }

  // Offset in the sanitised text of original byte `offset`. Offsets are
  // clamped to the text; an offset inside a multi-byte character maps to the
  // start of that character.
  int ToSanitized(int offset) const;
  // Original byte offset of sanitised offset `offset`; an offset inside a
  // replacement character maps to the byte it replaced.
  int ToOriginal(int offset) const;

 private:
  std::string m_text;
  int m_originalSize = 0;
  std::vector<int> m_toSanitized;  // one entry per original offset, 0..size
  std::vector<int> m_toOriginal;   // one entry per sanitised offset, 0..size
};

}  // namespace render
