// SPDX-License-Identifier: MIT
// Small text helpers shared by the engine: ASCII case folding, blank trimming, abbreviation. Names in
// formulas are ASCII; other characters keep their case.
#pragma once

#include <string>
#include <string_view>

namespace engine {

constexpr char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }
constexpr char16_t UpperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }
constexpr bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
constexpr bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
constexpr bool IsNameChar(char16_t c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == u'_'; }

std::u16string ToLower(std::u16string_view text);
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b);
// Removes leading and trailing blanks (spaces and tabs).
std::u16string_view Trim(std::u16string_view text);
// The text, or its first maxChars characters followed by "... (N characters)".
std::u16string Abbreviated(std::u16string_view text, std::size_t maxChars);

}  // namespace engine
