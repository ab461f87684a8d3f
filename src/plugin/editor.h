// SPDX-License-Identifier: MIT
// What the editor commands need from the editor's active view: positions and texts in the
// document's bytes (UTF-8), searches, insertion and call tips, and the document's path. On
// Windows it is the Scintilla view of the host; tests use a document in memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plugin {

using Position = std::intptr_t;

inline constexpr int kWholeWord = 2;  // search flag: a match must be a whole word

class Editor {
 public:
  virtual ~Editor() = default;
  virtual std::string SelectedText() = 0;
  virtual Position CurrentPos() = 0;
  virtual Position SelectionStart() = 0;
  virtual Position SelectionEnd() = 0;
  virtual Position Length() = 0;
  virtual Position LineFromPosition(Position position) = 0;
  virtual Position PositionFromLine(Position line) = 0;
  virtual Position LineEndPosition(Position line) = 0;
  // The first match of text in [start, end) with the search flags, or -1.
  virtual Position Find(Position start, Position end, int flags, std::string_view text) = 0;
  virtual std::string TextRange(Position start, Position end) = 0;
  // The text of each selection: one for a plain selection, one per line of a rectangular one,
  // one per range of a multiple selection.
  virtual std::vector<std::string> SelectionTexts() = 0;
  virtual void GotoPos(Position position) = 0;
  virtual void InsertText(Position position, std::string_view text) = 0;
  virtual void ShowCallTip(Position position, std::string_view text) = 0;
  virtual bool CallTipActive() = 0;
  virtual void CancelCallTip() = 0;
  // The document's full path; an unsaved document has its tab title ("new 1") only.
  virtual std::u16string FullPath() = 0;
};

}  // namespace plugin
