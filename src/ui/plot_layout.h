// SPDX-License-Identifier: MIT
// How a plot is laid out on any canvas: the caption "Expr = ...", the plotting area with its
// axes and tick labels at round numbers, and the curve, broken where points are missing.
#pragma once

#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/plot_model.h"

namespace ui {

// Maps plot coordinates into the plotting area: x to the right, y upwards from its bottom.
struct PlotMapping {
  double left = 0.0, top = 0.0, width = 1.0, height = 1.0;  // the area, in pixels
  double minX = 0.0, maxX = 1.0, minY = 0.0, maxY = 1.0;   // never empty intervals
  Point Map(double x, double y) const {
    return {left + (x - minX) * width / (maxX - minX), top + height - (y - minY) * height / (maxY - minY)};
  }
};

// Ticks at round numbers (1, 2 or 5 times a power of ten) inside [low, high], at most maxCount.
struct Ticks {
  std::vector<double> values;
  double step = 1.0;
};
Ticks RoundTicks(double low, double high, int maxCount);

// A tick label: as few decimals as the step needs, no "-0".
std::u16string TickLabel(double value, double step);

// The mapping a picture of the given size uses for the record: the points' range, widened
// where it is a single value (a flat line is drawn across the middle), and [start, end] by
// [0, 1] when no point evaluated.
PlotMapping MappingFor(const PlotRecord& record, Canvas& canvas, double width, double height);

// The curve's pieces in pixels: consecutive drawable points; a point that is missing (failed or
// infinite) ends a piece, so no line is drawn across it.
std::vector<std::vector<Point>> CurvePieces(const PlotRecord& record, const PlotMapping& mapping);

// The whole picture.
void DrawPlot(const PlotRecord& record, Canvas& canvas, double width, double height);

}  // namespace ui
