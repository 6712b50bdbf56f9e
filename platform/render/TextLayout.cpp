#include "platform/render/TextLayout.h"

#include <pango/pango.h>

#include <algorithm>

#include "platform/render/MnemonicText.h"

namespace render {

namespace {

void AddUnderline(PangoAttrList* attrs, int start, int end) {
  if (end <= start) return;
  PangoAttribute* underline = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
  underline->start_index = static_cast<guint>(start);
  underline->end_index = static_cast<guint>(end);
  pango_attr_list_insert(attrs, underline);
}

}  // namespace

TextLayout::TextLayout(PangoContext* context, const PangoFontDescription* font, int lineHeight,
                       std::string_view bytes, const TextLayoutOptions& options)
    : m_text(bytes) {
  m_layout = pango_layout_new(context);
  pango_layout_set_font_description(m_layout, font);

  PangoAttrList* attrs = pango_attr_list_new();
  if (lineHeight > 0) pango_attr_list_insert(attrs, pango_attr_line_height_new_absolute(lineHeight * PANGO_SCALE));

  if (options.prefix) {
    const MnemonicText mnemonic(m_text.Text(), true);
    pango_layout_set_text(m_layout, mnemonic.Display().data(), static_cast<int>(mnemonic.Display().size()));
    for (const auto& range : mnemonic.Underlined()) AddUnderline(attrs, range.start, range.end);
  } else {
    pango_layout_set_text(m_layout, m_text.Text().data(), static_cast<int>(m_text.Text().size()));
    AddUnderline(attrs, m_text.ToSanitized(options.underlineStart), m_text.ToSanitized(options.underlineEnd));
  }
  pango_layout_set_attributes(m_layout, attrs);
  pango_attr_list_unref(attrs);

  if (options.wrapWidth >= 0) {
    pango_layout_set_width(m_layout, std::max(options.wrapWidth, 1) * PANGO_SCALE);
    pango_layout_set_wrap(m_layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_alignment(m_layout, options.align == 1   ? PANGO_ALIGN_CENTER
                                         : options.align == 2 ? PANGO_ALIGN_RIGHT
                                                              : PANGO_ALIGN_LEFT);
  } else {
    // One line: line breaks are shown as glyphs rather than starting new lines.
    pango_layout_set_single_paragraph_mode(m_layout, TRUE);
  }
}

TextLayout::~TextLayout() {
  if (m_layout) g_object_unref(m_layout);
}

int TextLayout::Width() const {
  int width = 0;
  int height = 0;
  pango_layout_get_size(m_layout, &width, &height);
  return PANGO_PIXELS_CEIL(width);
}

int TextLayout::Height() const {
  int width = 0;
  int height = 0;
  pango_layout_get_size(m_layout, &width, &height);
  return PANGO_PIXELS_CEIL(height);
}

int TextLayout::OffsetAtX(int x) const {
  int index = 0;
  int trailing = 0;
  pango_layout_xy_to_index(m_layout, x * PANGO_SCALE, 0, &index, &trailing);
  const char* text = pango_layout_get_text(m_layout);
  const int size = static_cast<int>(m_text.Text().size());
  index = std::clamp(index, 0, size);
  // `trailing` counts the characters of the grapheme when x lies in its
  // second half; the nearest boundary is then after it.
  const char* p = text + index;
  for (int i = 0; i < trailing && p < text + size; ++i) p = g_utf8_next_char(p);
  return m_text.ToOriginal(static_cast<int>(std::min(p, text + size) - text));
}

int TextLayout::XAtOffset(int offset) const {
  PangoLayoutLine* line = pango_layout_get_line_readonly(m_layout, 0);
  if (!line) return 0;
  int x = 0;
  pango_layout_line_index_to_x(line, m_text.ToSanitized(offset), FALSE, &x);
  return PANGO_PIXELS(x);
}

}  // namespace render
