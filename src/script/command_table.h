// SPDX-License-Identifier: MIT
// The command words of the script language with their kind and caption: the interpreter
// recognises lines by them, and the editor front end shows the captions.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace script {

// 0 other, 1 yields a result text, 2 only stores or sets, 3 acts (plot, show).
enum class CommandKind : std::uint8_t { Other = 0, Result = 1, Store = 2, Act = 3 };

struct Command {
  std::u16string_view name;
  CommandKind kind;
  std::u16string_view caption;
};

inline constexpr std::array<Command, 26> kCommands = {{
    {u"aElemOrderEx", CommandKind::Other, u""},
    {u"Debug", CommandKind::Store, u"Value Set"},
    {u"ErrorMsgs", CommandKind::Store, u"Value Set"},
    {u"Derivate", CommandKind::Result, u""},
    {u"DerivateF", CommandKind::Result, u""},
    {u"DimX", CommandKind::Store, u"Expression Loaded in Memory"},
    {u"Expr", CommandKind::Result, u""},
    {u"ExprF", CommandKind::Result, u""},
    {u"Funct", CommandKind::Store, u"Expression Loaded in Memory"},
    {u"FunctF", CommandKind::Store, u"Expression Loaded in Memory"},
    {u"Hex", CommandKind::Result, u""},
    {u"Bin", CommandKind::Result, u""},
    {u"Integrate", CommandKind::Result, u""},
    {u"IntegrateF", CommandKind::Result, u""},
    {u"Matr", CommandKind::Store, u"Expression Loaded in Memory"},
    {u"MatrF", CommandKind::Store, u"Expression Loaded in Memory"},
    {u"Plot", CommandKind::Act, u"Command Executed"},
    {u"Pause", CommandKind::Other, u""},
    {u"StoExpr", CommandKind::Result, u""},
    {u"Show", CommandKind::Act, u""},
    {u"Var", CommandKind::Store, u"Expression Loaded in Memory"},
    {u"VarPolyn", CommandKind::Store, u"Expression Loaded in Memory"},
    {u"Vect", CommandKind::Store, u"Expression Loaded in Memory"},
    {u"VectF", CommandKind::Store, u"Expression Loaded in Memory"},
    {u"sDiff", CommandKind::Result, u""},
    {u"sDiffF", CommandKind::Result, u""},
}};

// Whether a line starts with a command word (the table's, or SolvePolyn, AElemOrderSet and
// aAbout), in any case: what tells a command from a bare formula.
bool StartsWithCommand(std::u16string_view line);

// "Commands:" and every command word, one per line, as the commands window lists them.
std::u16string CommandListText();

inline constexpr std::size_t kExprIndex = 6;
inline constexpr std::size_t kLastCommandIndex = kCommands.size() - 1;
static_assert(kCommands[kExprIndex].name == u"Expr");

}  // namespace script
