// SPDX-License-Identifier: MIT
// Keys typed on the run's keyboard, into the window that has the focus.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace testing_support {

// Holds the keys down in order and releases them in reverse: {VK_CONTROL, '3'} is Ctrl+3.
void TypeKeys(std::initializer_list<WORD> keys);

}  // namespace testing_support
