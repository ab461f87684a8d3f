// SPDX-License-Identifier: MIT
// The plot of a formula of one variable: the record a Plot line makes, its sampling, the range
// of the points and the point table. Shared by every renderer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine {
struct Engine;
}

namespace ui {

// More points than a picture has pixel columns many times over; a larger request is refused
// rather than left to run for minutes.
inline constexpr std::int32_t kMaxPlotSteps = 1'000'000;

struct PlotRange {
  double minX = 0.0, maxX = 0.0, minY = 0.0, maxY = 0.0;
  bool any = false;  // false until a point evaluates
};

struct PlotRecord {
  std::u16string expression;
  double start = 0.0;
  double end = 0.0;
  std::u16string variable;  // lower-cased
  std::int32_t n = 0;       // steps
  std::u16string pointFile; // where the point table goes; empty for none
  std::vector<double> xs, ys;
  std::vector<bool> drawable;  // evaluated to a finite value
  PlotRange range;             // over the drawable points
  std::int32_t lastError = -1; // code of the last point that failed, -1 when none did
};

// Reads "start; variable; end; n; point-file" and the expression; a field that is not a
// number counts as 0.
PlotRecord ParsePlot(std::u16string_view fields, std::u16string_view expression);

// Why the record cannot be sampled, or empty when it can: n out of 1 .. kMaxPlotSteps, a start
// after the end, or bounds that are not finite.
std::u16string PlotRefusal(const PlotRecord& record);

// Samples x = start, start + step, ... while x <= end (step = (end - start) / n, summed as the
// steps go, so an overshooting sum leaves out the end point). Failing points stay in the
// arrays, not drawable and outside the range, as do infinite ones.
void SamplePlot(engine::Engine& engine, PlotRecord& record);

// "Id\tX\tY" and one line per point, CR LF after each.
std::u16string PointTableText(const PlotRecord& record);

}  // namespace ui
