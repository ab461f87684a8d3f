// SPDX-License-Identifier: MIT
#include "plugin/editor_commands.h"

#include <algorithm>

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "platform/utf8.h"
#include "plugin/check_expression.h"
#include "plugin/expression_search.h"
#include "plugin/selection_sum.h"

namespace plugin {
namespace {

constexpr std::u16string_view kTitle = u"Vuza Reduzodod";


// The session's numbers follow the option and its spelling stays. Agreeing numbers are not set
// again, so that a true comparison another caller chose (SetBoolSign) stays as well.
void FollowNumbers(engine::Engine& engine, engine::Numbers numbers) {
  if (engine.core.settings.numbers == numbers) return;
  engine::FormulaSettings settings = engine.core.settings;
  settings.numbers = numbers;
  engine::SetFormulaSettings(engine, settings);
}

}  // namespace

std::u16string EditorCommands::RunBatch(std::u16string_view banner, script::RunFlags flags) {
  Log(u"Proc: ulvEvalMain          : ***** Menu: " + std::u16string(banner));
  FollowNumbers(c_.batch.engine, c_.settings.numbers);
  const script::BatchResult result = script::RunBatch(c_.batch, {.flags = std::move(flags), .commandLine = {}, .menu = banner});
  Log(u"Proc: ulvEvalMain          : btnRet = " + engine::IntegerText(result.code) + u", ExitCode = " + engine::IntegerText(result.code));
  Log(u"Proc: ulvEvalMain          : ulvResStr = '" + result.text + u"'");
  return result.text;
}

std::optional<std::u16string> EditorCommands::DocumentFolder(const std::u16string& path) {
  const std::size_t separator = path.find_last_of(u"\\/");
  if (separator != std::u16string::npos) return path.substr(0, separator + 1);
  c_.os.ShowMessage(u"The document \"" + path + u"\" has not been saved yet: save it to a file first, "
                        u"so that Result.ulv can be written beside it.",
                    kTitle, platform::Buttons::Ok);
  return std::nullopt;
}

void EditorCommands::EvalCurFileToFile() {
  const std::u16string path = c_.host.ActiveView().FullPath();
  const std::optional<std::u16string> folder = DocumentFolder(path);
  if (!folder) return;
  RunBatch(u"EVAL CURFILE TO FILE", script::WholeFileRun(path, Decimals()));
  if (!c_.batch.state.inputFailed && !c_.batch.state.outputFailed) c_.host.OpenDocument(*folder + u"Result.ulv");
}

void EditorCommands::EvalCurLineToFile() {
  Editor& view = c_.host.ActiveView();
  const std::u16string path = view.FullPath();
  const std::optional<std::u16string> folder = DocumentFolder(path);
  if (!folder) return;
  const Position line = view.LineFromPosition(view.CurrentPos()) + 1;
  RunBatch(u"EVAL CURLINE TO FILE", script::FileLineRun(path, static_cast<std::int32_t>(line), Decimals()));
  if (!c_.batch.state.inputFailed && !c_.batch.state.outputFailed) c_.host.OpenDocument(*folder + u"Result.ulv");
}

std::optional<std::u16string> EditorCommands::EvalToWindow(std::u16string_view text, std::u16string_view caption,
                                                           bool forCallTip) {
  const Asking asking = forCallTip ? Asking::Silent : c_.settings.dontConfirmExpr ? Asking::TellOnly : Asking::Confirm;
  const std::optional<std::u16string> checked = CheckExpressionS(c_.os, text, caption, asking);
  if (!checked) return std::nullopt;
  script::RunFlags flags = script::TextRun(*checked, Decimals(), c_.settings.dontShowSummary);
  if (forCallTip) {
    // A mouse at rest must leave what the user copied, and leaves no trace in a log.
    FollowNumbers(c_.batch.engine, c_.settings.numbers);
    return script::RunBatch(c_.batch, {.flags = std::move(flags), .commandLine = {}, .menu = caption,
                                       .keepRecords = false, .pluginLog = false}).text;
  }
  flags.SaveToClpBF = true;
  flags.logF = true;
  const std::u16string result = RunBatch(caption, std::move(flags));
  c_.windows.ShowText(u"Result", result);
  return result;
}

std::optional<std::u16string> EditorCommands::EvalCurLineToWindow(bool forCallTip) {
  Editor& view = c_.host.ActiveView();
  const Position line = view.LineFromPosition(view.CurrentPos());
  const std::string text = view.TextRange(view.PositionFromLine(line), view.LineEndPosition(line));
  return EvalToWindow(platform::FromUtf8(text), u"Eval CurLine To Wnd: Expression =", forCallTip);
}

std::optional<std::u16string> EditorCommands::EvalSelectionToWindow(bool forCallTip) {
  const std::string text = c_.host.ActiveView().SelectedText();
  return EvalToWindow(platform::FromUtf8(text), u"Eval SelText To Wnd: Expression =", forCallTip);
}

void EditorCommands::SumSelection() {
  Log(u"Proc: SumSelection        : ***** Menu: SUM SELECTION");
  Editor& view = c_.host.ActiveView();
  std::vector<double> numbers;
  for (const std::string& text : view.SelectionTexts()) {
    const std::vector<double> found = NumbersIn(text);
    numbers.insert(numbers.end(), found.begin(), found.end());
  }
  const std::optional<SelectionSum> summary = Summarize(numbers);
  if (!summary) {
    c_.host.ShowInStatusBar(u"No numbers in the selection");
    view.ShowCallTip(view.CurrentPos(), "No numbers in the selection");
    return;
  }
  const std::u16string lines = SummaryLines(*summary);
  c_.host.ShowInStatusBar(SummaryLine(*summary));
  view.ShowCallTip(view.CurrentPos(), platform::ToUtf8(lines));
  c_.os.SetClipboardText(lines);
}

void EditorCommands::EvalExpressionToDocument() {
  const std::u16string expression = platform::FromUtf8(ExpressionAtCaret(c_.host.ActiveView()));
  if (engine::Trim(expression).empty()) {
    c_.os.ShowMessage(u"No Expression found!", u"ulvXNpp Plugin", platform::Buttons::Ok);
    return;
  }
  if (!c_.settings.dontConfirmExpr &&
      c_.os.ShowMessage(u"Eval Expr: Expression = \r\n\r\n'" + expression + u"'", kTitle, platform::Buttons::YesNo) !=
          platform::Answer::Yes)
    return;
  script::RunFlags flags = script::TextRun(expression, Decimals(), false);
  flags.SaveToClpBF = true;
  flags.logF = true;
  InsertResult(RunBatch(u"EVAL EXPRESSION TO WND", std::move(flags)));
}

void EditorCommands::ShowMemory() {
  script::RunFlags flags;
  flags.showMemory = true;
  RunBatch(u"SHOW MEMORY", std::move(flags));
}

void EditorCommands::InsertFileName() {
  const std::optional<std::u16string> name =
      c_.os.AskFileName(u"Open File", u"Text (*.txt)|*.txt|All files (*.*)|*.*", false);
  if (name) InsertResult(*name);
}

void EditorCommands::InsertResult(std::u16string_view text) {
  std::u16string result(text);
  while (result.ends_with(u"\r\n")) result.resize(result.size() - 2);
  if (result.empty()) {
    c_.os.ShowMessage(u"No output!", u"Evaluator", platform::Buttons::Ok);
    return;
  }
  Editor& view = c_.host.ActiveView();
  const Position end = view.SelectionEnd();
  const Position line = view.LineFromPosition(end);
  const Position lineEnd = view.LineEndPosition(line);
  const Position at = std::max(end, lineEnd);
  // The result starts a line of its own, with the document's line ends (CR LF where the line
  // gives no hint, as on Windows).
  const bool crlf = lineEnd == view.Length() || view.TextRange(lineEnd, lineEnd + 1) == "\r";
  std::string body = platform::ToUtf8(result);
  if (!crlf) std::erase(body, '\r');
  const std::string inserted = (crlf ? "\r\n" : "\n") + body;
  view.GotoPos(at);
  view.InsertText(at, inserted);
  view.GotoPos(at + static_cast<Position>(inserted.size()));
}

}  // namespace plugin
