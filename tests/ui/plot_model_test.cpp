// SPDX-License-Identifier: MIT
// Plot records: the fields of a Plot line, what is refused, the sampling and the point table.
#include <cmath>
#include <numbers>
#include <tuple>
#include <vector>

#include "support/engine_fixture.h"
#include "ui/plot_model.h"

namespace {

using testing_support::Narrow;

TEST(ParsePlotTest, Fields) {
  const ui::PlotRecord r = ui::ParsePlot(u" -2.5 ; Theta ; 4e1 ; 9.6 ; out.txt ", u"  sin(theta) ");
  EXPECT_EQ(std::tie(r.expression, r.start, r.variable, r.end, r.n, r.pointFile),
            std::make_tuple(u"sin(theta)", -2.5, u"theta", 40.0, 10, u"out.txt"));
  // Text where a number belongs, and fields left out, count as 0.
  const ui::PlotRecord bare = ui::ParsePlot(u"abc;x;;2.4", u"x");
  EXPECT_EQ(std::tie(bare.start, bare.end, bare.n, bare.pointFile), std::make_tuple(0.0, 0.0, 2, u""));
  EXPECT_EQ(ui::ParsePlot(u"", u"x").n, 0);
}

TEST(PlotRefusalTest, StepsBoundsAndOrder) {
  for (auto [fields, refused] : {std::pair{u"0;x;1;1", false}, {u"0;x;1;1000000", false} /* the most steps */,
                                 {u"2;x;2;10", false} /* a single x */, {u"0;x;1;0.5", false} /* rounds to 1 */,
                                 {u"0;x;1;0.4", true}, {u"0;x;1;0", true}, {u"0;x;1;-3", true},
                                 {u"0;x;1;1000001", true}, {u"0;x;1;1e7", true},
                                 {u"0;x;1;1e12", true} /* beyond 32 bits: saturated, not wrapped */,
                                 {u"1;x;0;10", true}, {u"-1e999;x;1;10", true}, {u"0;x;1e999;10", true}}) {
    const std::u16string refusal = ui::PlotRefusal(ui::ParsePlot(fields, u"x"));
    EXPECT_EQ(!refusal.empty(), refused) << Narrow(fields) << ": " << Narrow(refusal);
  }
}

class SamplePlotTest : public testing_support::EngineTest {
 protected:
  ui::PlotRecord Sampled(std::u16string_view fields, std::u16string_view expression) {
    ui::PlotRecord record = ui::ParsePlot(fields, expression);
    ui::SamplePlot(eng, record);
    EXPECT_EQ(record.xs.size(), record.ys.size());
    EXPECT_EQ(record.xs.size(), record.drawable.size());
    return record;
  }
};

TEST_F(SamplePlotTest, TheEndIsSampledOnlyWhenTheSummedStepsReachIt) {
  bool reached = false, overshot = false;
  for (auto [fields, start, end, n] : {std::tuple{u"0;x;1;10", 0.0, 1.0, 10}, {u"0;x;1;100", 0.0, 1.0, 100},
                                       {u"0;x;0.7;7", 0.0, 0.7, 7}, {u"-1;x;1;100", -1.0, 1.0, 100},
                                       {u"0;x;6.3;100", 0.0, 6.3, 100}}) {
    // The float sum of the steps decides whether the last point is inside [start, end].
    const double step = (end - start) / n;
    double last = start;
    for (int i = 0; i < n; ++i) last += step;
    const bool inside = last <= end;
    (inside ? reached : overshot) = true;
    const ui::PlotRecord r = Sampled(fields, u"x");
    ASSERT_EQ(r.xs.size(), static_cast<std::size_t>(inside ? n + 1 : n)) << Narrow(fields);
    EXPECT_EQ(r.xs.front(), start);
    EXPECT_LE(r.xs.back(), end);
    EXPECT_NEAR(r.xs.back(), inside ? end : end - step, 1e-9);
    EXPECT_EQ(r.lastError, -1);
  }
  EXPECT_TRUE(reached && overshot) << "the table should hold both outcomes";
  EXPECT_EQ(Sampled(u"0;x;1;10", u"x").xs.size(), 11u);
  EXPECT_EQ(Sampled(u"0;x;1;100", u"x").xs.size(), 100u);
}

TEST_F(SamplePlotTest, FailingPointsStayButNeitherDrawNorWidenTheRange) {
  const ui::PlotRecord pole = Sampled(u"-1;x;1;2", u"1/x");
  EXPECT_EQ(pole.drawable, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(pole.lastError, 8);
  EXPECT_TRUE(pole.range.any);
  EXPECT_EQ(std::tie(pole.range.minY, pole.range.maxY), std::make_tuple(-1.0, 1.0));

  const ui::PlotRecord log = Sampled(u"-2;x;2;4", u"ln(x)");
  EXPECT_EQ(log.drawable, (std::vector<bool>{false, false, false, true, true}));
  EXPECT_GE(log.lastError, 0);
  EXPECT_EQ(std::tie(log.range.minX, log.range.maxX, log.range.minY), std::make_tuple(1.0, 2.0, 0.0));
  EXPECT_NEAR(log.range.maxY, std::numbers::ln2, 1e-6);  // the builtins work in single precision

  const ui::PlotRecord none = Sampled(u"0;x;1;4", u"x/0");
  EXPECT_EQ(none.drawable, std::vector<bool>(5, false));
  EXPECT_FALSE(none.range.any);
  EXPECT_EQ(none.lastError, 8);
  ui::PlotRecord again = none;  // sampling again starts afresh
  again.expression = u"x";
  ui::SamplePlot(eng, again);
  EXPECT_EQ(again.lastError, -1);
  EXPECT_TRUE(again.range.any);
}

TEST_F(SamplePlotTest, TheVariableIsReplacedAsAWholeIdentifierInAnyCase) {
  // The x in "exp" stays; both spellings of the variable take the value.
  const ui::PlotRecord r = Sampled(u"0;X;2;2", u"exp(x) + X");
  ASSERT_EQ(r.ys.size(), 3u);
  EXPECT_NEAR(r.ys[0], 1.0, 1e-6);
  EXPECT_NEAR(r.ys[1], std::numbers::e + 1.0, 1e-6);
  EXPECT_NEAR(r.ys[2], std::exp(2.0) + 2.0, 1e-6);
}

TEST_F(SamplePlotTest, PointTableText) {
  EXPECT_EQ(ui::PointTableText(Sampled(u"-1;x;1;2", u"x^2/4")),
            u"Id\tX\tY\r\n0\t-1\t0.25\r\n1\t0\t0\r\n2\t1\t0.25\r\n");
  EXPECT_EQ(ui::PointTableText(ui::PlotRecord{}), u"Id\tX\tY\r\n");
}

}  // namespace
