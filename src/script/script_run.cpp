// SPDX-License-Identifier: MIT
#include "script/script_run.h"

#include "engine/engine.h"
#include "engine_core/number_text.h"
#include "morvane_version.h"
#include "platform/utf8.h"

namespace script {

ScriptRunResult RunScriptWithHeader(Context& context, const ScriptRunRequest& request) {
  ScriptRunResult result;
  result.run = RunScript(context, request.run);
  // The output can be many megabytes: it moves into the result and the header goes in front.
  result.text = std::move(result.run.output);
  if (!request.noHeader) {
    // Every line but the caller's block starts with "'", so a saved output runs as a script.
    std::u16string header = std::u16string(request.info) + u"\r\n";
    header += u"'Incorporates library Morvane.dll - rel. " + std::u16string(morvane::kVersionText) + u"\r\n";
    header += u"'" + std::u16string(84, u'-') + u"\r\n";
    header += u"'BatchRun : Time " + context.engine.core.platform.LocalTimeText() + u"\r\n";
    header += u"'Input file: " + std::u16string(request.inputFile) + u"\r\n";
    header += u"'Executed Commands: " + engine::IntegerText(result.run.executed) +
              u", Errors found: " + engine::IntegerText(result.run.errors) + u"\r\n";
    header += u"'" + std::u16string(84, u'*') + u"\r\n";
    result.text.insert(0, header);
  }
  if (!result.text.ends_with(u"\r\n")) result.text += u"\r\n";
  return result;
}

bool StartPluginLog(platform::Services& os, std::u16string_view logFile, std::u16string_view information) {
  std::u16string start = std::u16string(information) + u"\r\n";
  start += u"BatchRun : Time " + os.LocalTimeText() + u"\r\n";
  start += u"Log File : \"" + std::u16string(logFile) + u"\"\r\n";
  start += std::u16string(67, u'-') + u"\r\n";
  // Written like the lines appended later: UTF-8 without a byte-order mark.
  return os.WriteFile(logFile, platform::ToUtf8(start), false);
}

}  // namespace script
