// SPDX-License-Identifier: MIT
// Plot lines in scripts: the picture's name in the output, the plot numbers within a run,
// refused and failing plots as error lines, and point tables.
#include <vector>

#include "diff/diff_state.h"
#include "script/interpreter.h"
#include "script/text_files.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::Narrow;

// Keeps every plot handed over and names its picture "pic<k>.png".
class RecordingPlots final : public ui::PlotOutput {
 public:
  struct Call {
    std::int32_t k;
    ui::PlotRecord record;
    ui::PlotSaving saving;
  };
  void StartRun() override { ++runs; }
  ui::ShownPlot Show(const ui::PlotRecord& record, std::int32_t k, const ui::PlotSaving& saving) override {
    calls.push_back({k, record, saving});
    return {u"pic" + engine::ToU16(std::to_string(k)) + u".png", {}};
  }
  int runs = 0;
  std::vector<Call> calls;
};

class PlotCommandTest : public testing_support::EngineTest {
 protected:
  diff::DiffState diffState;
  script::InterpreterState state;
  RecordingPlots plots;
  script::Context context{eng, diffState, state, &plots};

  script::RunResult Run(std::u16string_view text, const ui::PlotSaving& saving = {}) {
    script::RunRequest request;
    request.text = text;
    request.plotSaving = saving;
    return script::RunScript(context, request);
  }
};

// The output contains the text.
#define EXPECT_OUTPUT_HAS(result, text) \
  EXPECT_NE((result).output.find(text), std::u16string::npos) << Narrow((result).output)

TEST_F(PlotCommandTest, PlotsAreNumberedWithinARun) {
  const script::RunResult r =
      Run(u"Plot(0; x; 6.3; 100) = sin(x)\r\nExpr = 1\r\nPlot(-1;T;1;4) = t^2", {true, u"pics", ui::PictureFormat::Svg});
  EXPECT_EQ(r.Code(), 3000) << Narrow(r.output);
  EXPECT_OUTPUT_HAS(r, u"Ln 1: Plot = Plot(0; x; 6.3; 100) = sin(x):\r\n FileName => pic1.png\r\n\r\n");
  EXPECT_OUTPUT_HAS(r, u"Ln 3: Plot = Plot(-1;T;1;4) = t^2:\r\n FileName => pic2.png");
  EXPECT_EQ(plots.runs, 1);
  ASSERT_EQ(plots.calls.size(), 2u);
  EXPECT_EQ(plots.calls[0].k, 1);
  EXPECT_EQ(plots.calls[0].record.expression, u"sin(x)");
  EXPECT_EQ(plots.calls[0].record.xs.size(), 101u);
  const RecordingPlots::Call& second = plots.calls[1];
  EXPECT_EQ(second.k, 2);
  EXPECT_EQ(second.record.variable, u"t");
  EXPECT_EQ(second.record.ys.back(), 1.0);
  EXPECT_TRUE(second.saving.save && second.saving.folder == u"pics" && second.saving.format == ui::PictureFormat::Svg);

  // A new run counts from 1 again.
  EXPECT_OUTPUT_HAS(Run(u"Plot(0;x;1;2) = x"), u" FileName => pic1.png");
  EXPECT_EQ(plots.runs, 2);
  EXPECT_EQ(plots.calls.back().k, 1);
}

TEST_F(PlotCommandTest, RefusedPlotsAreErrorsWithoutAPicture) {
  for (std::u16string_view line : {u"Plot(1;x;0;10) = x", u"Plot(0;x;1;0) = x", u"Plot(0;x;1;2000000) = x"}) {
    const script::RunResult r = Run(line);
    EXPECT_EQ(r.errors, 1) << Narrow(line);
    EXPECT_OUTPUT_HAS(r, u":\r\n FileName => \r\n===> ERROR n. = 13");
  }
  EXPECT_TRUE(plots.calls.empty());
}

TEST_F(PlotCommandTest, AFormulaFailingEverywhereStillHasItsPicture) {
  const script::RunResult r = Run(u"Plot(0;x;1;4) = x/0\r\nExpr = 2+2");
  EXPECT_EQ(r.errors, 1);
  EXPECT_OUTPUT_HAS(r, u" FileName => pic1.png\r\n===> ERROR n. = 8");
  EXPECT_OUTPUT_HAS(r, u"Result => Number = 4.0000");  // the next line is not affected
  ASSERT_EQ(plots.calls.size(), 1u);
  EXPECT_FALSE(plots.calls[0].record.range.any);
}

TEST_F(PlotCommandTest, PointTables) {
  Run(u"Plot(-1;x;1;2;points.txt) = x^2/4");
  ASSERT_TRUE(services.files.contains(u"points.txt"));
  EXPECT_EQ(script::DecodeText(services.files[u"points.txt"]).text, u"Id\tX\tY\r\n0\t-1\t0.25\r\n1\t0\t0\r\n2\t1\t0.25\r\n");
  EXPECT_TRUE(services.shown.empty());

  services.readOnly.insert(u"locked.txt");
  EXPECT_OUTPUT_HAS(Run(u"Plot(0;x;1;2;locked.txt) = x"), u" FileName => pic1.png");
  ASSERT_EQ(services.shown.size(), 1u);
  EXPECT_EQ(services.shown[0].text, u"Error: can't write the file.\r\nfile: locked.txt");
  EXPECT_EQ(services.shown[0].title, u"dUduZava");
}

TEST_F(PlotCommandTest, WithoutAPlotOutputTheLineStillRuns) {
  context.plots = nullptr;
  const script::RunResult r = Run(u"Plot(0;x;1;2) = x\r\nPlot(0;x;1;2) = x/0");
  EXPECT_EQ(r.Code(), 2001);
  EXPECT_OUTPUT_HAS(r, u"Ln 1: Plot = Plot(0;x;1;2) = x:\r\n FileName => \r\n\r\n");
  EXPECT_OUTPUT_HAS(r, u"Ln 2: Plot = Plot(0;x;1;2) = x/0:\r\n FileName => \r\n===> ERROR n. = 8");
  EXPECT_EQ(plots.runs, 0);
}

}  // namespace
