// SPDX-License-Identifier: MIT
// Message boxes and the plug-in's input box, answered as a user would from a script the test
// sets: a test host calls Answer() when a window comes up (from a CBT hook).
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace testing_support {

struct ShownBox {
  std::wstring title;
  std::wstring text;
};

struct BoxAnswers {
  // Answers the window when it is a message box or the input box; false for other windows.
  bool Answer(HWND window);

  std::deque<int> answers;          // IDYES, IDNO, ... for the next boxes; No or OK when empty
  std::deque<std::wstring> inputs;  // texts typed into the next input boxes
  std::vector<ShownBox> boxes;      // every message box shown
};

}  // namespace testing_support
