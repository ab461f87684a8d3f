// SPDX-License-Identifier: MIT
// The confirmation before a line or a selection is evaluated: what the text is, the question
// that fits its command, and a bare formula turned into an Expr line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/services.h"

namespace plugin {

// The text to run, or nothing when the command is cancelled: an empty text or a comment ("No
// Expression found!"), or the answer No. Line ends are removed, unless two or more lines start
// with a command word: then the lines run one by one, as in a script. A text that does not
// start with a command word runs as "Expr = " + text. Without confirm the question is not asked.
std::optional<std::u16string> CheckExpressionS(platform::Services& os, std::u16string_view text,
                                               std::u16string_view caption, bool confirm);

}  // namespace plugin
