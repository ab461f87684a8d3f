// SPDX-License-Identifier: MIT
#include "exports/abi.h"

#include <algorithm>

namespace exports {

std::u16string_view In(const char16_t* text) {
  return text == nullptr ? std::u16string_view() : std::u16string_view(text);
}

std::int32_t copy_out(std::u16string_view text, char16_t* buffer,
                      std::optional<std::int32_t> size) {
  if (buffer == nullptr) return 0;
  const bool prefilled = !size.has_value();
  const std::size_t room =
      prefilled ? std::u16string_view(buffer).size() : static_cast<std::size_t>(std::max(0, *size));
  const std::size_t count = std::min(text.size(), room);
  std::copy_n(text.data(), count, buffer);
  // A pre-filled buffer's own terminator sits at `room`, so the terminator always fits there.
  if (prefilled || count < room) buffer[count] = u'\0';
  return static_cast<std::int32_t>(count);
}

const char16_t* hold(std::u16string& slot, std::u16string text) {
  slot = std::move(text);
  return slot.c_str();
}

}  // namespace exports
