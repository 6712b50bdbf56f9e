#include "platform/render/ResolvedFont.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "platform/render/TextLayout.h"

namespace render {

namespace {

// "ＭＳ Ｐゴシック" does not exist on Linux; these are the proportional
// Japanese Gothic faces that stand in for it, best first.
constexpr const char* kFallbackFamilies = "IPAPGothic,Noto Sans CJK JP,sans-serif";

std::string FamilyList(const std::string& face) {
  if (face.empty()) return kFallbackFamilies;
  return face + "," + kFallbackFamilies;
}

}  // namespace

ResolvedFont::ResolvedFont(const FontRequest& request, double dpi)
    : m_dpi(std::isfinite(dpi) && dpi > 0 ? dpi : 96.0) {
  m_fontMap = pango_cairo_font_map_new();
  pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(m_fontMap), m_dpi);
  m_context = pango_font_map_create_context(m_fontMap);
  pango_cairo_context_set_resolution(m_context, m_dpi);
  pango_context_set_language(m_context, pango_language_from_string("ja"));

  // Hinted metrics give whole-pixel advances and extents, so widths and
  // heights are stable integers and a caret lands between pixels. Glyphs are
  // fully hinted and drawn without smoothing: the sharp look of a classic
  // dialog font at 96 dpi, and still sharp when a caller scales the context,
  // since the outlines are then rasterised at the device resolution.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
  pango_cairo_context_set_font_options(m_context, options);
  cairo_font_options_destroy(options);

  m_description = pango_font_description_new();
  const std::string families = FamilyList(request.face);
  pango_font_description_set_family(m_description, families.c_str());
  pango_font_description_set_size(m_description, std::max(request.pointSize > 0 ? request.pointSize : 9, 1) * PANGO_SCALE);
  const int weight = request.weight <= 0 ? 400 : std::clamp(request.weight, 100, 1000);
  pango_font_description_set_weight(m_description, static_cast<PangoWeight>(weight));
  pango_font_description_set_style(m_description, request.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);

  PangoLanguage* language = pango_context_get_language(m_context);
  PangoFontMetrics* metrics = nullptr;
  ::PangoFont* loaded = pango_context_load_font(m_context, m_description);
  if (loaded) {
    PangoFontDescription* chosen = pango_font_describe(loaded);
    if (const char* family = pango_font_description_get_family(chosen)) m_family = family;
    pango_font_description_free(chosen);
    metrics = pango_font_get_metrics(loaded, language);
    g_object_unref(loaded);
  } else {
    metrics = pango_context_get_metrics(m_context, m_description, language);
  }
  const int ascent = pango_font_metrics_get_ascent(metrics);
  const int descent = pango_font_metrics_get_descent(metrics);
  pango_font_metrics_unref(metrics);
  m_ascent = PANGO_PIXELS_CEIL(ascent);
  m_height = std::max(PANGO_PIXELS_CEIL(ascent + descent), 1);

  // The dialog base unit: the average width of the 52 Latin letters,
  // rounded the classic way.
  const TextLayout letters(m_context, m_description, m_height,
                           "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
  m_baseUnitX = (letters.Width() / 26 + 1) / 2;
}

ResolvedFont::~ResolvedFont() {
  pango_font_description_free(m_description);
  g_object_unref(m_context);
  g_object_unref(m_fontMap);
}

SIZE ResolvedFont::MeasureLine(std::string_view text, bool prefix) const {
  TextLayoutOptions options;
  options.prefix = prefix;
  const TextLayout layout(m_context, m_description, m_height, text, options);
  return SIZE{layout.Width(), m_height};
}

int ResolvedFont::MeasureWrappedHeight(std::string_view text, int width, bool prefix) const {
  TextLayoutOptions options;
  options.prefix = prefix;
  options.wrapWidth = std::max(width, 1);
  const TextLayout layout(m_context, m_description, m_height, text, options);
  return layout.Height();
}

int ResolvedFont::OffsetAtX(std::string_view text, int x) const {
  const TextLayout layout(m_context, m_description, m_height, text);
  return layout.OffsetAtX(x);
}

int ResolvedFont::XAtOffset(std::string_view text, int offset) const {
  const TextLayout layout(m_context, m_description, m_height, text);
  return layout.XAtOffset(offset);
}

}  // namespace render
