// SPDX-License-Identifier: MIT
#include "script/command_table.h"

#include "engine/text_util.h"

namespace script {

bool StartsWithCommand(std::u16string_view line) {
  line = engine::Trim(line);
  std::size_t end = 0;
  while (end < line.size() && engine::IsNameChar(line[end])) ++end;
  const std::u16string_view word = line.substr(0, end);
  if (word.empty()) return false;
  const std::u16string_view rest = engine::Trim(line.substr(end));
  if (!rest.starts_with(u'=') && !rest.starts_with(u'(')) return false;
  for (const Command& command : kCommands)
    if (engine::EqualsIgnoreCase(word, command.name)) return true;
  for (std::u16string_view extra : {u"SolvePolyn", u"AElemOrderSet", u"aAbout"})
    if (engine::EqualsIgnoreCase(word, extra)) return true;
  return false;
}

std::u16string CommandListText() {
  std::u16string text = u"Commands:\r\n";
  for (const Command& command : kCommands) text += std::u16string(command.name) + u"\r\n";
  return text + u"SolvePolyn\r\nAElemOrderSet\r\naAbout";
}

}  // namespace script
