// SPDX-License-Identifier: MIT
#include "plugin/win32/scintilla_notes.h"

#include <algorithm>

#include "platform/utf8.h"

namespace plugin {
namespace {

// Our two styles, counted from the first one allocated.
constexpr int kResultStyle = 0;
constexpr int kFailureStyle = 1;

bool IsDark(COLORREF colour) {
  return GetRValue(colour) * 299 + GetGValue(colour) * 587 + GetBValue(colour) * 114 < 128'000;
}

}  // namespace

NoteMarks AllocateNoteMarks(HWND host, HWND mainView, HWND secondView) {
  NoteMarks marks;
  int first = 0;
  if (SendMessageW(host, npp::kAllocateIndicator, 1, reinterpret_cast<LPARAM>(&first)) != 0 && first > 0)
    marks.indicator = first;
  const HWND views[2] = {mainView, secondView};
  for (int view = 0; view < 2; ++view)
    if (views[view] != nullptr)
      marks.styles[view] = static_cast<int>(SendMessageW(views[view], npp::kSciAllocateExtendedStyles, 2, 0));
  return marks;
}

// Themes and languages restyle a view, ours included: the styles are set again each time.
ScintillaNotes::ScintillaNotes(HWND host, HWND window, int view, const NoteMarks& marks)
    : view_(host, window), window_(window), indicator_(marks.indicator) {
  Send(npp::kSciEolAnnotationSetVisible, npp::kAnnotationStandard);
  endOfLine_ = Send(npp::kSciEolAnnotationGetVisible) == npp::kAnnotationStandard;
  if (!endOfLine_) Send(npp::kSciAnnotationSetVisible, npp::kAnnotationStandard);
  const auto back = static_cast<COLORREF>(Send(npp::kSciStyleGetBack, npp::kStyleDefault));
  const bool dark = IsDark(back);
  const COLORREF fore[2] = {dark ? RGB(0x8C, 0xB4, 0xDC) : RGB(0x2E, 0x5C, 0x8A),
                            dark ? RGB(0xF2, 0x8B, 0x82) : RGB(0xB0, 0x24, 0x18)};
  const int base = marks.styles[view];
  if (base > 0) {
    Send(endOfLine_ ? npp::kSciEolAnnotationSetStyleOffset : npp::kSciAnnotationSetStyleOffset,
         static_cast<WPARAM>(base));
    for (int k : {kResultStyle, kFailureStyle}) {
      Send(npp::kSciStyleSetBack, static_cast<WPARAM>(base + k), back);
      Send(npp::kSciStyleSetFore, static_cast<WPARAM>(base + k), fore[k]);
      Send(npp::kSciStyleSetItalic, static_cast<WPARAM>(base + k), TRUE);
    }
  }
  if (indicator_ >= 0) {
    Send(npp::kSciIndicSetStyle, static_cast<WPARAM>(indicator_), npp::kIndicSquiggle);
    Send(npp::kSciIndicSetFore, static_cast<WPARAM>(indicator_), fore[kFailureStyle]);
  }
}

std::string ScintillaNotes::Note(Position line) {
  const UINT get = endOfLine_ ? npp::kSciEolAnnotationGetText : npp::kSciAnnotationGetText;
  const Position length = Send(get, static_cast<WPARAM>(line));
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  Send(get, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return view_.FromDocument(text);
}

void ScintillaNotes::SetNote(Position line, std::string_view text, NoteKind kind, NoteSpan span) {
  const std::string bytes = view_.ToDocument(text);
  Send(endOfLine_ ? npp::kSciEolAnnotationSetText : npp::kSciAnnotationSetText, static_cast<WPARAM>(line),
       text.empty() ? 0 : reinterpret_cast<LPARAM>(bytes.c_str()));
  if (!text.empty())
    Send(endOfLine_ ? npp::kSciEolAnnotationSetStyle : npp::kSciAnnotationSetStyle, static_cast<WPARAM>(line),
         kind == NoteKind::Failure ? kFailureStyle : kResultStyle);
  Mark(line, kind == NoteKind::Failure, span);
}

Position ScintillaNotes::PositionInLine(Position line, std::size_t characters) {
  const Position start = view_.PositionFromLine(line);
  const std::u16string text = platform::FromUtf8(view_.FromDocument(view_.TextRange(start, view_.LineEndPosition(line))));
  const std::u16string_view before = std::u16string_view(text).substr(0, std::min(characters, text.size()));
  return start + static_cast<Position>(view_.ToDocument(platform::ToUtf8(before)).size());
}

void ScintillaNotes::Mark(Position line, bool failed, NoteSpan span) {
  if (indicator_ < 0) return;
  Send(npp::kSciSetIndicatorCurrent, static_cast<WPARAM>(indicator_));
  const Position lineStart = view_.PositionFromLine(line);
  const Position lineEnd = view_.LineEndPosition(line);
  if (lineEnd > lineStart) Send(npp::kSciIndicatorClearRange, static_cast<WPARAM>(lineStart), lineEnd - lineStart);
  if (!failed) return;
  Position start = Send(npp::kSciGetLineIndentPosition, static_cast<WPARAM>(line));
  Position end = lineEnd;
  if (span.end > span.begin) {
    start = PositionInLine(line, span.begin);
    end = std::min(PositionInLine(line, span.end), lineEnd);
  }
  if (end > start) Send(npp::kSciIndicatorFillRange, static_cast<WPARAM>(start), end - start);
}

// Only notes in our styles go: another plug-in's annotations stay.
void ScintillaNotes::ClearNotes() {
  const UINT getText = endOfLine_ ? npp::kSciEolAnnotationGetText : npp::kSciAnnotationGetText;
  const UINT getStyle = endOfLine_ ? npp::kSciEolAnnotationGetStyle : npp::kSciAnnotationGetStyle;
  const UINT setText = endOfLine_ ? npp::kSciEolAnnotationSetText : npp::kSciAnnotationSetText;
  for (Position line = 0, lines = Send(npp::kSciGetLineCount); line < lines; ++line) {
    if (Send(getText, static_cast<WPARAM>(line)) <= 0) continue;
    const Position style = Send(getStyle, static_cast<WPARAM>(line));
    if (style == kResultStyle || style == kFailureStyle) Send(setText, static_cast<WPARAM>(line), 0);
  }
  if (indicator_ < 0) return;
  Send(npp::kSciSetIndicatorCurrent, static_cast<WPARAM>(indicator_));
  Send(npp::kSciIndicatorClearRange, 0, view_.Length());
}

std::string ScintillaNotes::FailureAt(Position position) {
  if (indicator_ < 0 || position < 0) return {};
  const Position line = view_.LineFromPosition(position);
  const UINT getStyle = endOfLine_ ? npp::kSciEolAnnotationGetStyle : npp::kSciAnnotationGetStyle;
  if (Send(getStyle, static_cast<WPARAM>(line)) != kFailureStyle) return {};
  std::string tip = Note(line);
  if (tip.empty()) return {};
  // The mark lies under the place of the failure: the tip quotes it and says its column.
  const Position lineStart = view_.PositionFromLine(line);
  const Position lineEnd = view_.LineEndPosition(line);
  Position start = lineStart;
  while (start < lineEnd && Send(npp::kSciIndicatorValueAt, static_cast<WPARAM>(indicator_), start) == 0) ++start;
  Position end = start;
  while (end < lineEnd && Send(npp::kSciIndicatorValueAt, static_cast<WPARAM>(indicator_), end) != 0) ++end;
  if (end > start && end - start < lineEnd - Send(npp::kSciGetLineIndentPosition, static_cast<WPARAM>(line))) {
    const std::string before = view_.FromDocument(view_.TextRange(lineStart, start));
    const std::size_t column = platform::FromUtf8(before).size() + 1;
    tip += "\nat column " + std::to_string(column) + ": '" + view_.FromDocument(view_.TextRange(start, end)) + "'";
  }
  return tip;
}

}  // namespace plugin
