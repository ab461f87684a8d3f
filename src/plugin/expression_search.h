// SPDX-License-Identifier: MIT
// The expression at the caret: the text from the last command before the caret (on its line,
// else on the nearest line above that has one; a comment mark ends the search region) to it.
#pragma once

#include <string>

#include "plugin/editor.h"

namespace plugin {

// In the document's bytes; empty when no command word stands before the caret.
std::string ExpressionAtCaret(Editor& editor);

}  // namespace plugin
