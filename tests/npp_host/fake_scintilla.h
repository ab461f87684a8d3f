// SPDX-License-Identifier: MIT
// A stand-in for the editor's Scintilla views: a window class "Scintilla" that answers the
// messages the plug-in sends over a UTF-8 document in memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
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

  // End-of-line annotations. They stay on their line numbers through edits, unlike Scintilla's,
  // which move with their lines.
  struct Note {
    std::string text;
    int style = 0;
  };
  std::map<std::intptr_t, Note> notes;
  int notesVisible = 0;
  int notesStyleOffset = 0;
  int nextExtendedStyle = 256;
  COLORREF background = RGB(0xFF, 0xFF, 0xFF);
  int indicator = 0;                               // the one filled and cleared
  std::map<int, std::vector<int>> indicatorValues;  // by indicator, a value per position

  void Select(std::intptr_t from, std::intptr_t to) { anchor = from, caret = to; }
  void SetText(std::string value) {
    text = std::move(value);
    anchor = caret = static_cast<std::intptr_t>(text.size());
  }
  // Replaces [from, to) as typing would; indicator values move with the text after it.
  void Replace(std::intptr_t from, std::intptr_t to, const std::string& value);
  std::string NoteOn(std::intptr_t line) const {
    const auto note = notes.find(line);
    return note == notes.end() ? std::string() : note->second.text;
  }
  // Whether any indicator is set at the position.
  bool Marked(std::intptr_t position) const;
};

void RegisterFakeScintilla();
HWND CreateFakeScintilla(HWND parent);
FakeDocument& DocumentOf(HWND view);

}  // namespace npp_host
