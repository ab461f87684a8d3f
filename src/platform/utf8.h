// SPDX-License-Identifier: MIT
// Conversion between the internal UTF-16 text and UTF-8 at the program's edges.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Invalid sequences become U+FFFD.
std::u16string FromUtf8(std::string_view text);
// Nothing when text is not UTF-8, with invalidAt the byte where the first bad sequence starts.
std::optional<std::u16string> FromUtf8Strict(std::string_view text, std::size_t& invalidAt);

}  // namespace platform
