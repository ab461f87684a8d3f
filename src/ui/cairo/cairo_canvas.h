// SPDX-License-Identifier: MIT
// The plot canvas drawn with Cairo, on any Cairo surface (image or SVG).
#pragma once

#include <cairo.h>

#include "ui/canvas.h"

namespace ui {

class CairoCanvas final : public Canvas {
 public:
  CairoCanvas(cairo_t* cr, double width, double height);
  void Clear() override;
  void Line(Point from, Point to, Ink ink) override;
  void Polyline(const std::vector<Point>& points, Ink ink) override;
  void Text(Point at, std::u16string_view text, Align align, Ink ink) override;
  double TextWidth(std::u16string_view text) override;
  double TextHeight() override;

 private:
  void Use(Ink ink);
  cairo_t* cr_;
  double width_;
  double height_;
};

}  // namespace ui
