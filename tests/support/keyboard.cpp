// SPDX-License-Identifier: MIT
#include "support/keyboard.h"

#include <iterator>
#include <vector>

namespace testing_support {

void TypeKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> typed;
  for (WORD key : keys) typed.push_back({INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
    typed.push_back({INPUT_KEYBOARD, {.ki = {*key, 0, KEYEVENTF_KEYUP, 0, 0}}});
  SendInput(static_cast<UINT>(typed.size()), typed.data(), sizeof(INPUT));
}

}  // namespace testing_support
