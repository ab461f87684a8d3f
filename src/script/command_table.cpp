// SPDX-License-Identifier: MIT
#include "script/command_table.h"

#include <array>

#include "engine_core/text_util.h"
#include "script/run.h"

namespace script {
namespace {

// A handler of the interpreter as the plain function the table holds.
template <auto handler>
void Call(Run& run, CommandLine& line) {
  (run.*handler)(line);
}

constexpr bool kRunsLive = true;
constexpr bool kNotRunLive = false;
constexpr bool kDefines = true;
constexpr bool kLeavesNothing = false;

constexpr std::array<Command, 29> kCommands = {{
    {u"aElemOrderEx", CommandKind::Other, &Call<&Run::ElemOrderEx>},
    {u"Debug", CommandKind::Store, &Call<&Run::Debug>, kRunsLive, kDefines},
    {u"ErrorMsgs", CommandKind::Store, &Call<&Run::ErrorMsgs>, kRunsLive, kDefines},
    {u"Derivate", CommandKind::Result, &Call<&Run::Derivate>},
    {u"DerivateF", CommandKind::Result, &Call<&Run::FileVariant>, kNotRunLive, kLeavesNothing},
    {u"DimX", CommandKind::Store, &Call<&Run::DimX>, kRunsLive, kDefines},
    {u"Expr", CommandKind::Result, &Call<&Run::Expr>},
    {u"ExprF", CommandKind::Result, &Call<&Run::FileVariant>, kNotRunLive, kLeavesNothing},
    {u"Funct", CommandKind::Store, &Call<&Run::Funct>, kRunsLive, kDefines},
    {u"FunctF", CommandKind::Store, &Call<&Run::FileVariant>, kNotRunLive, kDefines},
    {u"Hex", CommandKind::Result, &Call<&Run::Expr>},
    {u"Bin", CommandKind::Result, &Call<&Run::Expr>},
    {u"Integrate", CommandKind::Result, &Call<&Run::Integrate>},
    {u"IntegrateF", CommandKind::Result, &Call<&Run::FileVariant>, kNotRunLive, kLeavesNothing},
    {u"Matr", CommandKind::Store, &Call<&Run::Matr>, kRunsLive, kDefines},
    {u"MatrF", CommandKind::Store, &Call<&Run::FileVariant>, kNotRunLive, kDefines},
    {u"Plot", CommandKind::Act, &Call<&Run::Plot>, kNotRunLive, kLeavesNothing},
    {u"Pause", CommandKind::Other, nullptr},
    {u"StoExpr", CommandKind::Result, &Call<&Run::StoExpr>, kRunsLive, kDefines},
    {u"Show", CommandKind::Act, &Call<&Run::Show>},
    {u"Var", CommandKind::Store, &Call<&Run::Var>, kRunsLive, kDefines},
    {u"VarPolyn", CommandKind::Store, &Call<&Run::VarPolyn>, kRunsLive, kDefines},
    {u"Vect", CommandKind::Store, &Call<&Run::Matr>, kRunsLive, kDefines},
    {u"VectF", CommandKind::Store, &Call<&Run::FileVariant>, kNotRunLive, kDefines},
    {u"sDiff", CommandKind::Result, &Call<&Run::SDiff>},
    {u"sDiffF", CommandKind::Result, &Call<&Run::FileVariant>, kNotRunLive, kLeavesNothing},
    // The editor's question for these three has always been the one for a formula.
    {u"SolvePolyn", CommandKind::Other, &Call<&Run::SolvePolyn>},
    {u"AElemOrderSet", CommandKind::Other, &Call<&Run::ElemOrderSet>, kRunsLive, kDefines},
    {u"aAbout", CommandKind::Other, [](Run& run, CommandLine&) { run.About(); }},
}};

}  // namespace

std::span<const Command> Commands() { return kCommands; }

const Command* FindCommand(std::u16string_view word) {
  for (const Command& command : kCommands)
    if (engine::EqualsIgnoreCase(word, command.name)) return &command;
  return nullptr;
}

const Command* LeadingCommand(std::u16string_view line) {
  line = engine::Trim(line);
  std::size_t end = 0;
  while (end < line.size() && engine::IsNameChar(line[end])) ++end;
  const std::u16string_view word = line.substr(0, end);
  if (word.empty()) return nullptr;
  const std::u16string_view rest = engine::Trim(line.substr(end));
  if (!rest.starts_with(u'=') && !rest.starts_with(u'(')) return nullptr;
  return FindCommand(word);
}

std::u16string CommandListText() {
  std::u16string text = u"Commands:";
  for (const Command& command : kCommands) text += u"\r\n" + std::u16string(command.name);
  return text;
}

}  // namespace script
