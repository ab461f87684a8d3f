// SPDX-License-Identifier: MIT
// What every export shares: the catch-all around its body and the conversion of text and
// caller buffers.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "exports/session.h"

namespace exports {

// Runs body holding the process-wide session's turn, so that callers on several threads take
// turns instead of racing on its state. Anything thrown becomes the "undefined error" code 0 and
// the fallback value, so nothing ever unwinds into a caller. Every export that reaches the
// session goes through here; the few that never do (the integer functions, the stubs) do not.
template <typename Result, typename Body>
Result guarded(Result fallback, Body&& body) noexcept {
  try {
    Session& s = session();
    const std::lock_guard turn(s.turn);
    try {
      return body();
    } catch (...) {
      s.engine.core.state.e_error = 0;
    }
  } catch (...) {  // the session could not be made, or the lock not taken
  }
  return fallback;
}

// A caller's zero-terminated text; null reads as empty.
std::u16string_view In(const char16_t* text);

// Copies text into a caller buffer: at most `size` characters when a size is given, else at
// most the length of the text the buffer already holds. A terminator follows when it fits
// within that room (always, for pre-filled buffers). Returns the number of characters copied.
std::int32_t copy_out(std::u16string_view text, char16_t* buffer,
                      std::optional<std::int32_t> size = std::nullopt);

// Keeps text in slot and returns its pointer (valid until the slot is written again).
const char16_t* hold(std::u16string& slot, std::u16string text);

}  // namespace exports
