// SPDX-License-Identifier: MIT
#include "ui/cairo/cairo_canvas.h"

#include <fontconfig/fontconfig.h>

#include <string>

#include "platform/utf8.h"

namespace ui {
namespace {

// 8 points at 96 dots per inch.
constexpr double kFontPixels = 8.0 * 96.0 / 72.0;

// Verdana when it is installed, else DejaVu Sans (fontconfig would quietly substitute
// something for a missing family; the choice is made here instead).
const char* SansFamily() {
  static const char* const family = [] {
    const char* chosen = "DejaVu Sans";
    if (FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Verdana"))) {
      FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
      FcDefaultSubstitute(pattern);
      FcResult result = FcResultNoMatch;
      if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch &&
            std::string(reinterpret_cast<const char*>(name)) == "Verdana")
          chosen = "Verdana";
        FcPatternDestroy(match);
      }
      FcPatternDestroy(pattern);
    }
    return chosen;
  }();
  return family;
}

struct Style {
  double red, green, blue, lineWidth;
};

Style StyleOf(Ink ink) {
  switch (ink) {
    case Ink::Frame: return {0.0, 0.0, 0.0, 1.0};
    case Ink::Grid: return {0.86, 0.86, 0.86, 1.0};
    case Ink::Axis: return {0.45, 0.45, 0.45, 1.0};
    case Ink::Curve: return {0.0, 0.27, 0.8, 1.5};
    case Ink::Text: return {0.0, 0.0, 0.0, 1.0};
    case Ink::Note: return {0.75, 0.0, 0.0, 1.0};
  }
  return {0.0, 0.0, 0.0, 1.0};
}

// Thin straight lines on pixel centres, so that they are one sharp pixel wide.
double Sharp(double v) { return static_cast<double>(static_cast<long>(v)) + 0.5; }

}  // namespace

// Fontconfig keeps what it parses for the life of the process and frees it nowhere we could
// call; the leak checker of sanitizer builds is told so, not to report it at every exit.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

CairoCanvas::CairoCanvas(cairo_t* cr, double width, double height) : cr_(cr), width_(width), height_(height) {
  cairo_select_font_face(cr_, SansFamily(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr_, kFontPixels);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
}

void CairoCanvas::Use(Ink ink) {
  const Style style = StyleOf(ink);
  cairo_set_source_rgb(cr_, style.red, style.green, style.blue);
  cairo_set_line_width(cr_, style.lineWidth);
}

void CairoCanvas::Clear() {
  cairo_set_source_rgb(cr_, 1.0, 1.0, 1.0);
  cairo_rectangle(cr_, 0, 0, width_, height_);
  cairo_fill(cr_);
}

void CairoCanvas::Line(Point from, Point to, Ink ink) {
  Use(ink);
  const bool straight = from.x == to.x || from.y == to.y;
  cairo_move_to(cr_, straight ? Sharp(from.x) : from.x, straight ? Sharp(from.y) : from.y);
  cairo_line_to(cr_, straight ? Sharp(to.x) : to.x, straight ? Sharp(to.y) : to.y);
  cairo_stroke(cr_);
}

void CairoCanvas::Polyline(const std::vector<Point>& points, Ink ink) {
  if (points.empty()) return;
  Use(ink);
  if (points.size() == 1) {
    cairo_arc(cr_, points[0].x, points[0].y, 1.5, 0, 6.2832);
    cairo_fill(cr_);
    return;
  }
  const bool frame = ink == Ink::Frame;
  cairo_move_to(cr_, frame ? Sharp(points[0].x) : points[0].x, frame ? Sharp(points[0].y) : points[0].y);
  for (std::size_t i = 1; i < points.size(); ++i)
    cairo_line_to(cr_, frame ? Sharp(points[i].x) : points[i].x, frame ? Sharp(points[i].y) : points[i].y);
  cairo_stroke(cr_);
}

void CairoCanvas::Text(Point at, std::u16string_view text, Align align, Ink ink) {
  Use(ink);
  const std::string utf8 = platform::ToUtf8(text);
  cairo_text_extents_t extents;
  cairo_text_extents(cr_, utf8.c_str(), &extents);
  const double shift = align == Align::Left ? 0.0 : align == Align::Center ? extents.x_advance / 2 : extents.x_advance;
  cairo_move_to(cr_, at.x - shift, at.y);
  cairo_show_text(cr_, utf8.c_str());
}

double CairoCanvas::TextWidth(std::u16string_view text) {
  const std::string utf8 = platform::ToUtf8(text);
  cairo_text_extents_t extents;
  cairo_text_extents(cr_, utf8.c_str(), &extents);
  return extents.x_advance;
}

double CairoCanvas::TextHeight() {
  cairo_font_extents_t extents;
  cairo_font_extents(cr_, &extents);
  return extents.ascent + extents.descent;
}

}  // namespace ui
