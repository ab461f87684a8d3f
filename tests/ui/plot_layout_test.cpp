// SPDX-License-Identifier: MIT
// The layout every renderer shares: round ticks and their labels, the mapping into the
// plotting area, the curve's pieces and what a picture draws.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "engine_core/number_text.h"
#include "ui/plot_layout.h"

namespace {

// Text 6 pixels a character and 12 high; the texts and the count of calls of each ink kept.
class FakeCanvas final : public ui::Canvas {
 public:
  void Clear() override { texts.clear(), calls.clear(), ++clears; }
  void Line(ui::Point, ui::Point, ui::Ink ink) override { ++calls[ink]; }
  void Polyline(const std::vector<ui::Point>&, ui::Ink ink) override { ++calls[ink]; }
  void Text(ui::Point, std::u16string_view text, ui::Align, ui::Ink ink) override {
    ++calls[ink], texts.emplace_back(ink, text);
  }
  double TextWidth(std::u16string_view text) override { return 6.0 * static_cast<double>(text.size()); }
  double TextHeight() override { return 12.0; }
  std::vector<std::pair<ui::Ink, std::u16string>> texts;
  std::map<ui::Ink, int> calls;
  int clears = 0;
};

// A sampled record as SamplePlot leaves it: points, the drawable mask and their range.
ui::PlotRecord Record(const std::vector<double>& xs, const std::vector<double>& ys, std::vector<bool> drawable = {}) {
  ui::PlotRecord r;
  r.start = xs.front(), r.end = xs.back(), r.xs = xs, r.ys = ys;
  r.drawable = drawable.empty() ? std::vector<bool>(xs.size(), true) : std::move(drawable);
  for (std::size_t i = 0; i < xs.size(); ++i) {
    if (!r.drawable[i]) continue;
    if (!r.range.any) r.range = {xs[i], xs[i], ys[i], ys[i], true};
    r.range = {std::min(r.range.minX, xs[i]), std::max(r.range.maxX, xs[i]), std::min(r.range.minY, ys[i]),
               std::max(r.range.maxY, ys[i]), true};
  }
  return r;
}

TEST(RoundTicksTest, MultiplesOfOneTwoOrFiveCoverTheRange) {
  for (auto [low, high, maxCount] : {std::tuple{0.0, 6.3, 8}, {-1.0, 1.0, 6}, {0.0, 1e-5, 6}, {-50.0, 50.0, 8},
                                     {1e6, 5e6, 6}, {-0.37, 0.91, 7}, {0.1, 0.35, 6}, {995.0, 1005.0, 3}}) {
    SCOPED_TRACE(testing::Message() << low << ".." << high << " at most " << maxCount);
    const ui::Ticks t = ui::RoundTicks(low, high, maxCount);
    const double mantissa = t.step / std::pow(10.0, std::floor(std::log10(t.step) + 1e-9));
    EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 || std::fabs(mantissa - 5) < 1e-9)
        << "step " << t.step;
    ASSERT_FALSE(t.values.empty());
    EXPECT_LE(t.values.size(), static_cast<std::size_t>(maxCount));
    const double slack = t.step * 1e-6;
    EXPECT_GE(t.values.front(), low - slack);
    EXPECT_LT(t.values.front() - low, t.step);  // no room for one more below
    EXPECT_LE(t.values.back(), high + slack);
    EXPECT_LT(high - t.values.back(), t.step);
    for (std::size_t i = 0; i < t.values.size(); ++i) {
      EXPECT_NEAR(t.values[i] / t.step, std::round(t.values[i] / t.step), 1e-6) << t.values[i];
      if (i > 0) {
        EXPECT_NEAR(t.values[i] - t.values[i - 1], t.step, slack);
      }
    }
  }
  for (auto [low, high, maxCount] : {std::tuple{1.0, 1.0, 5}, {2.0, 1.0, 5}, {0.0, 1.0, 0}, {std::nan(""), 1.0, 5}})
    EXPECT_TRUE(ui::RoundTicks(low, high, maxCount).values.empty()) << low << ".." << high;
}

TEST(RoundTicksTest, ARangeOfExactlyMaxCountStepsStaysWithinTheCount) {
  // 0..10 in at most 5: a step of 2 would give six ticks with both ends on it, so it is 5.
  for (auto [low, high, maxCount] : {std::tuple{0.0, 10.0, 5}, {-50.0, 50.0, 10}, {0.1, 0.35, 5}, {1e6, 5e6, 4}})
    EXPECT_LE(ui::RoundTicks(low, high, maxCount).values.size(), static_cast<std::size_t>(maxCount)) << low << ".." << high;
}

TEST(TickLabelTest, DecimalsFollowTheStep) {
  for (auto [value, step, label] : {std::tuple{3.0, 1.0, u"3"}, {30.0, 10.0, u"30"}, {0.5, 0.5, u"0.5"},
                                    {-0.25, 0.05, u"-0.25"}, {1.2, 0.2, u"1.2"}, {-1e-17, 0.2, u"0.0"},
                                    {-0.0, 0.5, u"0.0"}, {-0.0, 1.0, u"0"}, {1e-4, 1e-4, u"0.0001"},
                                    {2e-6, 2e-6, u"2e-06"}, {500000.0, 1e5, u"500000"}, {3e6, 1e6, u"3e+06"},
                                    {-1.5e7, 5e6, u"-1.5e+07"}, {-1e-9, 1e6, u"0"}})
    EXPECT_EQ(ui::TickLabel(value, step), label) << value << " by " << step;
}

TEST(MappingForTest, AreaDirectionsAndDegenerateRanges) {
  FakeCanvas canvas;
  const ui::PlotMapping wide = ui::MappingFor(Record({0, 1}, {-123456, 0}), canvas, 800, 500);
  EXPECT_GE(wide.left, 6.0 * 7);  // the widest label, "-120000"
  EXPECT_LE(wide.left + wide.width, 800.0);
  EXPECT_LE(wide.top + wide.height, 500.0);
  const ui::Point low = wide.Map(0, -123456), high = wide.Map(1, 0);
  EXPECT_LT(low.x, high.x);  // x to the right, y upwards
  EXPECT_GT(low.y, high.y);
  EXPECT_LT(low.y, wide.top + wide.height);  // kept off the frame
  EXPECT_GT(high.y, wide.top);

  // A flat line, one at 0 and a single point sit in the middle, without dividing by zero.
  for (const ui::PlotRecord& r : {Record({0, 1, 2}, {3, 3, 3}), Record({0, 1, 2}, {0, 0, 0}), Record({4}, {-2})}) {
    const ui::PlotMapping m = ui::MappingFor(r, canvas, 800, 500);
    const ui::Point p = m.Map((r.range.minX + r.range.maxX) / 2, r.ys[0]);
    EXPECT_NEAR(p.x, m.left + m.width / 2, 1e-9);
    EXPECT_NEAR(p.y, m.top + m.height / 2, 1e-9);
  }
  // No drawable point: x still spans start..end.
  const ui::PlotMapping m = ui::MappingFor(Record({-2, 1.5, 5}, {0, 0, 0}, {false, false, false}), canvas, 800, 500);
  EXPECT_NEAR(m.Map(-2, 0.5).x, m.left, 1e-9);
  EXPECT_NEAR(m.Map(5, 0.5).x, m.left + m.width, 1e-9);
  EXPECT_NEAR(m.Map(0, 0.5).y, m.top + m.height / 2, 1e-9);
}

TEST(CurvePiecesTest, MissingPointsBreakTheCurve) {
  for (auto [drawable, sizes] : {std::tuple{std::vector<bool>{true, true, false, true, true}, std::vector<std::size_t>{2, 2}},
                                 {{false, true, false, false, true, true, false}, {1, 2}},
                                 {{true, true, true}, {3}},
                                 {{false, false}, {}}}) {
    std::vector<double> xs;
    for (std::size_t i = 0; i < drawable.size(); ++i) xs.push_back(static_cast<double>(i));
    const ui::PlotRecord r = Record(xs, xs, drawable);
    FakeCanvas canvas;
    const ui::PlotMapping m = ui::MappingFor(r, canvas, 800, 500);
    const double pixelsPerStep = m.Map(1, 0).x - m.Map(0, 0).x;
    std::vector<std::size_t> found;
    for (const std::vector<ui::Point>& piece : ui::CurvePieces(r, m)) {
      found.push_back(piece.size());
      for (std::size_t i = 1; i < piece.size(); ++i)  // neighbours only, never across a gap
        EXPECT_NEAR(piece[i].x - piece[i - 1].x, pixelsPerStep, 1e-9);
    }
    EXPECT_EQ(found, sizes);
  }
}

TEST(DrawPlotTest, CaptionCurveAndNote) {
  FakeCanvas canvas;
  ui::PlotRecord r = Record({-1, 0, 1}, {-1, 0, 1}, {true, false, true});
  r.expression = u"1/x";
  ui::DrawPlot(r, canvas, 800, 500);
  EXPECT_EQ(canvas.clears, 1);
  ASSERT_FALSE(canvas.texts.empty());
  EXPECT_EQ(canvas.texts.front(), std::pair(ui::Ink::Text, std::u16string(u"Expr = 1/x")));
  EXPECT_EQ(canvas.calls[ui::Ink::Curve], 2);  // one piece each side of the pole
  EXPECT_EQ(canvas.calls[ui::Ink::Axis], 2);   // both axes cross the area
  EXPECT_EQ(canvas.calls[ui::Ink::Note], 0);

  // A caption too long for the picture is cut with "..."; with no point there is a note.
  r.expression = std::u16string(300, u'x');
  r.drawable = {false, false, false};
  r.range = {};
  ui::DrawPlot(r, canvas, 800, 500);
  const std::u16string caption = canvas.texts.front().second;
  EXPECT_TRUE(caption.starts_with(u"Expr = xxx") && caption.ends_with(u"...")) << engine::ToNarrowLossy(caption);
  EXPECT_LE(6.0 * static_cast<double>(caption.size()), 800.0);
  EXPECT_EQ(canvas.calls[ui::Ink::Curve], 0);
  EXPECT_EQ(canvas.texts.back(), std::pair(ui::Ink::Note, std::u16string(u"No point of the formula could be evaluated")));
}

}  // namespace
