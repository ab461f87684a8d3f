// SPDX-License-Identifier: MIT
#include "session.h"

#include <cstdio>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "batch_run.h"
#include "engine/evaluator.h"
#include "engine/var_store.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "exports/session.h"
#include "formula_names.h"
#include "line_editor.h"
#include "matrix/matrix_print.h"
#include "matrix/matrix_store.h"
#include "platform/utf8.h"
#include "script/batch.h"
#include "script/command_table.h"

namespace ulvxnpp {
namespace {

enum class Store { Variable, Function, Matrix };

// The name an entry defines and the store that holds it; nothing for other entries.
struct Definition {
  Store store;
  std::u16string name;
};

std::optional<Definition> DefinitionOf(std::u16string_view entry) {
  entry = entry.substr(0, entry.find(u'\''));
  const script::Command* command = script::LeadingCommand(entry);
  const std::size_t equals = entry.find(u'=');
  if (command == nullptr || equals == std::u16string_view::npos) return std::nullopt;
  const std::u16string_view arg = engine::Trim(entry.substr(equals + 1));
  const std::u16string name(engine::Trim(arg.substr(0, arg.find(u';'))));
  auto is = [&](std::u16string_view word) { return engine::EqualsIgnoreCase(command->name, word); };
  if (is(u"var")) return Definition{Store::Variable, name};
  if (is(u"funct")) return Definition{Store::Function, name};
  if (is(u"matr") || is(u"vect")) return Definition{Store::Matrix, name};
  if (is(u"dimx")) return Definition{Store::Matrix, std::u16string(engine::Trim(arg.substr(0, arg.find(u'('))))};
  return std::nullopt;
}

// What the store now holds under the defined name: "a = 3", "f = x^2+1", "[mA] =" and the
// matrix's elements. Variables show the value they keep, which may differ from the text typed.
std::optional<std::u16string> Answer(engine::Engine& eng, const Definition& d, int decimals) {
  const std::u16string key = engine::ToLower(d.name);
  switch (d.store) {
    case Store::Variable: {
      double value = 0.0;
      if (engine::FindVarFunct(eng.core, eng.vars, key, false, &value, nullptr) != engine::kFound) return std::nullopt;
      return d.name + u" = " + engine::ValueText(eng.core.settings.numbers, value);
    }
    case Store::Function: {
      std::u16string body;
      if (engine::FindVarFunct(eng.core, eng.vars, key, true, nullptr, &body) != engine::kFound) return std::nullopt;
      return d.name + u" = " + body;
    }
    case Store::Matrix: {
      const std::u16string name = d.name.starts_with(u'[') ? d.name : u"[" + d.name + u"]";
      std::int32_t rows = 0;
      std::int32_t cols = 0;
      const std::intptr_t addr = matrix::FindMatrix(eng.core, eng.matrices, name,
                                                    matrix::kFindByName | matrix::kFindReturnAddr, &rows, &cols, false);
      if (addr == 0) return std::nullopt;
      const std::u16string format = u"0." + std::u16string(static_cast<std::size_t>(decimals), u'0');
      return name + u" =" + matrix::aPrint(eng.core, eng.matrices, reinterpret_cast<const double*>(addr), rows, cols,
                                          u"String", format, u"", u"");
    }
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
    const int result = RunBatch(BatchOptions(o) + u" /noh" + Selected(script), Delivery::None, o.verbose, &output);
    session.host.firstLineNumber = 1;
    if (session.batch.inputFailed) return result;  // told on stderr already
    if (output == u"\r\n") output.clear();  // nothing written: a definition or a comment
    const std::optional<Definition> defined = result == kExitOk ? DefinitionOf(entry) : std::nullopt;
    if (output.empty() && defined) {
      if (const std::optional<std::u16string> answer = Answer(session.engine, *defined, o.decimals))
        output = *answer + u"\r\n";
    }
    if (!output.empty()) Print(stdout, output + u"\r\n");
    if (result != kExitOk) status = result;
  }
  return status;
}

}  // namespace ulvxnpp
