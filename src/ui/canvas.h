// SPDX-License-Identifier: MIT
// What a plot needs from a drawing surface: lines, polylines and text in a few inks. Cairo
// draws it on Linux, GDI on Windows; the layout of a plot is the same on both.
#pragma once

#include <string_view>
#include <vector>

namespace ui {

struct Point {
  double x = 0.0;
  double y = 0.0;  // pixels, downwards
};

enum class Ink { Frame, Grid, Axis, Curve, Text, Note };
enum class Align { Left, Center, Right };

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void Clear() = 0;  // white
  virtual void Line(Point from, Point to, Ink ink) = 0;
  // A polyline of one point draws a dot.
  virtual void Polyline(const std::vector<Point>& points, Ink ink) = 0;
  // Text whose baseline starts, centres or ends at the point.
  virtual void Text(Point at, std::u16string_view text, Align align, Ink ink) = 0;
  virtual double TextWidth(std::u16string_view text) = 0;
  virtual double TextHeight() = 0;  // ascent plus descent of the font
};

}  // namespace ui
