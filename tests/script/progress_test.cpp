// SPDX-License-Identifier: MIT
// The progress of a run and the windows a batch command line shows its texts in.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "diff/diff_state.h"
#include "script/batch.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::Narrow;

struct RecordingProgress final : ui::Progress {
  bool Update(std::int32_t current, std::int32_t count, std::u16string_view line) override {
    updates.push_back(std::to_string(current) + "/" + std::to_string(count) + " " + Narrow(line));
    return current != stopAt;
  }
  void Close() override { ++closed; }
  std::vector<std::string> updates;
  std::int32_t stopAt = -1;
  int closed = 0;
};

struct RecordingWindows final : ui::TextWindows {
  void ShowText(std::u16string_view title, std::u16string_view text) override {
    shown.push_back(std::u16string(title) + u": " + std::u16string(text));
  }
  void AddMessage(std::u16string_view line) override { messages.emplace_back(line); }
  std::vector<std::u16string> shown;
  std::vector<std::u16string> messages;
};

class ProgressTest : public testing_support::EngineTest {
 protected:
  diff::DiffState diffState;
  script::BatchState state;
  RecordingProgress progress;
  RecordingWindows windows;
  script::HostOptions host;
  script::BatchContext context{eng, diffState, state, nullptr, &windows, &progress, host};
  std::int32_t Main(std::u16string_view line) { return script::ulvEvalMain(context, line); }
};

TEST_F(ProgressTest, EveryExecutedLineIsReportedWithTheLineCount) {
  EXPECT_EQ(Main(u"/pbar /sel:'Expr = 1\r\n' a comment\r\nExpr = 2\nExpr = 3'"), 3000);
  EXPECT_EQ(progress.updates, (std::vector<std::string>{"1/4 Expr = 1", "3/4 Expr = 2", "4/4 Expr = 3"}));
  EXPECT_EQ(progress.closed, 1);
  progress.updates.clear();
  Main(u"/sel:'Expr = 1'");  // without /pbar nothing is reported
  EXPECT_TRUE(progress.updates.empty());
}

TEST_F(ProgressTest, AStoppedRunEndsWithACommentLine) {
  progress.stopAt = 2;
  EXPECT_EQ(Main(u"/pbar /noh /sel:'Expr = 1\r\nExpr = 2\r\nExpr = 3'"), 1000);
  EXPECT_TRUE(state.resultText.ends_with(u"'Run stopped by the user before line 2\r\n"))
      << Narrow(state.resultText);
  EXPECT_EQ(progress.closed, 1);
}

// Cancelled from another thread, the long line fails as cancelled and the run ends before the
// next line, with a comment that says so.
TEST_F(ProgressTest, ACancelledRunEndsBeforeTheNextLine) {
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    eng.core.cancel->Request();
  });
  EXPECT_EQ(Main(u"/noh /sel:'Integrate(0;1;2000000000;mid;x) = x*x+rnd(1)*0\r\nExpr = 2'"), 1001);
  canceller.join();
  eng.core.cancel->Clear();
  const std::u16string& output = state.resultText;
  EXPECT_NE(output.find(u"===> ERROR n. = 26: Cancelled"), std::u16string::npos) << Narrow(output);
  EXPECT_TRUE(output.ends_with(u"'Run cancelled before line 2\r\n")) << Narrow(output);
}

TEST_F(ProgressTest, ListingsGoToTheTextWindowAndMessagesOnRequest) {
  Main(u"/sm /cm /sel:'Var = a ; 2'");
  ASSERT_EQ(windows.shown.size(), 2u);
  EXPECT_EQ(windows.shown[0].rfind(u"Show Memory: Show Memory:\r\n\r\nVariables:\r\n", 0), 0u) << Narrow(windows.shown[0]);
  EXPECT_EQ(windows.shown[1].rfind(u"Commands: Commands:\r\n", 0), 0u);
  EXPECT_TRUE(services.shown.empty());  // no message boxes for them
  EXPECT_TRUE(windows.messages.empty());  // the messages window is the host's choice

  host.showMessages = true;
  Main(u"/sel:'Expr = 1'");
  ASSERT_FALSE(windows.messages.empty());
  EXPECT_EQ(windows.messages.back(), std::u16string(53, u'-'));
}

TEST_F(ProgressTest, LogViewShowsTheLogOrSaysItIsMissing) {
  services.files[u"run.log"] = "first line\r\n";
  Main(u"/lg /log:run.log");
  ASSERT_FALSE(windows.shown.empty());
  EXPECT_EQ(windows.shown.back().rfind(u"Log File: Log File:\r\nFileName:run.log\r\n\r\nfirst line", 0), 0u)
      << Narrow(windows.shown.back());
  Main(u"/lg /log:none.log");
  EXPECT_EQ(services.shown.back().text, u"Log file not found: none.log");
}

}  // namespace
