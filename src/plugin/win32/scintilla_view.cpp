// SPDX-License-Identifier: MIT
#include "plugin/win32/scintilla_view.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace plugin {
namespace {

// Text between two 8-bit code pages, through UTF-16.
std::string Recode(std::string_view text, UINT from, UINT to) {
  if (text.empty() || from == to) return std::string(text);
  const int size = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(from, 0, text.data(), size, nullptr, 0);
  std::wstring middle(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(from, 0, text.data(), size, middle.data(), wide);
  const int bytes = WideCharToMultiByte(to, 0, middle.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(to, 0, middle.data(), wide, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace

// Documents are UTF-8 in the view, except "ANSI" ones in the system's code page.
UINT ScintillaView::CodePage() const { return Send(npp::kSciGetCodePage) == CP_UTF8 ? CP_UTF8 : CP_ACP; }
std::string ScintillaView::FromDocument(std::string_view bytes) const { return Recode(bytes, CodePage(), CP_UTF8); }
std::string ScintillaView::ToDocument(std::string_view utf8) const { return Recode(utf8, CP_UTF8, CodePage()); }

std::string ScintillaView::SelectedText() {
  // Older views count the terminating zero in the length and newer ones do not; room for both,
  // and the text ends at its zero either way.
  const Position length = Send(npp::kSciGetSelText);
  if (length <= 0) return {};
  std::vector<char> text(static_cast<std::size_t>(length) + 2, '\0');
  Send(npp::kSciGetSelText, 0, reinterpret_cast<LPARAM>(text.data()));
  return FromDocument(text.data());
}

Position ScintillaView::Find(Position start, Position end, int flags, std::string_view text) {
  Send(npp::kSciSetTargetStart, start);
  Send(npp::kSciSetTargetEnd, end);
  Send(npp::kSciSetSearchFlags, static_cast<Position>(flags));
  const std::string searched = ToDocument(text);
  return static_cast<Position>(SendMessageA(view_, npp::kSciSearchInTarget, static_cast<WPARAM>(searched.size()),
                                            reinterpret_cast<LPARAM>(searched.data())));
}

std::string ScintillaView::TextRange(Position start, Position end) {
  // Scintilla copies nothing of a range that reaches past the document's end.
  start = std::max<Position>(start, 0);
  end = std::min(end, Length());
  if (end <= start) return {};
  std::vector<char> text(static_cast<std::size_t>(end - start) + 1, '\0');
  npp::TextRange range{start, end, text.data()};
  Send(npp::kSciGetTextRange, 0, reinterpret_cast<LPARAM>(&range));
  return FromDocument(text.data());
}

void ScintillaView::InsertText(Position position, std::string_view text) {
  const std::string zeroEnded = ToDocument(text);
  Send(npp::kSciInsertText, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(zeroEnded.c_str()));
}

void ScintillaView::ShowCallTip(Position position, std::string_view text) {
  std::string tip = ToDocument(text);
  std::erase(tip, '\r');  // call tips break lines at LF only
  Send(npp::kSciCallTipShow, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(tip.c_str()));
}

std::vector<std::string> ScintillaView::SelectionTexts() {
  std::vector<std::string> texts;
  const Position count = Send(npp::kSciGetSelections);
  for (Position k = 0; k < count; ++k)
    texts.push_back(TextRange(Send(npp::kSciGetSelectionNStart, k), Send(npp::kSciGetSelectionNEnd, k)));
  return texts;
}

std::u16string ScintillaView::FullPath() {
  std::vector<wchar_t> path(32768, L'\0');
  SendMessageW(host_, npp::kGetFullCurrentPath, path.size(), reinterpret_cast<LPARAM>(path.data()));
  return std::u16string(reinterpret_cast<const char16_t*>(path.data()));
}

Editor& NppHost::ActiveView() {
  int which = 0;
  SendMessageW(data_.nppHandle, npp::kGetCurrentScintilla, 0, reinterpret_cast<LPARAM>(&which));
  view_ = std::make_unique<ScintillaView>(data_.nppHandle, which == 0 ? data_.scintillaMainHandle : data_.scintillaSecondHandle);
  return *view_;
}

bool NppHost::OpenDocument(std::u16string_view path) {
  const std::u16string file(path);
  return SendMessageW(data_.nppHandle, npp::kDoOpen, 0, reinterpret_cast<LPARAM>(file.c_str())) != 0;
}

void NppHost::ShowInStatusBar(std::u16string_view text) {
  const std::u16string zeroEnded(text);
  SendMessageW(data_.nppHandle, npp::kSetStatusBar, npp::kStatusBarDocType, reinterpret_cast<LPARAM>(zeroEnded.c_str()));
}

}  // namespace plugin
