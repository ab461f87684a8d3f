// SPDX-License-Identifier: MIT
// Windows services: real message boxes, an input box, file dialogs and the system clipboard.
#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/services.h"
#include "platform/stdio_files.h"
#include "platform/utf8.h"
#include "platform/win32/window_class.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text crosses the Win32 API as is");

namespace platform {
namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// The input box: a prompt, an edit field holding the default, OK and Cancel, run modally.
struct InputBox {
  std::u16string text;
  bool answered = false;
  bool done = false;
};

LRESULT CALLBACK InputBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<InputBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    box = static_cast<InputBox*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
  }
  if (box != nullptr && message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    if (LOWORD(wParam) == IDOK) {
      wchar_t text[1024] = L"";
      GetDlgItemTextW(window, 100, text, 1024);
      box->text = reinterpret_cast<const char16_t*>(text);
      box->answered = true;
    }
    box->done = true;
    return 0;
  }
  if (box != nullptr && message == WM_CLOSE) {
    box->done = true;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::optional<std::u16string> RunInputBox(std::u16string_view prompt, std::u16string_view title,
                                          std::u16string_view initial) {
  static const bool registered = RegisterWindowClass(L"ulvXNppInputBox", &InputBoxProcedure, COLOR_BTNFACE);
  if (!registered) return std::nullopt;
  InputBox box;
  HINSTANCE instance = ThisModule();
  const std::u16string caption(title), question(prompt), answer(initial);
  HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, L"ulvXNppInputBox", Wide(caption),
                                WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 420, 150, nullptr,
                                nullptr, instance, &box);
  if (window == nullptr) return std::nullopt;
  auto child = [&](const wchar_t* kind, const std::u16string& text, DWORD style, int x, int y, int w, int h, int id) {
    CreateWindowExW(0, kind, Wide(text), WS_CHILD | WS_VISIBLE | style, x, y, w, h, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  child(L"STATIC", question, 0, 10, 10, 390, 20, 0);
  child(L"EDIT", answer, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 34, 390, 22, 100);
  child(L"BUTTON", u"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 220, 70, 85, 26, IDOK);
  child(L"BUTTON", u"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 315, 70, 85, 26, IDCANCEL);
  ShowWindow(window, SW_SHOWNORMAL);
  SetFocus(GetDlgItem(window, 100));
  MSG message;
  while (!box.done && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  DestroyWindow(window);
  if (!box.answered) return std::nullopt;
  return box.text;
}

// A program with a console to write to (the command-line program, a test, a console host of
// the library) gets its messages there, like on Linux: a box would wait for a click that
// nobody at a console expects. Editors and other window programs have no such handle.
bool HasConsoleOutput() {
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  return error != nullptr && error != INVALID_HANDLE_VALUE && GetFileType(error) != FILE_TYPE_UNKNOWN;
}

Answer SafeAnswer(Buttons buttons) {
  return buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

class Win32Services final : public Services {
 public:
  Answer ShowMessage(std::u16string_view text, std::u16string_view title, Buttons buttons) override {
    if (console_) {
      std::string line = ToUtf8(title) + ": " + ToUtf8(text) + "\n";
      std::fputs(line.c_str(), stderr);
      std::fflush(stderr);
      return SafeAnswer(buttons);
    }
    UINT style = buttons == Buttons::Ok ? MB_OK : buttons == Buttons::YesNo ? MB_YESNO : MB_YESNOCANCEL;
    // Owned by the host's window, or the one the user works in, as their own boxes are.
    HWND owner = owner_ != nullptr && IsWindow(owner_) ? owner_ : GetActiveWindow();
    int answer = MessageBoxW(owner, Wide(std::u16string(text)), Wide(std::u16string(title)),
                             style | (owner == nullptr ? MB_TASKMODAL : 0));
    switch (answer) {
      case IDYES: return Answer::Yes;
      case IDNO: return Answer::No;
      case IDCANCEL: return Answer::Cancel;
      default: return Answer::Ok;
    }
  }

  void SetClipboardText(std::u16string_view text) override {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      if (void* target = GlobalLock(memory)) {
        std::memcpy(target, text.data(), text.size() * sizeof(char16_t));
        static_cast<char16_t*>(target)[text.size()] = u'\0';
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
      } else {
        GlobalFree(memory);
      }
    }
    CloseClipboard();
  }

  bool AppendLine(std::u16string_view path, std::u16string_view text) override {
    std::FILE* file = _wfopen(Wide(std::u16string(path)), L"ab");
    if (file == nullptr) return false;
    return WriteAllAndClose(file, ToUtf8(text) + "\r\n");
  }

  std::optional<std::string> ReadFile(std::u16string_view path) override {
    std::FILE* file = _wfopen(Wide(std::u16string(path)), L"rb");
    if (file == nullptr) return std::nullopt;
    return ReadAllAndClose(file);
  }

  bool WriteFile(std::u16string_view path, std::string_view bytes, bool append) override {
    const std::u16string target(path);
    // Named for the thread: sessions on two threads replacing the same file each write a
    // temporary of their own, and the file ends up whole, as one of them wrote it.
    const std::u16string written = append ? target : target + u".tmp-" + FromUtf8(std::to_string(GetCurrentThreadId()));
    std::FILE* file = _wfopen(Wide(written), append ? L"ab" : L"wb");
    if (file == nullptr) return false;
    const bool ok = WriteAllAndClose(file, bytes);
    if (append) return ok;
    if (ok && MoveFileExW(Wide(written), Wide(target), MOVEFILE_REPLACE_EXISTING)) return true;
    DeleteFileW(Wide(written));
    return false;
  }

  // Windows editors read unmarked text in the local code page, which would garble every
  // character beyond ASCII of a UTF-8 output.
  bool WantsByteOrderMark() const override { return true; }

  bool MakeFolder(std::u16string_view path) override {
    const std::u16string folder(path);
    return CreateDirectoryW(Wide(folder), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
  }

  std::u16string LocalTimeText() override {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char text[32];
    std::snprintf(text, sizeof text, "%02u/%02u/%04u - %02u:%02u:%02u", t.wDay, t.wMonth, t.wYear,
                  t.wHour, t.wMinute, t.wSecond);
    return FromUtf8(text);
  }

  void PreferDialogs(void* owner) override {
    console_ = false;
    owner_ = static_cast<HWND>(owner);
  }

  std::optional<std::u16string> AskText(std::u16string_view prompt, std::u16string_view title,
                                        std::u16string_view initial) override {
    if (console_) return std::nullopt;
    return RunInputBox(prompt, title, initial);
  }

  std::optional<std::u16string> AskFileName(std::u16string_view title, std::u16string_view filter,
                                            bool forSaving) override {
    if (console_) return std::nullopt;
    // The dialog wants the filter's parts separated by NULs and ended by two.
    std::u16string parts(filter);
    for (char16_t& c : parts)
      if (c == u'|') c = u'\0';
    parts.push_back(u'\0');
    const std::u16string caption(title);
    std::vector<wchar_t> name(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = Wide(parts);
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrTitle = Wide(caption);
    dialog.Flags = OFN_PATHMUSTEXIST | (forSaving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(forSaving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(name.data()));
  }

  std::u16string LibraryFolder() override {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&MakeNativeServices), &module);
    std::vector<wchar_t> path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    const std::u16string full(reinterpret_cast<const char16_t*>(path.data()), length);
    const std::size_t separator = full.find_last_of(u"\\/");
    return separator == std::u16string::npos ? u".\\" : full.substr(0, separator + 1);
  }

  std::u16string ClipboardText() override {
    std::u16string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
        text = chars;
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    return text;
  }
 private:
  bool console_ = HasConsoleOutput();
  HWND owner_ = nullptr;
};

}  // namespace

std::unique_ptr<Services> MakeNativeServices() { return std::make_unique<Win32Services>(); }

}  // namespace platform
