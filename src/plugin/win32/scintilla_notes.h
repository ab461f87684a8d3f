// SPDX-License-Identifier: MIT
// Live results' notes on a Scintilla view: an annotation at the end of each line (or, where the
// view has none of those, under it) in two styles of our own, and a squiggle under the text of
// a line that failed.
#pragma once

#include <string>

#include "plugin/live_updates.h"
#include "plugin/win32/scintilla_view.h"

namespace plugin {

// What the views share: the indicator the host gave us (-1: none) and, per view, the first of
// the two styles allocated there.
struct NoteMarks {
  int indicator = -1;
  int styles[2] = {-1, -1};
};

class ScintillaNotes final : public LiveView {
 public:
  // Sets the view up for our notes: styles (their colours readable on the view's background),
  // visibility and the squiggle. `view` is 0 for the main view, 1 for the second.
  ScintillaNotes(HWND host, HWND window, int view, const NoteMarks& marks);
  std::string Note(Position line) override;
  void SetNote(Position line, std::string_view text, NoteKind kind, NoteSpan span) override;
  void ClearNotes() override;
  // The note of a failed line under the position and the place it names, or empty.
  std::string FailureAt(Position position);
  ScintillaView& view() { return view_; }

 private:
  Position Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return static_cast<Position>(SendMessageW(window_, message, wParam, lParam));
  }
  void Mark(Position line, bool failed, NoteSpan span);
  // The document position `characters` into the line.
  Position PositionInLine(Position line, std::size_t characters);

  ScintillaView view_;
  HWND window_;
  int indicator_;
  bool endOfLine_ = true;  // end-of-line annotations; else annotations under the line
};

// Allocates what the notes need from the host and both views, once the host is ready.
NoteMarks AllocateNoteMarks(HWND host, HWND mainView, HWND secondView);

}  // namespace plugin
