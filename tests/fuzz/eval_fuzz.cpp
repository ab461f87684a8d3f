// SPDX-License-Identifier: MIT
// Fuzz target: any text through e_eval, optionally with a user function and a matrix from its
// text form defined first. The engine must return a code and stay usable; sanitizers catch
// everything else.
#include <cstddef>
#include <cstdint>
#include <string>

#include "morvane.h"

namespace {

// Bytes become code units one to one; 0xFF followed by two bytes is one raw code unit, so
// surrogates and other invalid UTF-16 are reachable too.
std::u16string Decode(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  text.reserve(size);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFF && i + 2 < size) {
      text.push_back(static_cast<char16_t>(data[i + 1] << 8 | data[i + 2]));
      i += 2;
    } else if (data[i] != 0) {
      text.push_back(static_cast<char16_t>(data[i]));
    }
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string input = Decode(data, size);
  // "body\x01formula" defines f=body before evaluating the formula.
  std::size_t split = input.find(u'\x01');
  if (split != std::u16string::npos) {
    SetVarFunct(u"f", input.substr(0, split).c_str(), 1);
    input.erase(0, split + 1);
  }
  // "text\x02formula" defines a matrix from its text form first.
  split = input.find(u'\x02');
  if (split != std::u16string::npos) {
    SetStrMatrix(input.substr(0, split).c_str(), 0, static_cast<uint8_t>(size & 2));
    input.erase(0, split + 1);
  }
  double value = 0;
  e_eval(input.c_str(), &value, static_cast<int32_t>(size & 1));
  if (de_eval(u"1+1", 0) != 2.0) __builtin_trap();  // the engine recovers for the next call
  ReSetEqParser();
  return 0;
}
