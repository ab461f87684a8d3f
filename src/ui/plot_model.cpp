// SPDX-License-Identifier: MIT
#include "ui/plot_model.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/engine.h"
#include "engine/point_evaluator.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace ui {
namespace {

std::u16string_view NextField(std::u16string_view& rest) {
  const std::size_t semicolon = rest.find(u';');
  const std::u16string_view field = engine::Trim(rest.substr(0, semicolon));
  rest = semicolon == std::u16string_view::npos ? std::u16string_view() : rest.substr(semicolon + 1);
  return field;
}

}  // namespace

PlotRecord ParsePlot(std::u16string_view fields, std::u16string_view expression) {
  PlotRecord record;
  record.expression = engine::Trim(expression);
  record.start = engine::ParseDecimal(NextField(fields));
  record.variable = engine::ToLower(NextField(fields));
  record.end = engine::ParseDecimal(NextField(fields));
  record.n = engine::TruncToInt32(std::round(engine::ParseDecimal(NextField(fields))));
  record.pointFile = NextField(fields);
  return record;
}

std::u16string PlotRefusal(const PlotRecord& record) {
  if (!std::isfinite(record.start) || !std::isfinite(record.end)) return u"start and end must be finite numbers";
  if (record.n < 1 || record.n > kMaxPlotSteps)
    return u"the number of steps must be 1 to " + engine::IntegerText(kMaxPlotSteps);
  if (record.start > record.end) return u"the start is after the end";
  return {};
}

void SamplePlot(engine::Engine& engine, PlotRecord& record) {
  record.xs.clear();
  record.ys.clear();
  record.drawable.clear();
  record.range = PlotRange{};
  record.lastError = -1;
  const std::size_t points = static_cast<std::size_t>(record.n) + 1;
  record.xs.reserve(points);
  record.ys.reserve(points);
  record.drawable.reserve(points);
  // A step too small to move x would never end the walk; the count bounds it as well.
  const double step = (record.end - record.start) / record.n;
  double x = record.start;
  for (std::size_t i = 0; i < points && x <= record.end; ++i, x += step) record.xs.push_back(x);
  record.ys.assign(record.xs.size(), 0.0);
  std::vector<char> ok(record.xs.size());
  engine::PointEvaluator(engine, record.expression, record.variable)
      .AtAll(record.xs, record.ys, ok, record.lastError);
  PlotRange& r = record.range;
  for (std::size_t i = 0; i < record.xs.size(); ++i) {
    const double y = record.ys[i];
    const bool drawable = ok[i] && std::isfinite(y);
    record.drawable.push_back(drawable);
    if (!drawable) continue;
    if (!r.any) r = PlotRange{record.xs[i], record.xs[i], y, y, true};
    r.minX = std::min(r.minX, record.xs[i]);
    r.maxX = std::max(r.maxX, record.xs[i]);
    r.minY = std::min(r.minY, y);
    r.maxY = std::max(r.maxY, y);
  }
}

std::u16string PointTableText(const PlotRecord& record) {
  std::u16string text = u"Id\tX\tY\r\n";
  for (std::size_t i = 0; i < record.xs.size(); ++i) {
    text += engine::IntegerText(i) + u"\t";
    engine::AppendShortFixed(text, record.xs[i]);
    text += u"\t";
    engine::AppendShortFixed(text, record.ys[i]);
    text += u"\r\n";
  }
  return text;
}

}  // namespace ui
