// SPDX-License-Identifier: MIT
// An editor view over a UTF-8 document in memory, searching by the rules of the real view that
// the commands rely on (whole words, case), and a host that hands it out and records what it opens.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "plugin/editor_commands.h"
#include "plugin/live_updates.h"

namespace testing_support {

class FakeEditor final : public plugin::Editor, public plugin::LiveView {
 public:
  using Position = plugin::Position;
  static constexpr int kMatchCase = 4;

  // The selection runs from anchor (-1: none) to the caret.
  void Load(std::string text, Position caret, Position anchor = -1) {
    document = std::move(text);
    caret_ = Clamp(caret);
    anchor_ = anchor < 0 ? caret_ : Clamp(anchor);
  }
  void LoadAtEnd(std::string text) { Load(text, static_cast<Position>(text.size())); }

  std::string SelectedText() override { return TextRange(SelectionStart(), SelectionEnd()); }
  Position CurrentPos() override { return caret_; }
  Position SelectionStart() override { return std::min(anchor_, caret_); }
  Position SelectionEnd() override { return std::max(anchor_, caret_); }
  Position Length() override { return static_cast<Position>(document.size()); }
  Position LineFromPosition(Position position) override {
    return std::count(document.begin(), document.begin() + Clamp(position), '\n');
  }
  // Past the last line -1; the line after it (the line count) starts at the document's end.
  Position PositionFromLine(Position line) override {
    if (line < 0) line = LineFromPosition(SelectionStart());
    Position start = 0;
    for (Position n = 0; n < line; ++n) {
      const std::size_t newline = document.find('\n', At(start));
      if (newline == std::string::npos) return n + 1 == line ? Length() : -1;
      start = static_cast<Position>(newline) + 1;
    }
    return start;
  }
  // Before the "\r" of a "\r\n" line; the document's end for the last line and beyond.
  Position LineEndPosition(Position line) override {
    const Position start = PositionFromLine(std::max(line, Position{0}));
    const std::size_t newline = start < 0 ? std::string::npos : document.find('\n', At(start));
    if (newline == std::string::npos) return Length();
    return static_cast<Position>(newline > 0 && document[newline - 1] == '\r' ? newline - 1 : newline);
  }
  Position Find(Position start, Position end, int flags, std::string_view text) override;
  std::string TextRange(Position start, Position end) override {
    start = Clamp(start);
    end = Clamp(end);
    return start < end ? document.substr(At(start), At(end - start)) : std::string();
  }
  // The ranges in selections, or else the one selection.
  std::vector<std::string> SelectionTexts() override {
    if (selections.empty()) return {SelectedText()};
    std::vector<std::string> texts;
    for (const auto& [start, end] : selections) texts.push_back(TextRange(start, end));
    return texts;
  }
  void GotoPos(Position position) override { anchor_ = caret_ = Clamp(position); }
  // As in the real view, a caret after the insertion point moves with its text.
  void InsertText(Position position, std::string_view text) override {
    position = position < 0 ? caret_ : Clamp(position);
    document.insert(At(position), text);
    inserted.emplace_back(text);
    const auto size = static_cast<Position>(text.size());
    if (caret_ > position) caret_ += size;
    if (anchor_ > position) anchor_ += size;
  }
  void ShowCallTip(Position position, std::string_view text) override {
    callTips.emplace_back(position, std::string(text));
    tipActive = true;
  }
  bool CallTipActive() override { return tipActive; }
  void CancelCallTip() override { tipActive = false; }
  std::u16string FullPath() override { return path; }

  std::string Note(Position line) override {
    const auto found = notes.find(line);
    return found == notes.end() ? std::string() : found->second.first;
  }
  void SetNote(Position line, std::string_view text, plugin::NoteKind kind, plugin::NoteSpan) override {
    if (text.empty()) notes.erase(line);
    else notes[line] = {std::string(text), kind};
  }
  void ClearNotes() override { notes.clear(); }

  std::string document;
  std::u16string path = u"new 1";
  std::vector<std::string> inserted;
  std::vector<std::pair<Position, Position>> selections;  // a rectangular or multiple selection
  std::vector<std::pair<Position, std::string>> callTips;
  bool tipActive = false;
  std::map<Position, std::pair<std::string, plugin::NoteKind>> notes;  // live results by line

 private:
  Position Clamp(Position position) const {
    return std::clamp(position, Position{0}, static_cast<Position>(document.size()));
  }
  static std::size_t At(Position position) { return static_cast<std::size_t>(position); }

  Position caret_ = 0;
  Position anchor_ = 0;
};

// The real view's character classes: a whole word has a change of class at both of its ends,
// and the document's ends count as blanks.
inline FakeEditor::Position FakeEditor::Find(Position start, Position end, int flags, std::string_view text) {
  enum Class { Blank, Newline, Word, Punctuation };
  auto classAt = [&](Position at) {
    if (at < 0 || at >= Length()) return Blank;
    const auto c = static_cast<unsigned char>(document[At(at)]);
    if (c == '\r' || c == '\n') return Newline;
    if (c <= ' ' || c == 0x7F) return Blank;
    if (c >= 0x80 || c == '_' || (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z')) return Word;
    return Punctuation;
  };
  auto fold = [&](char c) { return (flags & kMatchCase) != 0 || c < 'A' || c > 'Z' ? c : static_cast<char>(c | 0x20); };
  const auto size = static_cast<Position>(text.size());
  for (Position at = Clamp(start); size > 0 && at + size <= Clamp(end); ++at) {
    if (!std::equal(text.begin(), text.end(), document.begin() + at,
                    [&](char a, char b) { return fold(a) == fold(b); }))
      continue;
    const bool whole = classAt(at - 1) != classAt(at) && classAt(at + size - 1) != classAt(at + size);
    if (whole || (flags & plugin::kWholeWord) == 0) return at;
  }
  return -1;
}

class FakeHost final : public plugin::EditorHost {
 public:
  plugin::Editor& ActiveView() override { return editor; }
  bool OpenDocument(std::u16string_view path) override {
    opened.emplace_back(path);
    return true;
  }
  void ShowInStatusBar(std::u16string_view text) override { statusBar = text; }

  FakeEditor editor;
  std::vector<std::u16string> opened;
  std::u16string statusBar;
};

}  // namespace testing_support
