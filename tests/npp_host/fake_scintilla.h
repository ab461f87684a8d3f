// SPDX-License-Identifier: MIT
// A stand-in for the editor's Scintilla views: a window class "Scintilla" that answers the
// messages the plug-in sends over a UTF-8 document in memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace npp_host {

struct FakeDocument {
  std::string text;
  std::intptr_t anchor = 0, caret = 0;
  std::intptr_t targetStart = 0, targetEnd = 0;
  int searchFlags = 0;
  int dwellTime = 10000000;
  bool tipActive = false;
  std::string tipText;
  std::intptr_t tipPosition = -1;
  std::vector<std::string> inserted;

  void Select(std::intptr_t from, std::intptr_t to) { anchor = from, caret = to; }
  void SetText(std::string value) {
    text = std::move(value);
    anchor = caret = static_cast<std::intptr_t>(text.size());
  }
};

void RegisterFakeScintilla();
HWND CreateFakeScintilla(HWND parent);
FakeDocument& DocumentOf(HWND view);

}  // namespace npp_host
