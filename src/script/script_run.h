// SPDX-License-Identifier: MIT
// One script run as the batch runner makes it: the interpreter's result text under a header
// of comment lines that records when, on what and how the run went; and the start of the log.
#pragma once

#include <string>
#include <string_view>

#include "platform/services.h"
#include "script/interpreter.h"

namespace script {

struct ScriptRunRequest {
  RunRequest run;               // script text and interpreter flags
  std::u16string_view info;     // the information block that opens the header
  std::u16string_view inputFile;
  bool noHeader = false;
};

struct ScriptRunResult {
  std::u16string text;          // header (unless left out) and result text, ending in CR LF
  RunResult run;                // the counts; its output has moved into text
};

ScriptRunResult RunScriptWithHeader(Context& context, const ScriptRunRequest& request);

// Starts the plug-in's log afresh, replacing an old one: the information text, the time and
// the log's own name, then a rule.
bool StartPluginLog(platform::Services& os, std::u16string_view logFile, std::u16string_view information);

}  // namespace script
