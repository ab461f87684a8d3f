// SPDX-License-Identifier: MIT
#include "engine_core/error_log.h"

#include <algorithm>

#include "engine_core/core.h"
#include "engine_core/error_table.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace engine {
namespace {

// Reports quote the expression; a multi-megabyte formula must not make every report, and the
// log that keeps them all, that large. Longer fields are cut, and the log keeps its newest end.
constexpr std::size_t kMaxFieldChars = 2000;
constexpr std::size_t kMaxLogChars = std::size_t{1} << 20;

void KeepNewestEnd(std::u16string& text) {
  if (text.size() <= kMaxLogChars) return;
  text.erase(0, text.size() - kMaxLogChars / 2);
}

}  // namespace

std::u16string PositionLine(std::size_t position) {
  std::u16string digits = IntegerText(position);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), u'0');
  return u"pos(" + digits + u")    = " + Abbreviated(std::u16string(position, u'-'), kMaxFieldChars) + u"|";
}

std::u16string_view ReportEvalError(Core& core, const ReportSite& site, std::u16string_view message) {
  EvalState& s = core.state;
  TokenCursor& cursor = core.cursor;
  if (cursor.reportedAt == kNowhere) cursor.reportedAt = cursor.tokenAt;
  std::u16string head = u"Procedure : '" + std::u16string(site.procedure) + u" (Line: " +
                        IntegerText(site.line) + u")'\r\n" + u"Error nr. : " +
                        IntegerText(s.e_error) + u", Description: " +
                        std::u16string(EvalErrorText(s.e_error));
  std::u16string details = u"Extended Error Info:\r\n  expression  : " + Abbreviated(cursor.expression, kMaxFieldChars) +
                           u"\r\n  " + PositionLine(cursor.position()) + u"\r\n  element     : " +
                           Abbreviated(ElementText(cursor), kMaxFieldChars) + u"\r\n  type/token  : " + TokText(cursor) +
                           u"\r\n  remaining   : " + Abbreviated(cursor.remaining, kMaxFieldChars) + u"\r\n";
  ErrorLog& log = core.log;
  log.extended = std::u16string(message) + u"\r\n" + details;
  log.messages += u"\r\n" + head + u"\r\n" + log.extended + u"\r\n";
  KeepNewestEnd(log.messages);
  return log.messages;
}

void ClearErrorLog(ErrorLog& log) {
  log.messages.clear();
  log.extended.clear();
}

std::u16string GetE_ErrDescr(const Core& core, std::int32_t code, bool extended) {
  if (code == -99) code = core.state.e_error;
  std::u16string text(EvalErrorText(code));
  if (extended) text += u" | " + core.log.messages;
  return text;
}

std::u16string DebugAdd(Core& core, std::u16string_view text, std::u16string_view title,
                        bool returnLog) {
  ErrorLog& log = core.log;
  if (log.debugFlags == 0) return {};
  if (log.debugFlags & kDebugSuppressed) {
    // output suppressed
  } else if ((log.debugFlags & kDebugMessageBox) && returnLog) {
    core.platform.ShowMessage(text, title, platform::Buttons::Ok);
  } else if (log.debugFlags & kDebugToLog) {
    log.debugLog += u"\r\n" + std::u16string(text);
    KeepNewestEnd(log.debugLog);
  }
  return returnLog ? log.debugLog : std::u16string();
}

void OfferLog(Core& core, std::u16string_view heading, std::u16string_view log) {
  std::u16string text = std::u16string(heading) + std::u16string(log);
  if (log.empty()) text += u"\r\nNone";
  if (core.platform.ShowMessage(text, u"Morvane.dll", platform::Buttons::YesNo) ==
      platform::Answer::Yes)
    core.platform.SetClipboardText(text);
}

void ShowMsgs(Core& core, std::int32_t flag) {
  core.options.messageFlag = flag;
  if (flag == 2) core.log.debugFlags = kDebugSuppressed;
}

}  // namespace engine
