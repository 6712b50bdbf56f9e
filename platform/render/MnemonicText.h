#pragma once
// Mnemonic ("prefix") processing of control and menu text: "&x" shows x
// underlined, "&&" shows one ampersand, and a lone "&" at the end shows
// nothing. The input must already be valid UTF-8 (see SanitizedText), so the
// underlined character is always a whole character.

#include <string>
#include <string_view>
#include <vector>

namespace render {

class MnemonicText {
 public:
  struct Range {
    int start = 0;  // byte offsets into Display()
    int end = 0;
    bool operator==(const Range&) const = default;
  };

  // With `prefix` false the text is shown as it is.
  MnemonicText(std::string_view utf8, bool prefix);

  const std::string& Display() const { return m_display; }
  const std::vector<Range>& Underlined() const { return m_underlined; }

 private:
  std::string m_display;
  std::vector<Range> m_underlined;
};

}  // namespace render
