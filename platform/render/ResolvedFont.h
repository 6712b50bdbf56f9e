#pragma once
// The Font that Font::Open returns: a pango font description resolved through
// fontconfig in a font map of its own, at a fixed resolution, so that the
// same numbers come out with or without a display. Metrics are hinted to
// whole pixels because dialog units are integer arithmetic on them.

#include <string>

#include "platform/render/Font.h"

typedef struct _PangoFontMap PangoFontMap;

namespace render {

class ResolvedFont final : public Font {
 public:
  ResolvedFont(const FontRequest& request, double dpi);
  ~ResolvedFont() override;
  ResolvedFont(const ResolvedFont&) = delete;
  ResolvedFont& operator=(const ResolvedFont&) = delete;

  std::string FamilyName() const override { return m_family; }
  int BaseUnitX() const override { return m_baseUnitX; }
  int BaseUnitY() const override { return m_height; }
  int Height() const override { return m_height; }
  int Ascent() const override { return m_ascent; }
  SIZE MeasureLine(std::string_view text, bool prefix) const override;
  int MeasureWrappedHeight(std::string_view text, int width, bool prefix) const override;
  int OffsetAtX(std::string_view text, int x) const override;
  int XAtOffset(std::string_view text, int offset) const override;
  const PangoFontDescription* Description() const override { return m_description; }
  double Dpi() const override { return m_dpi; }
  PangoContext* Context() const override { return m_context; }

 private:
  double m_dpi = 96.0;
  PangoFontMap* m_fontMap = nullptr;
  PangoContext* m_context = nullptr;
  PangoFontDescription* m_description = nullptr;
  std::string m_family;
  int m_baseUnitX = 0;
  int m_height = 0;
  int m_ascent = 0;
};

}  // namespace render
