// SPDX-License-Identifier: MIT
#include "session.h"

#include <cstdio>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "batch_run.h"
#include "engine/evaluator.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "exports/session.h"
#include "formula_names.h"
#include "line_editor.h"
#include "platform/utf8.h"
#include "script/batch.h"
#include "script/line_text.h"

namespace ulvxnpp {
namespace {

// What a definition stored, as the session answers it: "a = 3", "f = x^2+1", "[mA] =" and the
// matrix's elements. Variables show the value they keep, which may differ from the text typed.
std::optional<std::u16string> Answer(const script::LineRecord& record, const script::TextStyle& style) {
  if (record.form != script::LineForm::Definition || record.failed()) return std::nullopt;
  switch (record.nameKind) {
    case script::NameKind::Variable: return record.name + u" = " + engine::ValueText(style.numbers, record.value.number);
    case script::NameKind::Function: return record.name + u" = " + record.value.text;
    case script::NameKind::Matrix: return record.name + u" =\r\n" + script::ElementListing(record.value.matrix, style);
    case script::NameKind::Constant:
    case script::NameKind::None: break;
  }
  return std::nullopt;
}

template <typename Value>
bool Choose(const std::map<std::string, Value, std::less<>>& names, const std::string& name, Value& chosen) {
  const auto found = names.find(name);
  if (found == names.end()) return false;
  chosen = found->second;
  return true;
}

// ":numbers double", ":spelling programmer" and the like: the entries that follow read their
// formulas so. The entry's exit status, kExitFailed for a name that is none; nothing for an
// entry that is no such command.
std::optional<int> Switch(const std::string& line, engine::Engine& eng) {
  std::istringstream words(line);
  std::string command, name, more;
  words >> command >> name >> more;
  engine::FormulaSettings settings = eng.core.settings;
  bool known = more.empty();
  if (command == ":numbers") known = known && Choose(kNumbersNames, name, settings.numbers);
  else if (command == ":spelling") known = known && Choose(kSpellingNames, name, settings.spelling);
  else return std::nullopt;
  if (!known) {
    std::fprintf(stderr, "%s\n", command == ":numbers" ? ":numbers double|classic" : ":spelling programmer|classic");
    return kExitFailed;
  }
  engine::SetFormulaSettings(eng, settings);
  return kExitOk;
}

void PrintHelp(const std::string& historyFile) {
  std::fputs("A formula (2*pi, sin(1)+x) is evaluated; a command (Var = x ; 2, Show(x),\n"
             "Integrate(0;1;100;trap;x) = x^2, sDiff(x) = x^2) runs as the next line of a script:\n"
             "entries are numbered Ln 1, Ln 2, ... and a definition (Var, Funct, Matr, Vect, DimX)\n"
             "answers with what it stored.\n",
             stdout);
  if (!historyFile.empty())
    std::printf("Up and Down recall earlier entries, also those of earlier sessions: they are kept in\n%s\n",
                historyFile.c_str());
  std::fputs("Formulas read in the numbers and spelling the program started with (--numbers double,\n"
             "--spelling programmer); :numbers double|classic and :spelling programmer|classic\n"
             "switch them for the entries that follow.\n"
             ":help shows this, :quit leaves.\n",
             stdout);
}

}  // namespace

int RunSession(const ProgramOptions& o) {
  std::fputs("Vuza Reduzodod - type a formula or a command, :help for help, :quit to leave\n", stdout);
  const std::string historyFile = KeepHistory();
  exports::Session& session = exports::session();
  int status = kExitOk;
  std::int32_t number = 0;
  while (std::optional<std::string> line = ReadLine("ulv> ")) {
    if (*line == ":quit" || *line == ":q") break;
    if (*line == ":help") {
      PrintHelp(historyFile);
      continue;
    }
    if (const std::optional<int> switched = Switch(*line, session.engine)) {
      if (*switched != kExitOk) status = *switched;
      continue;
    }
    const std::u16string entry(engine::Trim(platform::FromUtf8(*line)));
    if (entry.empty()) continue;
    session.host.firstLineNumber = ++number;
    const std::u16string script = entry.starts_with(u'\'') ? entry : AsScript(entry);
    std::u16string output;
    std::vector<script::LineRecord> records;
    const int result = RunBatch(BatchOptions(o) + u" /noh" + Selected(script), Delivery::None, o.verbose, &output, &records);
    session.host.firstLineNumber = 1;
    if (session.batch.inputFailed) return result;  // told on stderr already
    if (output == u"\r\n") output.clear();  // nothing written: a definition or a comment
    const script::TextStyle style{.decimals = o.decimals, .numbers = session.engine.core.settings.numbers};
    if (output.empty() && records.size() == 1) {
      if (const std::optional<std::u16string> answer = Answer(records.front(), style)) output = *answer + u"\r\n";
    }
    if (!output.empty()) Print(stdout, output + u"\r\n");
    if (result != kExitOk) status = result;
  }
  return status;
}

}  // namespace ulvxnpp
