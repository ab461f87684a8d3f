// SPDX-License-Identifier: MIT
// The lines of a run as JSON, one object per line, for programs that drive scripts.
#pragma once

#include <string>

#include "script/line_record.h"
#include "script/line_text.h"

namespace ulvxnpp {

// {"line": 3, "command": "Expr", "input": "a^10", "value": 1024, "output": "..."}: the line's
// number and command, what it took, what it produced by kind (value, matrix, text, name) or
// its error with the span in the line where it was found, and the text the output shows for
// it. A copied line or a comment of the run's own is {"line": n, "comment": "..."}.
std::string JsonLine(const script::LineRecord& record, const script::TextStyle& style);

}  // namespace ulvxnpp
