// SPDX-License-Identifier: MIT
// Error reports, the error message log, the extended error info and the debug output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine_core/report_sites.h"

namespace engine {

struct Core;

// Debug flag bits, tested in this order, first match wins.
inline constexpr std::int32_t kDebugSuppressed = 1;
inline constexpr std::int32_t kDebugMessageBox = 2;
inline constexpr std::int32_t kDebugToLog = 4;

struct ErrorLog {
  std::u16string messages;       // error message log: every report, appended
  std::u16string extended;       // extended error info of the last report
  std::u16string debugLog;       // lines appended by DebugAdd
  std::int32_t debugFlags = 0;   // set by SetDebugF; 0 = no debug output
  std::int32_t errorMsgsF = 0;   // stored by SetErrorMsgsF only
};

// Appends a report of the current e_error to the error message log and returns the log.
std::u16string_view ReportEvalError(Core& core, const ReportSite& site, std::u16string_view message);

// Empties the error message log and the extended error info.
void ClearErrorLog(ErrorLog& log);

// Description of code (-99: the current e_error); with extended, " | " and the whole log.
std::u16string GetE_ErrDescr(const Core& core, std::int32_t code, bool extended);

// Routes text to the debug output chosen by the debug flags; returns the debug log when
// returnLog is set, else an empty text.
std::u16string DebugAdd(Core& core, std::u16string_view text, std::u16string_view title,
                        bool returnLog);

// Shows heading + log in a Yes/No box; Yes puts the shown text on the clipboard.
void OfferLog(Core& core, std::u16string_view heading, std::u16string_view log);

// Sets the message flag; 2 also sets the debug flags to 1 (suppressed).
void ShowMsgs(Core& core, std::int32_t flag);

inline bool DebugOn(const ErrorLog& log) { return log.debugFlags != 0; }

// Trace position line: "pos(007)    = -------|".
std::u16string PositionLine(std::size_t position);

}  // namespace engine
