#pragma once
// Drawing primitives of the classic look on a cairo context: filled pixel
// rectangles, two-tone edges, bevels, the dotted focus rectangle and text in
// the dialog font. Everything is in logical pixels and made of whole-pixel
// rectangles, so a caller that scales the context gets crisp output.

#include <memory>
#include <string_view>

#include "platform/render/Font.h"
#include "platform/render/TextLayout.h"
#include "platform/win/WinTypes.h"

typedef struct _cairo cairo_t;

namespace render {

class Canvas {
 public:
  Canvas(cairo_t* cr, const Font& font);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* Cairo() const { return m_cr; }
  const Font& GetFont() const { return m_font; }
  int LineHeight() const { return m_font.Height(); }

  void Fill(const RECT& r, DWORD rgb);
  // A one-pixel frame just inside `r`.
  void Frame(const RECT& r, DWORD rgb);
  // A one-pixel edge: top and left in `topLeft`, bottom and right (which own
  // the corners they share with the others) in `bottomRight`.
  void Edge(const RECT& r, DWORD topLeft, DWORD bottomRight);
  // The two-pixel raised bevel of buttons and menus; returns what is inside.
  RECT RaisedBevel(const RECT& r);
  // The two-pixel sunken client edge of list boxes and edits.
  RECT SunkenClientEdge(const RECT& r);
  // The dotted focus rectangle, inverting what is under it so it shows on
  // any background.
  void FocusRect(const RECT& r);

  void PushClip(const RECT& r);
  void PopClip();

  std::unique_ptr<TextLayout> Layout(std::string_view text, const TextLayoutOptions& options = {}) const;
  void DrawText(const TextLayout& layout, int x, int y, DWORD rgb);
  // Disabled text of buttons and menus: a white copy one pixel down and
  // right, with the grey text over it.
  void DrawEmbossedText(const TextLayout& layout, int x, int y);

 private:
  void SetColor(DWORD rgb);

  cairo_t* m_cr;
  const Font& m_font;
  PangoContext* m_context;
  bool m_ownsContext = false;
};

RECT Inset(const RECT& r, int by);
int Width(const RECT& r);
int Height(const RECT& r);

}  // namespace render
