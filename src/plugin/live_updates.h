// SPDX-License-Identifier: MIT
// Live results kept up to date beside the editor: documents are evaluated on a thread of their
// own, so the editor never waits, and the notes finished so far are put on the view whenever
// the editor asks. A newer text of a document stops the work on the older one at its next line,
// and cancels the line in progress when that line or one above it changed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/editor.h"
#include "plugin/live_results.h"

namespace plugin {

// What live results need from the editor's view of a document. Its notes are the text shown
// at the end of a line, and a mark under the line's text for a failure.
class LiveView {
 public:
  virtual ~LiveView() = default;
  // The note the line shows now; empty for none.
  virtual std::string Note(Position line) = 0;
  // Shows the note (UTF-8) beside the line, or removes it for an empty text; a failure's mark
  // lies under the span.
  virtual void SetNote(Position line, std::string_view text, NoteKind kind, NoteSpan span) = 0;
  // Removes every note and mark live results have set on the document.
  virtual void ClearNotes() = 0;
};

// The document's lines without their line ends ("\r\n", "\n" or "\r").
std::vector<std::u16string> SplitLines(std::string_view utf8);

// Puts notes on the view's lines first, first + 1, ..., changing only those that differ.
void ShowNotes(LiveView& view, std::size_t first, const std::vector<LineNote>& notes);

using DocumentId = std::uintptr_t;

class LiveUpdates {
 public:
  LiveUpdates();
  ~LiveUpdates();  // waits for the line being evaluated, then ends the thread
  LiveUpdates(const LiveUpdates&) = delete;
  LiveUpdates& operator=(const LiveUpdates&) = delete;

  // The document's whole text, to be evaluated from its first changed line.
  void Submit(DocumentId document, std::string_view utf8, const LiveOptions& options);
  // Drops what is kept for the document; its next text is evaluated from the top.
  void Forget(DocumentId document);
  // Puts the notes of the document's latest text that are finished on the view; true while
  // more are to come.
  bool Apply(DocumentId document, LiveView& view);

 private:
  struct Shared;
  std::unique_ptr<Shared> shared_;
};

}  // namespace plugin
