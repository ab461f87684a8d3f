// SPDX-License-Identifier: MIT
#include "fake_scintilla.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

namespace npp_host {
namespace {

using Position = std::intptr_t;

struct Range {
  std::intptr_t cpMin, cpMax;
  char* text;
};

enum class CharClass { Space, Newline, Word, Punctuation };

CharClass ClassOf(unsigned char c) {
  if (c == '\r' || c == '\n') return CharClass::Newline;
  if (c <= ' ' || c == 0x7F) return CharClass::Space;
  if (c >= 0x80 || std::isalnum(c) || c == '_') return CharClass::Word;
  return CharClass::Punctuation;
}

// Scintilla's whole-word test: the class changes at both ends of the match.
bool WholeWordAt(const std::string& text, std::size_t at, std::size_t length) {
  const CharClass before = at == 0 ? CharClass::Space : ClassOf(static_cast<unsigned char>(text[at - 1]));
  const CharClass after = at + length >= text.size() ? CharClass::Space : ClassOf(static_cast<unsigned char>(text[at + length]));
  return before != ClassOf(static_cast<unsigned char>(text[at])) &&
         after != ClassOf(static_cast<unsigned char>(text[at + length - 1]));
}

bool SameText(const std::string& text, std::size_t at, std::string_view word, bool matchCase) {
  for (std::size_t i = 0; i < word.size(); ++i) {
    const unsigned char a = static_cast<unsigned char>(text[at + i]);
    const unsigned char b = static_cast<unsigned char>(word[i]);
    if (matchCase ? a != b : std::tolower(a) != std::tolower(b)) return false;
  }
  return true;
}

Position LineStart(const FakeDocument& d, Position line) {
  if (line < 0) return 0;
  Position start = 0;
  for (Position l = 0; l < line; ++l) {
    const std::size_t lf = d.text.find('\n', static_cast<std::size_t>(start));
    if (lf == std::string::npos) return l + 1 == line ? static_cast<Position>(d.text.size()) : -1;
    start = static_cast<Position>(lf + 1);
  }
  return start;
}

Position LineOf(const FakeDocument& d, Position position) {
  position = std::clamp<Position>(position, 0, static_cast<Position>(d.text.size()));
  return static_cast<Position>(std::count(d.text.begin(), d.text.begin() + position, '\n'));
}

Position LineEnd(const FakeDocument& d, Position line) {
  const Position start = LineStart(d, line);
  if (start < 0) return static_cast<Position>(d.text.size());
  std::size_t lf = d.text.find('\n', static_cast<std::size_t>(start));
  if (lf == std::string::npos) return static_cast<Position>(d.text.size());
  if (lf > 0 && d.text[lf - 1] == '\r') --lf;
  return static_cast<Position>(lf);
}

int IndicatorAt(const FakeDocument& d, int indicator, Position position) {
  const auto values = d.indicatorValues.find(indicator);
  if (values == d.indicatorValues.end() || position < 0 || position >= static_cast<Position>(values->second.size()))
    return 0;
  return values->second[static_cast<std::size_t>(position)];
}

void FillIndicator(FakeDocument& d, Position from, Position length, int value) {
  if (from < 0 || length <= 0) return;
  std::vector<int>& values = d.indicatorValues[d.indicator];
  const auto end = static_cast<std::size_t>(from + length);
  if (values.size() < end) values.resize(end, 0);
  std::fill(values.begin() + from, values.begin() + static_cast<std::ptrdiff_t>(end), value);
}

LRESULT Answer(FakeDocument& d, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto w = static_cast<Position>(wParam);
  const Position selStart = std::min(d.anchor, d.caret), selEnd = std::max(d.anchor, d.caret);
  switch (message) {
    case 2003: {  // insert text
      const std::string inserted(reinterpret_cast<const char*>(lParam));
      const Position at = w < 0 ? d.caret : w;
      d.text.insert(static_cast<std::size_t>(at), inserted);
      const auto grow = static_cast<Position>(inserted.size());
      if (d.caret > at) d.caret += grow;
      if (d.anchor > at) d.anchor += grow;
      d.inserted.push_back(inserted);
      return 0;
    }
    case 2006: return static_cast<LRESULT>(d.text.size());
    case 2008: return d.caret;
    case 2025: d.anchor = d.caret = w; return 0;
    case 2128: {  // the line's first position after its spaces and tabs
      const Position start = LineStart(d, w), end = LineEnd(d, w);
      if (start < 0) return 0;
      const std::size_t text = d.text.find_first_not_of(" \t", static_cast<std::size_t>(start));
      return std::min(end, text == std::string::npos ? end : static_cast<Position>(text));
    }
    case 2129: return w - LineStart(d, LineOf(d, w));
    case 2136: return LineEnd(d, w);
    case 2137: return 65001;
    case 2143: return selStart;
    case 2154: return static_cast<LRESULT>(std::count(d.text.begin(), d.text.end(), '\n')) + 1;
    case 2145: return selEnd;
    case 2161: {  // the selection, its length without the terminating zero
      const std::string selected = d.text.substr(static_cast<std::size_t>(selStart), static_cast<std::size_t>(selEnd - selStart));
      if (lParam != 0) std::memcpy(reinterpret_cast<char*>(lParam), selected.c_str(), selected.size() + 1);
      return static_cast<LRESULT>(selected.size());
    }
    case 2162: {
      auto* range = reinterpret_cast<Range*>(lParam);
      const Position end = range->cpMax < 0 ? static_cast<Position>(d.text.size()) : range->cpMax;
      // As Scintilla does: a range past the end copies nothing, yet answers its length.
      if (range->cpMin < 0 || end > static_cast<Position>(d.text.size())) return end - range->cpMin;
      const std::string part = d.text.substr(static_cast<std::size_t>(range->cpMin), static_cast<std::size_t>(end - range->cpMin));
      std::memcpy(range->text, part.c_str(), part.size() + 1);
      return static_cast<LRESULT>(part.size());
    }
    case 2166: return LineOf(d, w);
    case 2167: return LineStart(d, w);
    case 2190: d.targetStart = w; return 0;
    case 2191: return d.targetStart;
    case 2192: d.targetEnd = w; return 0;
    case 2193: return d.targetEnd;
    case 2197: {
      const std::string_view word(reinterpret_cast<const char*>(lParam), wParam);
      const Position last = std::min<Position>(d.targetEnd, static_cast<Position>(d.text.size())) - static_cast<Position>(word.size());
      for (Position at = std::max<Position>(d.targetStart, 0); !word.empty() && at <= last; ++at) {
        const auto i = static_cast<std::size_t>(at);
        if (!SameText(d.text, i, word, (d.searchFlags & 4) != 0)) continue;
        if ((d.searchFlags & 2) != 0 && !WholeWordAt(d.text, i, word.size())) continue;
        d.targetStart = at;
        d.targetEnd = at + static_cast<Position>(word.size());
        return at;
      }
      return -1;
    }
    case 2198: d.searchFlags = static_cast<int>(wParam); return 0;
    case 2200:
      d.tipActive = true;
      d.tipText = reinterpret_cast<const char*>(lParam);
      d.tipPosition = w;
      return 0;
    case 2201: d.tipActive = false; return 0;
    case 2202: return d.tipActive ? 1 : 0;
    case 2264: d.dwellTime = static_cast<int>(wParam); return 0;
    // One selection: the plain one.
    case 2570: return 1;
    case 2585: return selStart;
    case 2587: return selEnd;
    case 2265: return d.dwellTime;
    case 2482: return static_cast<LRESULT>(d.background);
    case 2500: d.indicator = static_cast<int>(wParam); return 0;
    case 2501: return d.indicator;
    case 2504: FillIndicator(d, w, static_cast<Position>(lParam), 1); return 0;
    case 2505: FillIndicator(d, w, static_cast<Position>(lParam), 0); return 0;
    case 2507: return IndicatorAt(d, static_cast<int>(wParam), static_cast<Position>(lParam));
    case 2553: {
      const int first = d.nextExtendedStyle;
      d.nextExtendedStyle += static_cast<int>(wParam);
      return first;
    }
    case 2740: {  // no text, or an empty one, removes the note
      const char* text = reinterpret_cast<const char*>(lParam);
      if (text == nullptr || *text == '\0') {
        d.notes.erase(w);
      } else {
        d.notes[w].text = text;
      }
      return 0;
    }
    case 2741: {  // its length without the terminating zero
      const std::string text = d.NoteOn(w);
      if (lParam != 0) std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
      return static_cast<LRESULT>(text.size());
    }
    case 2742:
      if (d.notes.contains(w)) d.notes[w].style = static_cast<int>(lParam);
      return 0;
    case 2743: return d.notes.contains(w) ? d.notes[w].style : 0;
    case 2745: d.notesVisible = static_cast<int>(wParam); return 0;
    case 2746: return d.notesVisible;
    case 2747: d.notesStyleOffset = static_cast<int>(wParam); return 0;
    case 2748: return d.notesStyleOffset;
    default: return 0;
  }
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new FakeDocument));
  auto* document = reinterpret_cast<FakeDocument*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) {
    delete document;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  if (document != nullptr && message >= 2000 && message < 3000) return Answer(*document, message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void FakeDocument::Replace(std::intptr_t from, std::intptr_t to, const std::string& value) {
  text.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), value);
  for (auto& [id, values] : indicatorValues) {
    const auto size = static_cast<std::intptr_t>(values.size());
    if (from >= size) continue;
    values.erase(values.begin() + from, values.begin() + std::min(to, size));
    values.insert(values.begin() + from, value.size(), 0);
  }
  anchor = caret = from + static_cast<std::intptr_t>(value.size());
}

bool FakeDocument::Marked(std::intptr_t position) const {
  return std::any_of(indicatorValues.begin(), indicatorValues.end(), [&](const auto& entry) {
    return IndicatorAt(*this, entry.first, position) != 0;
  });
}

void RegisterFakeScintilla() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"Scintilla";
  RegisterClassW(&windowClass);
}

HWND CreateFakeScintilla(HWND parent) {
  return CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

FakeDocument& DocumentOf(HWND view) { return *reinterpret_cast<FakeDocument*>(GetWindowLongPtrW(view, GWLP_USERDATA)); }

}  // namespace npp_host
