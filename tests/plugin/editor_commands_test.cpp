// SPDX-License-Identifier: MIT
// The menu commands over a document in memory, with a real engine behind them.
#include "plugin/editor_commands.h"

#include <string>
#include <vector>

#include "diff/diff_state.h"
#include "engine/evaluator.h"
#include "plugin/fake_editor.h"
#include "script/batch.h"
#include "support/engine_fixture.h"

namespace {

using platform::Answer;
using testing_support::Narrow;

class RecordingWindows final : public ui::TextWindows {
 public:
  void ShowText(std::u16string_view title, std::u16string_view text) override {
    shown.push_back(std::u16string(title) + u": " + std::u16string(text));
  }
  void AddMessage(std::u16string_view) override {}
  std::vector<std::u16string> shown;  // "title: text" per text window
};

class EditorCommandsTest : public testing_support::EngineTest {
 protected:
  diff::DiffState diffState;
  script::BatchState state;
  RecordingWindows windows;
  testing_support::FakeHost host;
  testing_support::FakeEditor& editor = host.editor;
  plugin::PluginSettings settings;
  std::vector<std::u16string> logged;
  script::HostOptions hostOptions{.iniFile = {}, .pluginLogFile = u"ulvXNpp.dbg"};
  plugin::EditorCommands commands{{script::BatchContext{eng, diffState, state, nullptr, &windows, nullptr, hostOptions},
                                   services, windows,
                                   host, settings, [this](std::u16string_view line) { logged.emplace_back(line); }}};

  // A script line run as a batch of its own, so that the command under test finds it in memory.
  void Define(std::u16string_view line) {
    script::BatchContext context{eng, diffState, state};
    script::ulvEvalMain(context, u"/sel:'" + std::u16string(line) + u"' /");
    state.messages.clear();
  }
  bool Ran() const { return !state.messages.empty(); }
};

constexpr std::u16string_view kSeven = u"Ln 1: EXPR = a*2+1: \r\n Result => Number = 7.0000\r\n";

TEST_F(EditorCommandsTest, SelectionToWindowAsksRunsAndShows) {
  struct Case {
    bool dontShowSummary;
    std::u16string_view result;
  };
  for (const Case& c : {Case{false, kSeven}, Case{true, u" 7.0000\r\n"}}) {
    Define(u"Var = a ; 3");
    settings.dontShowSummary = c.dontShowSummary;
    windows.shown.clear();
    services.shown.clear();
    editor.Load("a*2+1", 5, 0);
    services.answers = {Answer::Yes};
    EXPECT_EQ(commands.EvalSelectionToWindow(false), std::u16string(c.result));
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(windows.shown, std::vector<std::u16string>{u"Result: " + std::u16string(c.result)});
    EXPECT_EQ(services.clipboard, c.result);
    EXPECT_NE(state.messages.find(u"Menu Command  : \"Eval SelText To Wnd: Expression =\""), std::u16string::npos)
        << Narrow(state.messages);
    EXPECT_NE(state.messages.find(u"Expression    : \"Expr = a*2+1\""), std::u16string::npos) << Narrow(state.messages);
    EXPECT_TRUE(services.appended.back().starts_with(u"ulvCmds.log: ")) << Narrow(services.appended.back());
  }
  EXPECT_EQ(logged.at(0), u"Proc: ulvEvalMain          : ***** Menu: Eval SelText To Wnd: Expression =");

  state.messages.clear();
  windows.shown.clear();
  services.clipboard.clear();
  services.answers = {Answer::No};
  EXPECT_FALSE(commands.EvalSelectionToWindow(false).has_value());
  EXPECT_FALSE(Ran());
  EXPECT_TRUE(windows.shown.empty() && services.clipboard.empty());
}

// A call tip comes of the mouse resting: it must leave the clipboard and the logs alone.
TEST_F(EditorCommandsTest, CallTipsAreNotAskedNorShown) {
  Define(u"Var = a ; 3");
  services.clipboard = u"copied by the user";
  services.appended.clear();
  logged.clear();
  editor.Load("a*2+1", 0, 5);
  EXPECT_EQ(commands.EvalSelectionToWindow(true), std::u16string(kSeven));
  editor.Load("Expr = 1\r\nExpr = 2*3\r\nExpr = 9", 12);  // the caret's line, without its line end
  EXPECT_EQ(commands.EvalCurLineToWindow(true), u"Ln 1: EXPR = 2*3: \r\n Result => Number = 6.0000\r\n");
  editor.Load("' a comment\r\nExpr = 1", 3);  // nothing to run: no box either
  EXPECT_FALSE(commands.EvalCurLineToWindow(true).has_value());
  EXPECT_TRUE(services.shown.empty() && windows.shown.empty());
  EXPECT_EQ(services.clipboard, u"copied by the user");
  EXPECT_TRUE(services.appended.empty() && logged.empty());

  settings.dontConfirmExpr = true;  // not asked, but shown, and the plug-in's log has the run
  editor.Load("Expr = 1\r\nExpr = 2*3\r\nExpr = 9", 12);
  EXPECT_TRUE(commands.EvalCurLineToWindow(false).has_value());
  EXPECT_TRUE(services.shown.empty());
  EXPECT_EQ(windows.shown.size(), 1u);
  EXPECT_TRUE(std::ranges::any_of(services.appended, [](const std::u16string& line) { return line.starts_with(u"ulvXNpp.dbg: "); }));
}

// The session's spelling is another caller's to choose: only its numbers follow the settings.
TEST_F(EditorCommandsTest, CommandsRunInTheNumbersOfTheSettings) {
  engine::SetFormulaSettings(eng, {.spelling = engine::Spelling::Programmer});
  editor.Load("min(1, 2)/3", 0, 11);
  settings.numbers = engine::Numbers::Double;
  EXPECT_EQ(commands.EvalSelectionToWindow(true),
            u"Ln 1: EXPR = min(1, 2)/3: \r\n Result => Number = 0.3333333333333333\r\n");
  settings.numbers = engine::Numbers::Classic;
  EXPECT_EQ(commands.EvalSelectionToWindow(true), u"Ln 1: EXPR = min(1, 2)/3: \r\n Result => Number = 0.3333\r\n");
}

TEST_F(EditorCommandsTest, ExpressionResultGoesOnALineOfItsOwnAfterYes) {
  Define(u"Var = b ; 2");
  struct Case {
    std::string document;
    plugin::Position caret;
    std::string expected;
  };
  const std::string result = "Ln 1: EXPR = b*5: \r\n Result => Number = 10.0000";
  for (const Case& c : std::vector<Case>{
           {"Var = b ; 2\r\nExpr = b*5", 23, "Var = b ; 2\r\nExpr = b*5\r\n" + result},
           {"Expr = b*5\r\n' next", 10, "Expr = b*5\r\n" + result + "\r\n' next"},
           {"Expr = b*5\n' next", 10, "Expr = b*5\nLn 1: EXPR = b*5: \n Result => Number = 10.0000\n' next"},
       }) {
    services.shown.clear();
    editor.Load(c.document, c.caret);
    services.answers = {Answer::Yes};
    commands.EvalExpressionToDocument();
    ASSERT_EQ(services.shown.size(), 1u) << c.document;
    EXPECT_EQ(services.shown[0].text, u"Eval Expr: Expression = \r\n\r\n'Expr = b*5'");
    EXPECT_EQ(editor.document, c.expected);
    EXPECT_EQ(editor.CurrentPos(), static_cast<plugin::Position>(c.expected.find("10.0000") + 7)) << c.document;
  }

  services.shown.clear();
  state.messages.clear();
  editor.LoadAtEnd("Expr = 1");
  services.answers = {Answer::No};
  commands.EvalExpressionToDocument();
  EXPECT_EQ(editor.document, "Expr = 1");
  editor.LoadAtEnd("");
  commands.EvalExpressionToDocument();
  EXPECT_EQ(editor.document, "");
  ASSERT_EQ(services.shown.size(), 2u);
  EXPECT_EQ(services.shown[1].text, u"No Expression found!");
  EXPECT_EQ(services.shown[1].title, u"ulvXNpp Plugin");
  EXPECT_FALSE(Ran());
}

TEST_F(EditorCommandsTest, DocumentRunsIntoResultBesideIt) {
  editor.LoadAtEnd("Expr = 1");  // not saved yet: no folder to write to
  commands.EvalCurFileToFile();
  commands.EvalCurLineToFile();
  ASSERT_EQ(services.shown.size(), 2u);
  EXPECT_NE(services.shown[0].text.find(u"\"new 1\""), std::u16string::npos) << Narrow(services.shown[0].text);
  EXPECT_FALSE(Ran());
  EXPECT_TRUE(host.opened.empty());

  for (std::u16string folder : {u"C:\\docs\\", u"/docs/"}) {
    host.opened.clear();
    editor.path = folder + u"s.ulv";
    editor.Load("Expr = 2*3\r\nExpr = 5\r\n", 14);
    services.files[editor.path] = editor.document;
    commands.EvalCurFileToFile();
    EXPECT_NE(services.files[folder + u"Result.ulv"].find(" Result => Number = 6.0000"), std::string::npos);
    EXPECT_EQ(host.opened, std::vector<std::u16string>{folder + u"Result.ulv"});

    services.files[folder + u"Result.ulv"] = "before\r\n";
    commands.EvalCurLineToFile();  // the caret's line only, appended
    EXPECT_EQ(services.files[folder + u"Result.ulv"], "before\r\nLn 2: EXPR = 5: \r\n Result => Number = 5.0000\r\n");
    EXPECT_EQ(host.opened.size(), 2u);
  }
  editor.path = u"/docs/gone.ulv";  // a script that cannot be read opens no result
  host.opened.clear();
  commands.EvalCurFileToFile();
  EXPECT_TRUE(host.opened.empty());
}

TEST_F(EditorCommandsTest, InsertResultKeepsTheDocumentsLineEnds) {
  struct Case {
    std::string document;
    plugin::Position caret, anchor;
    std::string expected;
  };
  for (const Case& c : std::vector<Case>{
           {"Expr = 1\nx = 2", 3, -1, "Expr = 1\nA\nB\nx = 2"},
           {"p\r\nq", 0, -1, "p\r\nA\r\nB\r\nq"},
           {"pq\r\nr", 0, 1, "pq\r\nA\r\nB\r\nr"},  // after the selection's line, not inside it
           {"", 0, -1, "\r\nA\r\nB"},
       }) {
    editor.Load(c.document, c.caret, c.anchor);
    commands.InsertResult(u"A\r\nB\r\n\r\n");
    EXPECT_EQ(editor.document, c.expected) << c.document;
  }
  editor.Load("x", 1);
  for (std::u16string_view nothing : {u"", u"\r\n"}) commands.InsertResult(nothing);
  EXPECT_EQ(editor.document, "x");
  ASSERT_EQ(services.shown.size(), 2u);
  EXPECT_EQ(services.shown[1].text, u"No output!");
  EXPECT_EQ(services.shown[1].title, u"Evaluator");
}

TEST_F(EditorCommandsTest, InsertFileNameTakesTheDialogsAnswer) {
  editor.Load("x", 0);
  commands.InsertFileName();
  EXPECT_EQ(services.asked, std::vector<std::u16string>{u"open: Open File Text (*.txt)|*.txt|All files (*.*)|*.*"});
  EXPECT_TRUE(editor.inserted.empty());
  services.fileNames = {u"C:\\data\\in.txt"};
  commands.InsertFileName();
  EXPECT_EQ(editor.document, "x\r\nC:\\data\\in.txt");
}

// A rectangular selection over a table: the column's numbers, whatever text shares their lines.
TEST_F(EditorCommandsTest, SumSelectionReadsEveryRangeOfTheSelection) {
  editor.Load("item   cost\nbread  2,40 EUR\nmilk   1.10\nx2     -0.5\n", 0);
  editor.selections = {{12, 24}, {28, 39}, {40, 51}};  // "bread  2,40 ", "milk   1.10", "x2     -0.5"
  commands.SumSelection();
  EXPECT_EQ(host.statusBar, u"Sum = 3   Average = 1   Min = -0.5   Max = 2.4   Count = 3");
  EXPECT_EQ(services.clipboard, u"Sum = 3\r\nAverage = 1\r\nMin = -0.5\r\nMax = 2.4\r\nCount = 3");
  ASSERT_EQ(editor.callTips.size(), 1U);

  editor.selections = {{0, 11}};  // "item   cost"
  services.clipboard.clear();
  commands.SumSelection();
  EXPECT_EQ(host.statusBar, u"No numbers in the selection");
  EXPECT_TRUE(services.clipboard.empty()) << "the clipboard keeps what it held";
}

}  // namespace
