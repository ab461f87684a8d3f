// SPDX-License-Identifier: MIT
#include "engine_core/text_util.h"

namespace engine {

std::u16string ToLower(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = LowerAscii(c);
  return out;
}

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::u16string_view Trim(std::u16string_view text) {
  std::size_t first = text.find_first_not_of(u" \t");
  if (first == std::u16string_view::npos) return {};
  std::size_t last = text.find_last_not_of(u" \t");
  return text.substr(first, last - first + 1);
}

std::u16string Abbreviated(std::u16string_view text, std::size_t maxChars) {
  if (text.size() <= maxChars) return std::u16string(text);
  std::u16string cut(text.substr(0, maxChars));
  const std::string count = std::to_string(text.size());
  cut += u"... (" + std::u16string(count.begin(), count.end()) + u" characters)";
  return cut;
}

}  // namespace engine
