// SPDX-License-Identifier: MIT
// The command words of the script language, in one table: their kind, which the editor's
// confirmation question follows, and what runs them. The interpreter dispatches through it,
// the editor front end recognises commands and lists them by it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace script {

class Run;
struct CommandLine;

// 0 other, 1 yields a result text, 2 only stores or sets, 3 acts (plot, show).
enum class CommandKind : std::uint8_t { Other = 0, Result = 1, Store = 2, Act = 3 };

struct Command {
  std::u16string_view name;
  CommandKind kind;
  void (*run)(Run& run, CommandLine& line);  // none: the line is only counted (Pause)
  // Whether live results run it: not when its effects reach beyond the document (windows,
  // pictures, files).
  bool runsLive = true;
  // Whether it leaves something for the lines below (a value, a function, a matrix, a
  // setting): live results rebuild what the lines above an edit made by running only these.
  bool defines = false;
};

// Every command, in the order the command list shows them.
std::span<const Command> Commands();

// The command of that word, in any case; null for other words.
const Command* FindCommand(std::u16string_view word);

// The command a line starts with (its word followed by "=" or "("), in any case; null when the
// line is no command, such as a bare formula.
const Command* LeadingCommand(std::u16string_view line);
inline bool StartsWithCommand(std::u16string_view line) { return LeadingCommand(line) != nullptr; }

// "Commands:" and every command word, one per line, as the commands window lists them.
std::u16string CommandListText();

}  // namespace script
