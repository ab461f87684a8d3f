// SPDX-License-Identifier: MIT
#include "ui/plot_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ui {
namespace {

constexpr double kGap = 8.0;  // pixels between texts and the frame

// An interval of one value gets room around it, so the mapping never divides by zero.
void Widen(double& low, double& high) {
  if (high > low) return;
  const double room = low == 0.0 ? 1.0 : std::fabs(low) * 0.1;
  low -= room;
  high += room;
}

std::vector<std::u16string> Labels(const Ticks& ticks) {
  std::vector<std::u16string> labels;
  for (double value : ticks.values) labels.push_back(TickLabel(value, ticks.step));
  return labels;
}

double WidestLabel(Canvas& canvas, const std::vector<std::u16string>& labels) {
  double widest = 0.0;
  for (const std::u16string& label : labels) widest = std::max(widest, canvas.TextWidth(label));
  return widest;
}

// The most x ticks whose labels fit side by side with a gap between them.
Ticks XTicks(Canvas& canvas, double low, double high, double width) {
  for (int count = std::max(2, static_cast<int>(width / 40.0)); count > 2; --count) {
    Ticks ticks = RoundTicks(low, high, count);
    const double room = width / static_cast<double>(std::max<std::size_t>(ticks.values.size(), 1));
    if (WidestLabel(canvas, Labels(ticks)) + 2 * kGap <= room) return ticks;
  }
  return RoundTicks(low, high, 2);
}

std::u16string Fitted(Canvas& canvas, std::u16string text, double width) {
  if (canvas.TextWidth(text) <= width) return text;
  while (!text.empty() && canvas.TextWidth(text + u"...") > width) text.pop_back();
  return text + u"...";
}

}  // namespace

Ticks RoundTicks(double low, double high, int maxCount) {
  Ticks ticks;
  if (!(high > low) || maxCount < 1) return ticks;
  // Multiples of the step, counted in whole steps so that 0.1 + 0.2 never shows; the step is
  // the smallest round one that keeps the count within maxCount.
  const double power = std::pow(10.0, std::floor(std::log10((high - low) / maxCount)));
  double first = 0.0;
  double last = 0.0;
  for (double factor : {1.0, 2.0, 5.0, 10.0, 20.0}) {
    ticks.step = factor * power;
    first = std::ceil(low / ticks.step - 1e-9);
    last = std::floor(high / ticks.step + 1e-9);
    if (last - first + 1 <= maxCount) break;
  }
  for (double k = first; k <= last; k += 1.0) ticks.values.push_back(k * ticks.step);
  return ticks;
}

std::u16string TickLabel(double value, double step) {
  if (std::fabs(value) < step * 1e-6) value = 0.0;  // no "-0"
  char text[40];
  const double magnitude = std::max(std::fabs(value), step);
  if (magnitude >= 1e6 || step < 1e-4) {
    std::snprintf(text, sizeof text, "%.3g", value);
  } else {
    const int decimals = std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
  }
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

PlotMapping MappingFor(const PlotRecord& record, Canvas& canvas, double width, double height) {
  PlotMapping m;
  const PlotRange& r = record.range;
  if (r.any) {
    m.minX = r.minX, m.maxX = r.maxX, m.minY = r.minY, m.maxY = r.maxY;
  } else {
    m.minX = record.start, m.maxX = record.end, m.minY = 0.0, m.maxY = 1.0;
  }
  Widen(m.minX, m.maxX);
  Widen(m.minY, m.maxY);
  // A little room above and below keeps the curve off the frame.
  const double pad = (m.maxY - m.minY) * 0.04;
  m.minY -= pad;
  m.maxY += pad;

  const double text = canvas.TextHeight();
  m.top = 2 * kGap + text;
  m.height = std::max(1.0, height - m.top - (2 * kGap + text));
  const double yLabels = WidestLabel(canvas, Labels(RoundTicks(m.minY, m.maxY, std::max(2, static_cast<int>(m.height / (2.5 * text))))));
  m.left = yLabels + 2 * kGap;
  m.width = std::max(1.0, width - m.left - 3 * kGap);
  return m;
}

std::vector<std::vector<Point>> CurvePieces(const PlotRecord& record, const PlotMapping& mapping) {
  std::vector<std::vector<Point>> pieces;
  bool open = false;
  for (std::size_t i = 0; i < record.xs.size(); ++i) {
    if (!record.drawable[i]) {
      open = false;
      continue;
    }
    if (!open) pieces.emplace_back();
    open = true;
    pieces.back().push_back(mapping.Map(record.xs[i], record.ys[i]));
  }
  return pieces;
}

void DrawPlot(const PlotRecord& record, Canvas& canvas, double width, double height) {
  canvas.Clear();
  const PlotMapping m = MappingFor(record, canvas, width, height);
  const double text = canvas.TextHeight();
  const double right = m.left + m.width;
  const double bottom = m.top + m.height;

  canvas.Text({kGap, kGap + text * 0.8}, Fitted(canvas, u"Expr = " + record.expression, width - 2 * kGap), Align::Left,
              Ink::Text);

  const Ticks xs = XTicks(canvas, m.minX, m.maxX, m.width);
  const Ticks ys = RoundTicks(m.minY, m.maxY, std::max(2, static_cast<int>(m.height / (2.5 * text))));
  for (double x : xs.values) {
    const double px = m.Map(x, 0.0).x;
    canvas.Line({px, m.top}, {px, bottom}, Ink::Grid);
    canvas.Text({px, bottom + kGap + text * 0.8}, TickLabel(x, xs.step), Align::Center, Ink::Text);
  }
  for (double y : ys.values) {
    const double py = m.Map(0.0, y).y;
    canvas.Line({m.left, py}, {right, py}, Ink::Grid);
    canvas.Text({m.left - kGap, py + text * 0.35}, TickLabel(y, ys.step), Align::Right, Ink::Text);
  }
  if (m.minX < 0.0 && m.maxX > 0.0) canvas.Line(m.Map(0.0, m.minY), m.Map(0.0, m.maxY), Ink::Axis);
  if (m.minY < 0.0 && m.maxY > 0.0) canvas.Line(m.Map(m.minX, 0.0), m.Map(m.maxX, 0.0), Ink::Axis);
  canvas.Polyline({{m.left, m.top}, {right, m.top}, {right, bottom}, {m.left, bottom}, {m.left, m.top}}, Ink::Frame);

  for (const std::vector<Point>& piece : CurvePieces(record, m)) canvas.Polyline(piece, Ink::Curve);
  if (!record.range.any)
    canvas.Text({m.left + m.width / 2, m.top + m.height / 2}, u"No point of the formula could be evaluated",
                Align::Center, Ink::Note);
}

}  // namespace ui
