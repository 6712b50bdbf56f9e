#pragma once
// One piece of text laid out by pango in the dialog font: the shared path of
// every measurement the Font makes and every string the renderer draws, so
// what the window system measures is exactly what appears on screen. The
// bytes are sanitised first; offsets in and out are original byte offsets.

#include <string_view>

#include "platform/render/SanitizedText.h"

typedef struct _PangoContext PangoContext;
typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _PangoLayout PangoLayout;

namespace render {

struct TextLayoutOptions {
  bool prefix = false;     // "&x" underlines x (then offsets are not mapped)
  int wrapWidth = -1;      // pixels to wrap at, like a static control; -1 keeps one line
  int align = 0;           // 0 left, 1 centre, 2 right, within wrapWidth
  int underlineStart = 0;  // an original byte range drawn underlined (pre-edit text)
  int underlineEnd = 0;
};

class TextLayout {
 public:
  // Every line is exactly `lineHeight` pixels tall, whatever fallback fonts
  // a line needs, so text heights stay multiples of the font height.
  TextLayout(PangoContext* context, const PangoFontDescription* font, int lineHeight, std::string_view bytes,
             const TextLayoutOptions& options = {});
  ~TextLayout();
  TextLayout(const TextLayout&) = delete;
  TextLayout& operator=(const TextLayout&) = delete;

  PangoLayout* Get() const { return m_layout; }
  // Logical size in pixels, rounded up.
  int Width() const;
  int Height() const;

  // Nearest character boundary to pixel `x`, as an original byte offset.
  int OffsetAtX(int x) const;
  // Pixel x of the character boundary at or before original byte `offset`.
  int XAtOffset(int offset) const;

 private:
  SanitizedText m_text;
  PangoLayout* m_layout = nullptr;
};

}  // namespace render
