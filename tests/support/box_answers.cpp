// SPDX-License-Identifier: MIT
#include "support/box_answers.h"

namespace testing_support {
namespace {

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = L"";
  GetWindowTextW(window, text, 4096);
  return text;
}

}  // namespace

bool BoxAnswers::Answer(HWND window) {
  wchar_t kind[64] = L"";
  GetClassNameW(window, kind, 64);
  if (std::wstring(kind) == L"#32770") {
    // A message box's text is its static control 0xFFFF.
    boxes.push_back({WindowText(window), WindowText(GetDlgItem(window, 0xFFFF))});
    int answer = GetDlgItem(window, IDYES) != nullptr ? IDNO : IDOK;
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
    PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    return true;
  }
  if (std::wstring(kind) == L"ulvXNppInputBox") {
    const std::wstring typed = inputs.empty() ? L"" : inputs.front();
    if (!inputs.empty()) inputs.pop_front();
    SetDlgItemTextW(window, 100, typed.c_str());
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return true;
  }
  return false;
}

}  // namespace testing_support
