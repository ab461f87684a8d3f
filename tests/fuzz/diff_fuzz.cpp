// SPDX-License-Identifier: MIT
// Fuzz target: any text through e_diff. The differentiator must end with a code, write no more
// than the caller's room, and differentiate the next formula correctly.
#include <cstddef>
#include <cstdint>
#include <string>

#include "morvane.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string formula(data, data + size);
  std::u16string buffer(8, u' ');
  buffer.push_back(u'\0');
  buffer.append(u"guard");
  e_diff(formula.c_str(), u"x", buffer.data(), 8);
  if (buffer.substr(9) != u"guard") __builtin_trap();  // written past the room it was given
  std::u16string check(16, u' ');
  if (e_diff(u"x^2", u"x", check.data(), 16) != 3 || check.substr(0, 3) != u"2*x") __builtin_trap();
  return 0;
}
