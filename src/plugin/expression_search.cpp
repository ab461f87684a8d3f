// SPDX-License-Identifier: MIT
#include "plugin/expression_search.h"

#include "platform/utf8.h"
#include "script/command_table.h"

namespace plugin {

std::string ExpressionAtCaret(Editor& editor) {
  const Position caret = editor.CurrentPos();
  const Position caretLine = editor.LineFromPosition(caret);
  const Position end = editor.LineEndPosition(caretLine) + 1;
  // The words from aElemOrderEx to Var; the F variants and the rest are found through them.
  constexpr std::size_t kSearched = 21;
  for (Position line = caretLine; line >= 0; --line) {
    const Position start = editor.PositionFromLine(line);
    Position regionEnd = end;
    if (const Position comment = editor.Find(start, end, kWholeWord, "'"); comment >= 0) regionEnd = comment;
    for (std::size_t k = 0; k < kSearched; ++k) {
      const std::string word = platform::ToUtf8(script::kCommands[k].name);
      const Position found = editor.Find(start, regionEnd, kWholeWord, word);
      if (found >= 0 && found < caret) return editor.TextRange(found, caret);
    }
  }
  return {};
}

}  // namespace plugin
