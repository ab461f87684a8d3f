// SPDX-License-Identifier: MIT
// The text windows on Windows: a read-only text window per shown text (in "Courier New"), the
// one "Messages Window", and the progress box of a run with its "Stop" button.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/window_class.h"
#include "ui/text_views.h"
#include "ui/text_windows.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"ulvXNppTextWindow";
constexpr int kStopButton = 101;

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// The edit control fills the window's client area.
LRESULT CALLBACK TextProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    RECT client{};
    GetClientRect(window, &client);
    if (HWND edit = GetWindow(window, GW_CHILD)) MoveWindow(edit, 0, 0, client.right, client.bottom, TRUE);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterTextClass() {
  static const bool registered = platform::RegisterWindowClass(kClassName, &TextProcedure, COLOR_WINDOW);
  return registered;
}

// One font for the text windows of every session, on any thread: it is made once (the static's
// initialisation is thread-safe) and never changed or freed, and a GDI font may serve windows of
// any thread of the process.
HFONT Courier() {
  static HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New");
  return font;
}

// A top-level window holding a read-only multi-line edit control; returns the edit control.
HWND OpenTextWindow(std::u16string_view title, int width, int height) {
  if (!RegisterTextClass()) return nullptr;
  HINSTANCE instance = platform::ThisModule();
  const std::u16string caption(title);
  HWND window = CreateWindowExW(0, kClassName, Wide(caption), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, width,
                                height, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return nullptr;
  HWND edit = CreateWindowExW(0, L"EDIT", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                  ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                              0, 0, 10, 10, window, nullptr, instance, nullptr);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(Courier()), TRUE);
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);  // no 32K limit
  RECT client{};
  GetClientRect(window, &client);
  MoveWindow(edit, 0, 0, client.right, client.bottom, TRUE);
  platform::AnnounceWindow(window);
  ShowWindow(window, SW_SHOWNORMAL);
  return edit;
}

void AppendText(HWND edit, const std::u16string& text) {
  const LRESULT end = SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
  SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(text)));
}

class Win32TextWindows final : public TextWindows {
 public:
  void ShowText(std::u16string_view title, std::u16string_view text) override {
    if (HWND edit = OpenTextWindow(title, 820, 600)) SetWindowTextW(edit, Wide(std::u16string(text)));
  }

  void AddMessage(std::u16string_view line) override {
    if (messages_ == nullptr || !IsWindow(messages_)) messages_ = OpenTextWindow(u"Messages Window", 720, 420);
    if (messages_ != nullptr) AppendText(messages_, std::u16string(line) + u"\r\n");
  }

 private:
  HWND messages_ = nullptr;  // the edit control of the messages window
};

// The progress box: the percentage and the line that runs, a bar of "|", and "Stop", which
// asks "Continue?" before the run ends early.
class ProgressBox final : public Progress {
 public:
  explicit ProgressBox(platform::Services& os) : os_(os) {}
  ~ProgressBox() override { Close(); }

  bool Update(std::int32_t current, std::int32_t count, std::u16string_view line) override {
    if (window_ == nullptr && !Open()) return true;
    // Redrawing, or even looking at the box's events, for every one of a hundred thousand
    // lines would cost more than running them: twenty times a second is enough.
    const DWORD now = GetTickCount();
    if (current != count && now - lastShown_ < 50) return !stopAsked_;
    lastShown_ = now;
    SetWindowTextW(text_, Wide(ProgressPercent(current, count) + u"   " + std::u16string(line.substr(0, 200))));
    SetWindowTextW(bar_, Wide(std::u16string(static_cast<std::size_t>(ProgressCells(current, count, 60)), u'|')));
    return !Stopped();
  }

  void Close() override {
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = nullptr;
    stopAsked_ = false;
  }

 private:
  bool Open() {
    if (!RegisterTextClass()) return false;
    HINSTANCE instance = platform::ThisModule();
    window_ = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"ulvXNpp", WS_CAPTION | WS_POPUP | WS_VISIBLE, CW_USEDEFAULT,
                              CW_USEDEFAULT, 460, 130, nullptr, nullptr, instance, nullptr);
    if (window_ == nullptr) return false;
    text_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 10, 8, 430, 18, window_,
                            nullptr, instance, nullptr);
    bar_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 30, 430, 18, window_, nullptr, instance, nullptr);
    CreateWindowExW(0, L"BUTTON", L"Stop", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 180, 58, 90, 24, window_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStopButton)), instance, nullptr);
    platform::AnnounceWindow(window_);
    return true;
  }

  // Handles the box's pending events; true when "Stop" was pressed and the answer to
  // "Continue?" was No.
  bool Stopped() {
    MSG message;
    bool stop = false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_LBUTTONUP && GetDlgCtrlID(message.hwnd) == kStopButton) stop = true;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (!stop) return stopAsked_;
    stopAsked_ = os_.ShowMessage(u"Continue?", u"ulvXNpp", platform::Buttons::YesNo) == platform::Answer::No;
    return stopAsked_;
  }

  platform::Services& os_;
  HWND window_ = nullptr;
  HWND text_ = nullptr;
  HWND bar_ = nullptr;
  DWORD lastShown_ = 0;
  bool stopAsked_ = false;
};

}  // namespace

std::unique_ptr<TextWindows> MakeNativeTextWindows(platform::Services&) { return std::make_unique<Win32TextWindows>(); }

std::unique_ptr<Progress> MakeNativeProgress(platform::Services& os) { return std::make_unique<ProgressBox>(os); }

}  // namespace ui
