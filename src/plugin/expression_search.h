// SPDX-License-Identifier: MIT
// The expression at the caret: the text from the nearest command word before the caret (on
// its line or the lines above, up to a comment mark) to the caret.
#pragma once

#include <string>

#include "plugin/editor.h"

namespace plugin {

// In the document's bytes; empty when no command word stands before the caret.
std::string ExpressionAtCaret(Editor& editor);

}  // namespace plugin
