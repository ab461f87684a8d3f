// SPDX-License-Identifier: MIT
#include "program.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "exports/session.h"
#include "line_editor.h"
#include "platform/utf8.h"
#include "script/batch.h"
#include "script/command_table.h"
#include "terminal.h"
#include "ui/text_views.h"

namespace ulvxnpp {
namespace {

script::BatchContext Batch() { return exports::BatchOf(exports::session()); }

// Line by line, with the terminal's line ends: the output may be many megabytes.
void Print(std::FILE* stream, std::u16string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find(u"\r\n");
    const std::string line = platform::ToUtf8(text.substr(0, end));
    std::fwrite(line.data(), 1, line.size(), stream);
    if (end == std::u16string_view::npos) break;
    std::fputc('\n', stream);
    text.remove_prefix(end + 2);
  }
}

// A bare formula runs as "Expr = formula", as the editor does after its confirmation.
std::u16string AsScript(const std::u16string& text) {
  return script::StartsWithCommand(text) || text.find(u'\n') != std::u16string::npos ? text : u"Expr = " + text;
}

std::u16string BatchOptions(const ProgramOptions& o) {
  std::u16string line;
  auto add = [&](std::u16string_view option, const std::optional<std::string>& value = std::nullopt) {
    line += u" /" + std::u16string(option);
    if (value && !value->empty()) line += u" \"" + platform::FromUtf8(*value) + u"\"";
  };
  if (o.reset) add(u"rset");
  if (o.output) add(u"o", o.output);
  if (o.append) add(u"a", o.append);
  if (o.noHeader) add(u"noh");
  if (o.quiet) add(u"nln");
  if (o.bare) add(u"nt");
  if (o.lines) line += u" /lns:" + platform::FromUtf8(*o.lines);
  if (o.lineOffset != 0) line += u" /lc:" + platform::FromUtf8(std::to_string(o.lineOffset));
  line += u" /dec:" + platform::FromUtf8(std::to_string(o.decimals));
  if (o.log) line += o.log->empty() ? u" /log" : u" /log:\"" + platform::FromUtf8(*o.log) + u"\"";
  if (o.savePlots) line += o.savePlots->empty() ? u" /spl" : u" /spl:\"" + platform::FromUtf8(*o.savePlots) + u"\"";
  if (o.plotFormat) line += u" /pfmt:" + platform::FromUtf8(*o.plotFormat);
  if (o.progress) line += u" /pbar";
  return line;
}

// Plot windows (Windows) live as long as the program: it ends when the user has closed them.
void WaitForPlotWindows() {
  ui::PlotOutput* plots = exports::session().plots.get();
  if (plots == nullptr || !plots->HasOpenWindows()) return;
  std::fputs("Close the plot windows to finish.\n", stderr);
  std::fflush(stderr);
  plots->WaitForClose();
}

// An input that cannot be read and an output that cannot be written are failures of the
// run as a whole, not of its commands.
int ExitStatus(const script::BatchState& state) {
  if (state.inputFailed || state.outputFailed) return kExitUsage;
  return state.lastResult % 1000 == 0 ? kExitOk : kExitFailed;
}

// One batch run; prints the output unless it went to a file.
int RunBatch(const std::u16string& commandLine, bool toStdout, bool verbose) {
  script::BatchContext context = Batch();
  script::ulvEvalMain(context, commandLine);
  if (verbose) Print(stderr, context.state.messages);
  if (context.state.inputFailed) {
    Print(stderr, exports::session().engine.core.state.ulvResStr + u"\n");
    return kExitUsage;
  }
  if (toStdout) Print(stdout, exports::session().engine.core.state.ulvResStr);
  WaitForPlotWindows();
  return ExitStatus(context.state);
}

std::u16string Selected(const std::u16string& script) { return u" /sel:'" + script + u"'"; }

int Interactive(const ProgramOptions& o) {
  std::fputs("Vuza Reduzodod - type a formula or a command, :help for help, :quit to leave\n", stdout);
  int status = kExitOk;
  while (std::optional<std::string> line = ReadLine("ulv> ")) {
    if (*line == ":quit" || *line == ":q") break;
    if (*line == ":help") {
      std::fputs("A formula (2*pi, sin(1)+x) is evaluated; a command (Var = x ; 2, Show(x),\n"
                 "Integrate(0;1;100;trap;x) = x^2, sDiff(x) = x^2) runs as in a script.\n"
                 ":quit leaves.\n", stdout);
      continue;
    }
    if (line->find_first_not_of(" \t") == std::string::npos) continue;
    const int result = RunBatch(BatchOptions(o) + u" /noh" + Selected(AsScript(platform::FromUtf8(*line))),
                                true, o.verbose);
    std::fputs("\n", stdout);
    if (result != kExitOk) status = result;
  }
  return status;
}

// The run the options ask for: a command line, a formula, standard input, a session or a file.
int RunRequested(const ProgramOptions& o, bool stdinIsTerminal) {
  if (o.cmdline) {
    script::BatchContext context = Batch();
    script::ulvEvalMain(context, platform::FromUtf8(*o.cmdline));
    Print(stdout, exports::session().engine.core.state.ulvResStr);
    if (o.verbose) Print(stderr, context.state.messages);
    WaitForPlotWindows();
    return ExitStatus(context.state);
  }
  const bool toStdout = !o.output && !o.append;
  if (o.expr) return RunBatch(BatchOptions(o) + Selected(AsScript(platform::FromUtf8(*o.expr))), toStdout, o.verbose);
  if (o.script.empty() && stdinIsTerminal) return Interactive(o);
  if (o.script.empty() || o.script == "-") {
    const std::string text(std::istreambuf_iterator<char>(std::cin), {});
    return RunBatch(BatchOptions(o) + Selected(platform::FromUtf8(text)), toStdout, o.verbose);
  }
  return RunBatch(u" /i \"" + platform::FromUtf8(o.script) + u"\"" + BatchOptions(o), toStdout, o.verbose);
}

}  // namespace

int Run(const ProgramOptions& o, bool stdinIsTerminal) {
  exports::Session& session = exports::session();
  session.windows = MakeTerminalTexts();
  session.progress = MakeTerminalProgress();
  const int status = RunRequested(o, stdinIsTerminal);
  if (o.showMemory) {
    // After the run, so that it lists what the script defined.
    session.windows->ShowText(u"Show Memory", ui::MemoryListing(session.engine));
  }
  return status;
}

}  // namespace ulvxnpp
