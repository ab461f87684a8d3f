// SPDX-License-Identifier: MIT
#include "batch_run.h"

#include <atomic>
#include <csignal>

#include "exports/session.h"
#include "json_lines.h"
#include "platform/utf8.h"
#include "script/batch.h"
#include "script/command_table.h"

namespace ulvxnpp {
namespace {

// Plot windows (Windows) live as long as the program: it ends when the user has closed them.
void WaitForPlotWindows() {
  ui::PlotOutput* plots = exports::session().plots.get();
  if (plots == nullptr || !plots->HasOpenWindows()) return;
  std::fputs("Close the plot windows to finish.\n", stderr);
  std::fflush(stderr);
  plots->WaitForClose();
}

// While a run lasts, Ctrl+C cancels it: the line in progress stops, the run ends before the
// next line, and its output goes where it was to go, whole. A second Ctrl+C ends the program
// at once, as it would any other.
class CancelOnInterrupt {
 public:
  CancelOnInterrupt() {
    flag_ = exports::session().engine.core.cancel.get();
    flag_.load()->Clear();
    std::signal(SIGINT, &Interrupted);
  }
  ~CancelOnInterrupt() {
    std::signal(SIGINT, SIG_DFL);
    flag_ = nullptr;
  }
  CancelOnInterrupt(const CancelOnInterrupt&) = delete;
  CancelOnInterrupt& operator=(const CancelOnInterrupt&) = delete;

  bool interrupted() const { return flag_.load()->requested(); }

 private:
  // Only lock-free atomics here: a signal handler may do no more.
  static void Interrupted(int) {
    std::signal(SIGINT, SIG_DFL);
    if (engine::CancelFlag* flag = flag_.load()) flag->Request();
  }
  static inline std::atomic<engine::CancelFlag*> flag_{nullptr};
};

// An input that cannot be read and an output that cannot be written are failures of the
// run as a whole, not of its commands.
int ExitStatus(const script::BatchState& state, const CancelOnInterrupt& interrupt) {
  if (state.inputFailed || state.outputFailed) return kExitUsage;
  if (interrupt.interrupted()) return kExitInterrupted;
  return state.lastResult % 1000 == 0 ? kExitOk : kExitFailed;
}

}  // namespace

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

std::u16string AsScript(const std::u16string& text) {
  return script::StartsWithCommand(text) || text.find(u'\n') != std::u16string::npos ? text : u"Expr = " + text;
}

std::u16string BatchOptions(const ProgramOptions& o) {
  std::u16string line;
  auto add = [&](std::u16string_view option, const std::optional<std::string>& value = std::nullopt) {
    line += u" /" + std::u16string(option);
    if (value && !value->empty()) line += u" \"" + platform::FromUtf8(*value) + u"\"";
  };
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

std::u16string Selected(const std::u16string& script) { return u" /sel:'" + script + u"'"; }

int RunBatch(const std::u16string& commandLine, Delivery delivery, bool verbose, std::u16string* text,
             std::vector<script::LineRecord>* records) {
  script::BatchContext context = exports::BatchOf(exports::session());
  const CancelOnInterrupt interrupt;
  const script::RunFlags flags = script::ParseOptions(commandLine, context.host.decimals);
  const script::TextStyle style{.decimals = flags.decimals,
                                .numbers = context.engine.core.settings.numbers,
                                .bare = flags.bare,
                                .quiet = flags.noLnExpF};
  script::BatchResult result = script::RunBatch(
      context, {.flags = flags, .commandLine = commandLine, .menu = {}, .keepRecords = delivery == Delivery::Json || records != nullptr});
  if (verbose) Print(stderr, context.state.messages);
  if (context.state.inputFailed) {
    Print(stderr, result.text + u"\n");
    return kExitUsage;
  }
  if (delivery == Delivery::Text) Print(stdout, result.text);
  if (delivery == Delivery::Json) {
    for (const script::LineRecord& record : result.records) {
      const std::string line = JsonLine(record, style) + "\n";
      std::fwrite(line.data(), 1, line.size(), stdout);
    }
  }
  if (text != nullptr) *text = std::move(result.text);
  if (records != nullptr) *records = std::move(result.records);
  WaitForPlotWindows();
  return ExitStatus(context.state, interrupt);
}

int RunCommandLine(const std::u16string& commandLine, bool verbose) {
  script::BatchContext context = exports::BatchOf(exports::session());
  const CancelOnInterrupt interrupt;
  script::ulvEvalMain(context, commandLine);
  Print(stdout, context.state.resultText);
  if (verbose) Print(stderr, context.state.messages);
  WaitForPlotWindows();
  return ExitStatus(context.state, interrupt);
}

}  // namespace ulvxnpp
