// SPDX-License-Identifier: MIT
// Live results: the note each line of a document shows beside it, its result or its error,
// from an evaluator of the document's own, so that nothing the user keeps for the menu commands
// changes. After an edit, the lines from the first changed one downwards are evaluated again;
// what the lines above have defined is rebuilt by running their definitions only.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine_core/cancel_flag.h"
#include "engine_core/formula_settings.h"
#include "script/interpreter.h"

namespace plugin {

enum class NoteKind : std::uint8_t {
  None,     // nothing to show: a blank line, a comment, a definition, prose
  Result,
  Failure,  // the line's error, shown with a mark under the line
  NotRun,   // a line that is not evaluated live, and why
};

// Where in a line a failure was found, in characters of the line; empty for the whole line.
struct NoteSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool operator==(const NoteSpan&) const = default;
};

struct LineNote {
  LineNote() = default;
  LineNote(NoteKind noteKind, std::u16string noteText, NoteSpan noteSpan = {})
      : kind(noteKind), text(std::move(noteText)), span(noteSpan) {}

  NoteKind kind = NoteKind::None;
  std::u16string text;
  NoteSpan span;
  bool operator==(const LineNote&) const = default;
};

struct LiveOptions {
  // A script shows every line's error; other documents are prose with formulas among it, and a
  // line that is no command shows only a result, never an error.
  bool script = true;
  std::int32_t decimals = 4;
  engine::Numbers numbers = engine::Numbers::Classic;
  std::size_t maxChars = 1'000'000;  // a larger document is not evaluated
  std::size_t maxLines = 20'000;
  std::chrono::milliseconds slowLine{1000};  // a line that took longer is not evaluated again
  std::size_t maxNoteChars = 160;
  bool operator==(const LiveOptions&) const = default;
};

class LiveResults {
 public:
  // cancel: the flag that stops the line being evaluated, for another thread to raise; the
  // line's note is then not known (Done stays before it) and the next Step evaluates it afresh.
  explicit LiveResults(LiveOptions options = {}, std::shared_ptr<engine::CancelFlag> cancel = nullptr);
  ~LiveResults();
  LiveResults(const LiveResults&) = delete;
  LiveResults& operator=(const LiveResults&) = delete;

  // Takes the document's lines, line ends removed, and returns the first line whose note is no
  // longer known: the first that differs from the lines taken before, or that was not reached.
  std::size_t Take(std::vector<std::u16string> lines);
  // Evaluates the next line (a block of DimX lines together); false when every line has its
  // note, or the line was cancelled.
  bool Step();
  // The lines whose notes are up to date, from the top.
  std::size_t Done() const { return done_; }
  const std::vector<LineNote>& Notes() const { return notes_; }
  const LiveOptions& Options() const { return options_; }

 private:
  struct Evaluator;
  // Runs a script whose first line is the document's line `firstLine`.
  script::RunResult Run(std::u16string_view script, std::size_t firstLine, bool keepRecords);
  LineNote NoteOf(const std::vector<script::LineRecord>& records, std::size_t indent, std::size_t added) const;
  // Lines [first, last) as one script.
  std::u16string Script(std::size_t first, std::size_t last) const;
  // Where the block that starts at line `first` ends: after its last DimX line, or after it.
  std::size_t BlockEnd(std::size_t first) const;
  // A fresh evaluator that has run the definitions of every line above `line`.
  void Rebuild(std::size_t line);
  LineNote Evaluate(std::size_t first, std::size_t last);

  LiveOptions options_;
  std::shared_ptr<engine::CancelFlag> cancel_;
  std::unique_ptr<Evaluator> evaluator_;
  std::vector<std::u16string> lines_;
  std::vector<LineNote> notes_;
  std::size_t done_ = 0;
  bool rebuilt_ = false;  // the evaluator stands at line done_
  std::unordered_set<std::u16string> slow_;  // lines that took too long once
};

}  // namespace plugin
