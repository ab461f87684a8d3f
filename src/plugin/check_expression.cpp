// SPDX-License-Identifier: MIT
#include "plugin/check_expression.h"

#include "engine_core/text_util.h"
#include "script/command_table.h"

namespace plugin {
namespace {

constexpr std::u16string_view kTitle = u"Vuza Reduzodod";

std::u16string_view Question(script::CommandKind kind) {
  switch (kind) {
    case script::CommandKind::Store: return u"Press: Yes to Load Expression in Memory\r\n";
    case script::CommandKind::Act: return u"Press: Yes to Execute Command\r\n";
    case script::CommandKind::Other:
    case script::CommandKind::Result: break;
  }
  return u"Press: Yes to Evaluate Expression\r\n";
}

// The text's lines, each ended by CR LF, when two or more of them start with a command: they
// run line by line, as a script would. Nothing otherwise.
std::optional<std::u16string> AsScriptLines(std::u16string_view text) {
  std::u16string lines;
  int commands = 0;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of(u"\r\n");
    const std::u16string_view line = text.substr(0, end);
    if (script::StartsWithCommand(line)) ++commands;
    lines += std::u16string(line) + u"\r\n";
    if (end == std::u16string_view::npos) break;
    text.remove_prefix(end + (text.substr(end, 2) == u"\r\n" ? 2 : 1));
  }
  if (commands < 2) return std::nullopt;
  return lines;
}

}  // namespace

std::optional<std::u16string> CheckExpressionS(platform::Services& os, std::u16string_view text,
                                               std::u16string_view caption, Asking asking) {
  // Lines of commands run one by one; any other text loses its line ends, so that a formula
  // wrapped over several lines runs as one.
  std::u16string cleaned = AsScriptLines(text).value_or(u"");
  if (cleaned.empty())
    for (char16_t c : text)
      if (c != u'\r' && c != u'\n') cleaned += c;
  // A comment holds nothing to run either.
  if (engine::Trim(cleaned).empty() || engine::Trim(cleaned).starts_with(u'\'')) {
    if (asking != Asking::Silent) os.ShowMessage(u"No Expression found!", kTitle, platform::Buttons::Ok);
    return std::nullopt;
  }
  const script::Command* command = script::LeadingCommand(cleaned);
  const bool isCommand = command != nullptr;
  const script::CommandKind kind = isCommand ? command->kind : script::CommandKind::Result;
  if (asking == Asking::Confirm) {
    const std::u16string box = std::u16string(caption) + u"\r\n\r\n" + cleaned + u"\r\n\r\n" +
                               std::u16string(Question(kind)) + u"           No to abort operation";
    if (os.ShowMessage(box, kTitle, platform::Buttons::YesNo) != platform::Answer::Yes) return std::nullopt;
  }
  if (!isCommand) cleaned = u"Expr = " + cleaned;
  return cleaned;
}

}  // namespace plugin
