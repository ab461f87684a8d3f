// SPDX-License-Identifier: MIT
#include "program.h"

#include <iostream>
#include <iterator>
#include <string>

#include "batch_run.h"
#include "engine/evaluator.h"
#include "exports/session.h"
#include "platform/utf8.h"
#include "session.h"
#include "terminal.h"
#include "ui/text_views.h"

namespace ulvxnpp {
namespace {

// Standard input as a script file would be read: a UTF-8 byte-order mark is no part of its text.
std::string ReadStandardInput() {
  std::string text(std::istreambuf_iterator<char>(std::cin), {});
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  return text;
}

// -o and -a without a name write beside the script file; without one there is no such place.
bool NamesItsOutputFile(const ProgramOptions& o) {
  const auto unnamed = [](const std::optional<std::string>& file) { return file && file->empty(); };
  const bool fromFile = !o.expr && !o.script.empty() && o.script != "-";
  if (fromFile || (!unnamed(o.output) && !unnamed(o.append))) return true;
  std::cerr << "ulvxnpp: -o and -a need a file name when the script is not a file (e.g. -o result.ulv)\n";
  return false;
}

// The run the options ask for: a command line, a formula, standard input, a session or a file.
int RunRequested(const ProgramOptions& o, bool stdinIsTerminal) {
  if (o.cmdline) return RunCommandLine(platform::FromUtf8(*o.cmdline), o.verbose);
  if (!NamesItsOutputFile(o)) return kExitUsage;
  const Delivery delivery = o.json ? Delivery::Json : !o.output && !o.append ? Delivery::Text : Delivery::None;
  if (o.expr) return RunBatch(BatchOptions(o) + Selected(AsScript(platform::FromUtf8(*o.expr))), delivery, o.verbose);
  if (o.interactive || (o.script.empty() && stdinIsTerminal)) return RunSession(o);
  if (o.script.empty() || o.script == "-") {
    return RunBatch(BatchOptions(o) + Selected(platform::FromUtf8(ReadStandardInput())), delivery, o.verbose);
  }
  return RunBatch(u" /i \"" + platform::FromUtf8(o.script) + u"\"" + BatchOptions(o), delivery, o.verbose);
}

}  // namespace

int Run(const ProgramOptions& o, bool stdinIsTerminal) {
  exports::Session& session = exports::session();
  session.windows = MakeTerminalTexts();
  session.progress = MakeTerminalProgress();
  // Here and not as the batch's /rset, which would drop the script and the options with it.
  if (o.reset) engine::ReSetEqParser(session.engine);
  engine::SetFormulaSettings(session.engine, o.formula);
  const int status = RunRequested(o, stdinIsTerminal);
  if (o.showMemory) {
    // After the run, so that it lists what the script defined.
    session.windows->ShowText(u"Show Memory", ui::MemoryListing(session.engine));
  }
  return status;
}

}  // namespace ulvxnpp
