// SPDX-License-Identifier: MIT
// Exports of error codes and descriptions, the message and debug logs, and number text.
#include <utility>

#include "engine_core/error_log.h"
#include "engine_core/error_table.h"
#include "engine_core/number_text.h"
#include "exports/abi.h"
#include "morvane.h"

using exports::guarded;
using exports::In;
using exports::session;

namespace {

engine::Core& Core() { return session().engine.core; }

// The two log getters share their contract: size in bytes back, text copied when size != 0.
int32_t CopyLog(const std::u16string& log, std::u16string_view heading, char16_t* buffer,
                int32_t size, uint8_t show) {
  if (size != 0) {
    exports::copy_out(log, buffer, size);
    if (show != 0) engine::OfferLog(Core(), heading, log);
  }
  return static_cast<int32_t>(log.size() * sizeof(char16_t));
}

}  // namespace

int32_t MORVANE_CALL GetE_Error() {
  return guarded(0, [] { return Core().state.e_error; });
}

int32_t MORVANE_CALL SetE_Error(int32_t code) {
  return guarded(0, [&] { return Core().state.e_error = code; });
}

const char16_t* MORVANE_CALL GetE_ErrDescr(int32_t code, uint8_t extended) {
  return guarded<const char16_t*>(u"", [&] {
    return exports::hold(session().texts.errDescr, engine::GetE_ErrDescr(Core(), code, extended != 0));
  });
}

const char16_t* MORVANE_CALL GetStErrDescr(int32_t code) {
  return guarded<const char16_t*>(u"", [&] {
    return exports::hold(session().texts.stErrDescr, std::u16string(engine::StatusText(code)));
  });
}

int32_t MORVANE_CALL GetErrorMsgs(char16_t* buffer, int32_t size, uint8_t show) {
  return guarded(0, [&] {
    return CopyLog(Core().log.messages, u"ERROR MESSAGES:\r\n(Yes => copy to Clipboard)\r\n",
                   buffer, size, show);
  });
}

int32_t MORVANE_CALL GetDebugLog(char16_t* buffer, int32_t size, uint8_t show) {
  return guarded(0, [&] {
    return CopyLog(Core().log.debugLog, u"DEBUG LOG:\r\n(Yes => copy to Clipboard)\r\n", buffer,
                   size, show);
  });
}

int32_t MORVANE_CALL SetErrorMsgs(const char16_t* procedure, int32_t number, const char16_t* message) {
  return guarded(0, [&] {
    return static_cast<int32_t>(engine::ReportEvalError(Core(), {In(procedure), number}, In(message)).size());
  });
}

int32_t MORVANE_CALL SetErrorMsgsF(int32_t flag) {
  return guarded(0, [&] { return std::exchange(Core().log.errorMsgsF, flag); });
}

int32_t MORVANE_CALL ShowMsgs(int32_t flag) {
  return guarded(0, [&] {
    engine::ShowMsgs(Core(), flag);
    return 0;
  });
}

int32_t MORVANE_CALL SetDebugF(int32_t flags) {
  return guarded(0, [&] { return std::exchange(Core().log.debugFlags, flags); });
}

const char16_t* MORVANE_CALL StrD0(const char16_t* text) {
  return guarded<const char16_t*>(u"0", [&] {
    return exports::hold(session().texts.strD0, engine::StrD0(In(text)));
  });
}
