// SPDX-License-Identifier: MIT
// The confirmation before a line or a selection is evaluated: what the text is, the question
// that fits its command, and a bare formula turned into an Expr line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/services.h"

namespace plugin {

// What the check may say to the user: a menu command asks before it runs (unless the option
// says not to) and tells when there is nothing to run; a call tip says nothing at all.
enum class Asking { Confirm, TellOnly, Silent };

// The text to run, or nothing when the command is cancelled: an empty text or a comment ("No
// Expression found!"), or the answer No. Line ends are removed, unless two or more lines start
// with a command word: then the lines run one by one, as in a script. A text that does not
// start with a command word runs as "Expr = " + text.
std::optional<std::u16string> CheckExpressionS(platform::Services& os, std::u16string_view text,
                                               std::u16string_view caption, Asking asking);

}  // namespace plugin
