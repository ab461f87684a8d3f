// SPDX-License-Identifier: MIT
#include "plugin/expression_search.h"

#include <vector>

#include "platform/utf8.h"
#include "script/command_table.h"

namespace plugin {

std::string ExpressionAtCaret(Editor& editor) {
  const Position caret = editor.CurrentPos();
  const Position caretLine = editor.LineFromPosition(caret);
  const Position end = editor.LineEndPosition(caretLine) + 1;
  std::vector<std::string> words;
  for (const script::Command& command : script::Commands()) words.push_back(platform::ToUtf8(command.name));
  for (Position line = caretLine; line >= 0; --line) {
    const Position start = editor.PositionFromLine(line);
    Position regionEnd = end;
    if (const Position comment = editor.Find(start, end, kWholeWord, "'"); comment >= 0) regionEnd = comment;
    // The last command word before the caret that starts a command (a word followed by "=" or
    // "("): a variable named like a command, as in "Expr = bin*2", starts nothing.
    Position best = -1;
    for (const std::string& word : words) {
      for (Position from = start;;) {
        const Position found = editor.Find(from, regionEnd, kWholeWord, word);
        if (found < 0 || found >= caret) break;
        if (found > best && script::StartsWithCommand(platform::FromUtf8(editor.TextRange(found, regionEnd))))
          best = found;
        from = found + 1;
      }
    }
    if (best >= 0) return editor.TextRange(best, caret);
  }
  return {};
}

}  // namespace plugin
