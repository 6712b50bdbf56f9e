#pragma once
// The dialog font: a face name and point size resolved through fontconfig
// (with the Japanese proportional Gothic faces as fallbacks) and measured the
// way dialog units need: the average width of a-z and A-Z, and the height.

#include <memory>
#include <string>
#include <string_view>

#include "platform/win/WinTypes.h"

typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _PangoContext PangoContext;

namespace render {

// The font a dialog asks for: a face name, a size and a style.
struct FontRequest {
  std::string face;  // e.g. "ＭＳ Ｐゴシック"
  int pointSize = 9;
  int weight = 400;
  bool italic = false;
};

class Font {
 public:
  // Opens the font at `dpi` dots per inch (96 is the classic screen).
  static std::shared_ptr<const Font> Open(const FontRequest& request, double dpi = 96.0);
  virtual ~Font() = default;

  // The family that fontconfig actually chose.
  virtual std::string FamilyName() const = 0;
  // Dialog base units: ((width of the 52 letters) / 26 + 1) / 2 and the text height.
  virtual int BaseUnitX() const = 0;
  virtual int BaseUnitY() const = 0;
  virtual int Height() const = 0;
  virtual int Ascent() const = 0;
  // Width and height of one line; with `prefix`, "&x" counts as "x".
  virtual SIZE MeasureLine(std::string_view text, bool prefix) const = 0;
  // Height of text wrapped at `width` pixels the way a static control wraps.
  virtual int MeasureWrappedHeight(std::string_view text, int width, bool prefix) const = 0;
  // Byte offset in `text` nearest to pixel `x` from the text's start (edits).
  virtual int OffsetAtX(std::string_view text, int x) const = 0;
  // Pixel x of byte offset `offset` (edits).
  virtual int XAtOffset(std::string_view text, int offset) const = 0;

  virtual const PangoFontDescription* Description() const = 0;
  virtual double Dpi() const = 0;
  // The pango context the font measures with, at Dpi() and with metrics
  // hinted to whole pixels. The renderer lays text out in it so drawn text
  // matches measured text; a font without one gets a context made for the
  // cairo target instead.
  virtual PangoContext* Context() const { return nullptr; }
};

}  // namespace render
