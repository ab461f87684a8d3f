// SPDX-License-Identifier: MIT
#include "scenarios.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "support/screenshot.h"

namespace real_editor {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kCurFileToFile[] = L"Eval CurFile To File";
constexpr wchar_t kCurLineToWindow[] = L"Eval CurLine To Wnd";
constexpr wchar_t kSelectionToWindow[] = L"Eval SelText To Wnd";
constexpr wchar_t kExpressionToDocument[] = L"Eval Expression To Wnd";
constexpr wchar_t kBuildMatrix[] = L"Build Matrix";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
std::string Quoted(const std::wstring& text) { return Quoted(Utf8(text)); }
bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }
bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::wstring LastBox(const RealEditor& e) { return e.boxes.empty() ? L"" : e.boxes.back().text; }

// The settings file of the plug-in, its UTF-16 or ANSI text as plain ASCII.
std::string Settings(const RealEditor& e) {
  std::string narrow;
  for (char c : ReadFileBytes(e.Folder() + L"\\plugins\\ulvXNpp\\ulvXNpp.INI"))
    if (c != '\0') narrow += c;
  return narrow;
}

// The document is the current one and has exactly one tab.
bool OpenOnce(const RealEditor& e, const std::wstring& path) {
  const std::vector<std::wstring> tabs = e.Tabs();
  return e.CurrentPath() == path && std::count(tabs.begin(), tabs.end(), path) == 1;
}

// The text evaluated as a selection, the confirmation answered Yes: the result window's text.
std::wstring EvalSelection(RealEditor& e, const std::string& text) {
  e.SetText(text);
  e.Select(0, static_cast<std::intptr_t>(text.size()));
  e.answers = {IDYES};
  e.Invoke(e.PluginCommand(kSelectionToWindow));
  return e.TakeTextWindow(L"Result");
}

void KeepScreenshot(const std::string& name, HWND window) {
  testing_support::KeepArtifact(name, testing_support::ScreenshotJpeg(window));
}

// A timer's procedure, not a lambda: on 32-bit Windows it must be __stdcall, which no lambda
// converts to.
void CALLBACK PhotographOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  KeepScreenshot("real-editor-options-menu.jpg", GetDesktopWindow());
  EndMenu();
}

// The road of one request: a selection, the confirmation, the result window; by the menu and
// at the keyboard (Ctrl+3, Ctrl+2, Ctrl+Shift+Enter), and the answer No.
void RoadOfOneRequest(Steps& steps, RealEditor& e, Report& r) {
  steps.Then([&] {
    r.Check("the plug-in's entries are in the real Plugins menu", e.PluginCommand(kSelectionToWindow) != 0);
    e.NewDocument();
    EvalSelection(e, "Var = a ; 3");
    e.SetText("a*2+1");
    e.Select(0, 5);
    e.boxes.clear();
    e.answers = {IDYES};
    e.Invoke(e.PluginCommand(kSelectionToWindow));
  });
  steps.Wait(1000);  // painted, as the user sees it
  steps.Then([&] {
    KeepScreenshot("real-editor-result-window.jpg", GetDesktopWindow());
    const std::wstring shown = e.TakeTextWindow(L"Result");
    r.Check("menu Eval SelText To Wnd: the result window", shown == L"Ln 1: EXPR = a*2+1: \r\n Result => Number = 7.0000\r\n",
            Quoted(shown));
    r.Check("menu Eval SelText To Wnd: the confirmation",
            e.boxes.size() == 1 && e.boxes[0].text == L"Eval SelText To Wnd: Expression =\r\n\r\na*2+1\r\n\r\n"
                                                      L"Press: Yes to Evaluate Expression\r\n           No to abort operation",
            e.boxes.empty() ? "no box" : Quoted(e.boxes[0].text));
    e.answers = {IDNO};
    e.Invoke(e.PluginCommand(kSelectionToWindow));
    r.Check("answered No, nothing runs", e.TextWindow(L"Result") == nullptr && e.Text() == "a*2+1");
    e.boxes.clear();
    e.answers = {IDYES};
    e.PressKeys({VK_CONTROL, '3'});
  });
  steps.Until([&] { return e.TextWindow(L"Result") != nullptr; }, 10000);
  steps.Then([&] {
    const std::wstring shown = e.TakeTextWindow(L"Result");
    r.Check("Ctrl+3 typed: the confirmation, then the result",
            e.boxes.size() == 1 && shown == L"Ln 1: EXPR = a*2+1: \r\n Result => Number = 7.0000\r\n",
            Quoted(shown) + " after " + std::to_string(e.boxes.size()) + " boxes");
    e.SetText("Expr = a+10");
    e.Select(3, 3);
    e.answers = {IDYES};
    e.PressKeys({VK_CONTROL, '2'});
  });
  steps.Until([&] { return e.TextWindow(L"Result") != nullptr; }, 10000);
  steps.Then([&] {
    const std::wstring shown = e.TakeTextWindow(L"Result");
    r.Check("Ctrl+2 typed: the current line's result", shown == L"Ln 1: EXPR = a+10: \r\n Result => Number = 13.0000\r\n",
            Quoted(shown));
    e.SetText("Expr = a*5");
    e.Select(10, 10);
    e.answers = {IDYES};
    e.PressKeys({VK_CONTROL, VK_SHIFT, VK_RETURN});
  });
  steps.Until([&] { return e.Text() != "Expr = a*5"; }, 10000);
  steps.Then([&] {
    r.Check("Ctrl+Shift+Enter typed: the result under the line",
            e.Text() == "Expr = a*5\r\nLn 1: EXPR = a*5: \r\n Result => Number = 15.0000", Quoted(e.Text()));
  });
}

void MenuCommands(Steps& steps, RealEditor& e, Report& r) {
  steps.Then([&] {
    e.SetText("Expr = 1\r\nExpr = a+100\r\nExpr = 2");
    e.Select(13, 13);
    e.answers = {IDYES};
    e.Invoke(e.PluginCommand(kCurLineToWindow));
    const std::wstring shown = e.TakeTextWindow(L"Result");
    r.Check("Eval CurLine To Wnd: the caret's line", shown == L"Ln 1: EXPR = a+100: \r\n Result => Number = 103.0000\r\n",
            Quoted(shown));

    e.SetText("Expr = 2\r\nExpr = a*4\r\nExpr = 1+1");
    e.Select(20, 20);  // the end of the second line
    e.answers = {IDYES};
    e.Invoke(e.PluginCommand(kExpressionToDocument));
    r.Check("Eval Expression To Wnd: under the caret's line, nothing else changed",
            e.Text() == "Expr = 2\r\nExpr = a*4\r\nLn 1: EXPR = a*4: \r\n Result => Number = 12.0000\r\nExpr = 1+1",
            Quoted(e.Text()));
    e.SetText("Expr = a*4");
    e.Select(10, 10);
    e.answers = {IDNO};
    e.Invoke(e.PluginCommand(kExpressionToDocument));
    r.Check("Eval Expression To Wnd answered No: the document unchanged", e.Text() == "Expr = a*4", Quoted(e.Text()));

    // Joined, these two lines would run as one and show nothing.
    const std::wstring lines = EvalSelection(e, "Var = c ; 3\r\nExpr = c*2+1");
    r.Check("a selection of two command lines runs line by line",
            lines == L"Ln 2: EXPR = c*2+1: \r\n Result => Number = 7.0000\r\n", Quoted(lines));
  });
}

// Eval CurFile To File beside a saved document (also in a folder with accents), and for a
// document that was never saved.
void Files(Steps& steps, RealEditor& e, Report& r) {
  steps.Then([&] {
    const fs::path folder = fs::path(e.Folder()) / L"documents";
    fs::create_directories(folder);
    std::ofstream(folder / "sum.ulv", std::ios::binary) << "Expr = 6*7\r\n";
    e.Open((folder / "sum.ulv").wstring());
    e.Invoke(e.PluginCommand(kCurFileToFile));
    const std::string written = ReadFileBytes((folder / "Result.ulv").wstring());
    r.Check("Eval CurFile To File writes Result.ulv beside the document", Contains(written, "Number = 42.0000"),
            Quoted(written));
    r.Check("... and the editor opens it as a tab", OpenOnce(e, (folder / "Result.ulv").wstring()), Quoted(e.CurrentPath()));

    const fs::path accented = fs::path(e.Folder()) / L"données été";
    fs::create_directories(accented);
    std::ofstream(accented / L"calcul à faire.ulv", std::ios::binary)
        << "'' Café crème: ½ + ¼\r\nExpr = 1/2+1/4 ' déjà\r\n";
    e.Open((accented / L"calcul à faire.ulv").wstring());
    e.Invoke(e.PluginCommand(kCurFileToFile));
    const std::string result = ReadFileBytes((accented / "Result.ulv").wstring());
    r.Check("a folder and a document with accents: Result.ulv",
            Contains(result, "'' Café crème: ½ + ¼") && Contains(result, "Number = 0.7500"), Quoted(result));
    r.Check("... opened as a tab", OpenOnce(e, (accented / "Result.ulv").wstring()), Quoted(e.CurrentPath()));

    e.NewDocument();
    e.SetText("Expr = 5*5 ' prix en €");
    e.Select(10, 10);
    e.answers = {IDYES};
    e.Invoke(e.PluginCommand(kExpressionToDocument));
    r.Check("accented document: the result inserted, the text around it intact",
            e.Text() == "Expr = 5*5 ' prix en €\r\nLn 1: EXPR = 5*5: \r\n Result => Number = 25.0000", Quoted(e.Text()));

    e.NewDocument();
    e.SetText("Expr = 1");
    const std::wstring untitled = e.CurrentPath();
    e.Invoke(e.PluginCommand(kCurFileToFile));
    r.Check("a document never saved (" + Utf8(untitled) + "): its message", Contains(LastBox(e), L"has not been saved yet"),
            Quoted(LastBox(e)));
    r.Check("... and nothing written", !fs::exists(fs::path(e.Folder()) / "Result.ulv") && !fs::exists("Result.ulv"));
  });
}

// Call tips: the mouse resting over the selection shows its result, over the caret's line that
// line's, over any other line nothing; moving away takes the tip down. A tip leaves what the user
// copied on the clipboard and writes no log.
// The bytes of the command log the menu commands write, wherever it is.
std::uintmax_t CommandLogSize(RealEditor& e) {
  std::uintmax_t size = 0;
  for (const fs::path& log : {fs::path(e.Folder()) / "ulvCmds.log", fs::path("ulvCmds.log")}) {
    std::error_code missing;
    const std::uintmax_t bytes = fs::file_size(log, missing);
    if (!missing) size += bytes;
  }
  return size;
}

void CallTips(Steps& steps, RealEditor& e, Report& r) {
  // The menu commands before have written the command log: the tip must add nothing to it.
  auto logBefore = std::make_shared<std::uintmax_t>(0);
  steps.Then([&, logBefore] {
    *logBefore = CommandLogSize(e);
    e.answers = {IDOK};
    e.Invoke(e.OptionCommand(L"Eval to Tooltip"));
    e.NewDocument();
    e.SetText("Expr = 2+3\r\nExpr = 4*5\r\n6*7");
    e.Select(24, 27);
    e.CopyToClipboard(L"copied by the user");
    e.callTip.clear();
    e.MoveMouseTo(25);
  });
  steps.Until([&] { return e.CallTipActive(); }, 10000);
  steps.Then([&, logBefore] {
    r.Check("resting over the selection: its result as a call tip",
            e.CallTipActive() && Contains(e.callTip, "Number = 42.0000"), Quoted(e.callTip));
    r.Check("... the clipboard keeps what the user copied", e.ClipboardText() == L"copied by the user",
            Quoted(e.ClipboardText()));
    r.Check("... and no log is written", CommandLogSize(e) == *logBefore);
    e.MoveMouseAway();
  });
  steps.Until([&] { return !e.CallTipActive(); }, 10000);
  steps.Then([&] {
    r.Check("moving away takes the tip down", !e.CallTipActive());
    e.callTip.clear();
    e.MoveMouseTo(15);  // the second line: neither selected nor the caret's
  });
  steps.Wait(3000);  // three times the dwell time: a tip would be up by then
  steps.Then([&] {
    r.Check("over another line: no tip", !e.CallTipActive() && e.callTip.empty(), Quoted(e.callTip));
    e.MoveMouseAway();
    e.Select(3, 3);
  });
  steps.Wait(500);
  steps.Then([&] { e.MoveMouseTo(5); });
  steps.Until([&] { return e.CallTipActive(); }, 10000);
  steps.Then([&] {
    r.Check("over the caret's line: that line's result",
            e.CallTipActive() && Contains(e.callTip, "Number = 5.0000"), Quoted(e.callTip));
    e.MoveMouseAway();
    e.answers = {IDOK};
    e.Invoke(e.OptionCommand(L"Eval to Tooltip"));
  });
}

// Each toggle of the Options menu: its check mark in the real menu and its key in the
// settings file, both ways; the Options menu open on the screen.
void Options(Steps& steps, RealEditor& e, Report& r) {
  steps.Then([&] {
    struct Toggle {
      const wchar_t* item;
      const char* key;
      int answer;  // to the box the toggle shows
    };
    for (const Toggle& t : {Toggle{L"Don't confirm Expr", "Don't confirm Expr", IDOK},
                            Toggle{L"Don't show Summary", "Don't show Summary", IDOK},
                            Toggle{L"Eval to Tooltip", "Eval To ToolTip", IDOK}, Toggle{L"Plugin Log", "Debug", IDNO}}) {
      const std::string name = "Options > " + Utf8(t.item);
      e.answers = {t.answer};
      e.Invoke(e.OptionCommand(t.item));
      r.Check(name + " on: ticked, " + t.key + "=1",
              e.OptionChecked(t.item) && Contains(Settings(e), std::string(t.key) + "=1"), Settings(e));
      e.answers = {IDOK};
      e.Invoke(e.OptionCommand(t.item));
      r.Check(name + " off: unticked, " + t.key + "=0",
              !e.OptionChecked(t.item) && Contains(Settings(e), std::string(t.key) + "=0"), Settings(e));
    }
    e.inputs = {L"7"};
    e.Invoke(e.OptionCommand(L"Decimals"));
    r.Check("Options > Decimals: Decimals=7", Contains(Settings(e), "Decimals=7"), Settings(e));
    e.inputs = {L"many"};
    e.Invoke(e.OptionCommand(L"Decimals"));
    r.Check("Options > Decimals typed \"many\": refused", LastBox(e) == L"Invalid number" && Contains(Settings(e), "Decimals=7"),
            Quoted(LastBox(e)));
    e.inputs = {L"4"};
    e.Invoke(e.OptionCommand(L"Decimals"));
    e.answers = {IDYES};  // the log from now on, not only from the next start
    e.Invoke(e.OptionCommand(L"Plugin Log"));
    r.Check("Options > Plugin Log answered Yes: the log starts now",
            e.OptionChecked(L"Plugin Log") && fs::exists(fs::path(e.Folder()) / "plugins" / "ulvXNpp" / "ulvXNpp.dbg"));
    e.answers = {IDOK};
    e.Invoke(e.OptionCommand(L"Plugin Log"));

    EvalSelection(e, "Var = r ; 4");
    e.answers = {IDNO};
    e.Invoke(e.OptionCommand(L"ReSet memory"));
    const std::wstring kept = EvalSelection(e, "r+1");
    r.Check("Options > ReSet memory answered No: the variable stays", Contains(kept, L"Number = 5.0000"), Quoted(kept));
    e.answers = {IDYES};
    e.Invoke(e.OptionCommand(L"ReSet memory"));
    const std::wstring shown = EvalSelection(e, "r+1");
    r.Check("Options > ReSet memory: the variable is gone", Contains(shown, L"ERROR") && !Contains(shown, L"5.0000"),
            Quoted(shown));

    // The real menu, open: photographed from a timer while the menu's own loop runs.
    SetTimer(nullptr, 0, 1000, PhotographOpenMenu);
    RECT frame{};
    GetWindowRect(e.main(), &frame);
    TrackPopupMenu(e.OptionsMenu(), TPM_RETURNCMD | TPM_NONOTIFY, frame.left + 300, frame.top + 120, 0, e.main(), nullptr);
    r.Check("the Options menu opens from the real menu", e.OptionsMenu() != nullptr);
  });
}

void MatrixDialog(Steps& steps, RealEditor& e, Report& r) {
  steps.Then([&] {
    e.SetText("Expr = 1");
    e.Invoke(e.PluginCommand(kBuildMatrix));
    r.Check("Build Matrix opened and cancelled: the document unchanged", e.Text() == "Expr = 1", Quoted(e.Text()));
    r.Check("... its picture taken", fs::exists("artifacts/real-editor-matrix-dialog.jpg"));
  });
}

// Live results in a script as it is typed: each line's result beside it, the lines below a
// changed definition following it, a failed line's error on hover, a Plot line not run, the
// editor's dark mode on and off with the result window open, and nothing left once the option
// is off.
void LiveResults(Steps& steps, RealEditor& e, Report& r) {
  const std::string script = "Var = a ; 2\r\nExpr = a*3\r\n2+*3\r\nPlot(0;x;6.3;100) = sin(x)\r\nExpr = sqrt(a+7)\r\n";
  steps.Then([&, script] {
    const fs::path file = fs::path(e.Folder()) / L"documents" / L"live.ulv";
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << script;
    e.Invoke(e.OptionCommand(L"Live Results"));
    e.Open(file.wstring());
  });
  steps.Until([&] { return e.Note(1) == "6.0000"; }, 10000);
  steps.Then([&] {
    r.Check("live results: a formula's result beside it", e.Note(1) == "6.0000", Quoted(e.Note(1)));
    r.Check("... a definition's value", e.Note(0) == "Number a = 2.0000", Quoted(e.Note(0)));
    r.Check("... a failed line's error", e.Note(2).starts_with("ERROR"), Quoted(e.Note(2)));
    r.Check("... a Plot line not run", e.Note(3) == "Plot is not run live", Quoted(e.Note(3)));
    e.Select(10, 11);
    e.PressKeys({'9'});  // Var = a ; 9
  });
  steps.Until([&] { return e.Note(1) == "27.0000"; }, 10000);
  steps.Then([&] {
    r.Check("typing a new value: the lines below follow", e.Note(1) == "27.0000" && e.Note(4) == "4.0000",
            Quoted(e.Note(1)) + " " + Quoted(e.Note(4)));
    e.callTip.clear();
    e.MoveMouseTo(26);  // on "2+*3"
  });
  steps.Until([&] { return e.CallTipActive(); }, 10000);
  steps.Then([&] {
    r.Check("resting on the failed line: its error as a call tip", Contains(e.callTip, "ERROR"), Quoted(e.callTip));
    r.Check("... with the place where the formula went wrong, under the squiggle",
            Contains(e.callTip, "at column 3: '*'") && e.Squiggled(27) && !e.Squiggled(26), Quoted(e.callTip));
    KeepScreenshot("real-editor-live-results.jpg", e.main());
    e.MoveMouseAway();
    e.Select(14, 14);
    e.answers = {IDYES};
    e.Invoke(e.PluginCommand(kCurLineToWindow));
    MoveWindow(e.TextWindow(L"Result"), 520, 400, 740, 480, TRUE);  // beside the lines, in the picture
    r.Check("the editor's dark mode switched on, the result window open", e.SetDarkMode(true) && e.TextWindow(L"Result"));
  });
  steps.Wait(1500);  // repainted in the new colours
  steps.Then([&] {
    KeepScreenshot("real-editor-live-results-dark.jpg", GetDesktopWindow());
    r.Check("... live results stay", e.Note(1) == "27.0000", Quoted(e.Note(1)));
    r.Check("dark mode switched off again", e.SetDarkMode(false));
  });
  steps.Wait(500);
  steps.Then([&] {
    const std::wstring shown = e.TakeTextWindow(L"Result");
    // The menu commands work in the user's own variables, which the live lines never touched.
    r.Check("... the result window still there, a undefined for the menu commands",
            Contains(shown, L"EXPR = a*3") && Contains(shown, L"ERROR n. = 4"), Quoted(shown));
    e.Invoke(e.OptionCommand(L"Live Results"));
    std::string left;
    for (std::intptr_t line = 0; line < 6; ++line) left += e.Note(line);
    r.Check("the option off: no note is left", left.empty(), Quoted(left));
    e.CloseAllUnsaved();
  });
}

// The sum of a rectangular selection over a table's column, with words mixed in.
void SumOfATable(Steps& steps, RealEditor& e, Report& r) {
  steps.Then([&] {
    e.NewDocument();
    e.SetText("item    price  note\r\n"
              "apples  1.20   ok\r\n"
              "pears   0,80   late\r\n"
              "plums   -2.5   x2\r\n");
    e.SelectRectangle(29, 78);  // columns 8 to 17 of lines 1 to 3
    e.callTip.clear();
    e.Invoke(e.PluginCommand(L"Sum Selection"));
  });
  steps.Wait(500);
  steps.Then([&] {
    r.Check("Sum Selection over a rectangle of a table: the call tip",
            e.callTip == "Sum = -0.5\nAverage = -0.1666666667\nMin = -2.5\nMax = 1.2\nCount = 3",
            Quoted(e.callTip));
    const std::wstring copied = e.ClipboardText();
    r.Check("... and the clipboard", Contains(copied, L"Sum = -0.5") && Contains(copied, L"Count = 3"), Quoted(copied));
  });
}

void LargeDocument(Steps& steps, RealEditor& e, Report& r) {
  steps.Then([&] {
    std::string text;
    while (text.size() < 10'000'000) text += "Expr = 1+1 ' a line of a large document\r\n";
    text += "Expr = 6*7";
    e.NewDocument();
    e.SetText(text);
    e.Select(static_cast<std::intptr_t>(text.size()), static_cast<std::intptr_t>(text.size()));
    const auto started = std::chrono::steady_clock::now();
    e.answers = {IDYES};
    e.Invoke(e.PluginCommand(kCurLineToWindow));
    const std::wstring shown = e.TakeTextWindow(L"Result");
    e.answers = {IDYES};
    e.Invoke(e.PluginCommand(kExpressionToDocument));
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    r.Check("a 10 MB document: its last line's result", shown == L"Ln 1: EXPR = 6*7: \r\n Result => Number = 42.0000\r\n",
            Quoted(shown));
    const std::string after = e.Text();
    r.Check("... inserted at its end (" + std::to_string(seconds) + " s for both)",
            after.size() > text.size() && after.ends_with("Expr = 6*7\r\nLn 1: EXPR = 6*7: \r\n Result => Number = 42.0000") &&
                after.starts_with(text.substr(0, 1000)),
            Quoted(after.substr(text.size() - 10)));
  });
}

}  // namespace

void AddScenarios(Steps& steps, RealEditor& editor, Report& report) {
  RoadOfOneRequest(steps, editor, report);
  MenuCommands(steps, editor, report);
  Files(steps, editor, report);
  CallTips(steps, editor, report);
  Options(steps, editor, report);
  MatrixDialog(steps, editor, report);
  LiveResults(steps, editor, report);
  SumOfATable(steps, editor, report);
  LargeDocument(steps, editor, report);
}

}  // namespace real_editor
