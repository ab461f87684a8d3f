// SPDX-License-Identifier: MIT
// A small editor host that loads the plug-in the way the editor does: a main window with a
// "Plugins" menu, two fake Scintilla views, the plug-in DLL from plugins\ulvXNpp\, its six
// entry points called in the editor's order, and message boxes answered from a script.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "fake_scintilla.h"
#include "support/box_answers.h"
#include "plugin/win32/npp_abi.h"

namespace npp_host {

// An entry point of the DLL as a function of the given type (through the generic function
// pointer, the one cast the compiler accepts without a warning).
template <typename Function>
Function Entry(HMODULE dll, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(dll, name)));
}

// Its boxes are answered from the answers and inputs the test sets.
class FakeNpp : public testing_support::BoxAnswers {
 public:
  // Copies the DLL under folder\plugins\ulvXNpp\ and loads it; ok() says whether it worked.
  FakeNpp(const std::wstring& dll, const std::wstring& folder);
  ~FakeNpp();
  FakeNpp(const FakeNpp&) = delete;
  FakeNpp& operator=(const FakeNpp&) = delete;

  bool ok() const { return failure.empty(); }
  FakeDocument& document() { return DocumentOf(view0); }
  // Runs menu entry k (0-based) as a click on it would.
  void RunMenu(int k);
  // Runs the Options item with that text; false when there is none.
  bool RunOption(const std::wstring& text);
  bool OptionChecked(const std::wstring& text);
  // `buffer`: the document a host notification is about.
  void Notify(unsigned int code, std::intptr_t position, std::uintptr_t buffer = 0);
  // The user retypes a line of the first view: its text goes, the new one comes, and the
  // plug-in hears of both.
  void TypeLine(std::intptr_t line, const std::string& text);
  // Types the keys on the keyboard (held in order, released in reverse) into the first view.
  void PressKeys(std::initializer_list<WORD> keys);
  // Handles the windows' pending events for a while.
  void Pump(int rounds = 5);
  // The text shown in the text window with that title, or empty.
  std::wstring TextWindow(const std::wstring& title);

  std::wstring failure;           // why the host could not start
  std::wstring folder;            // the editor's folder
  std::wstring currentPath;       // what NPPM_GETFULLCURRENTPATH answers
  std::uintptr_t bufferId = 1;    // what NPPM_GETCURRENTBUFFERID answers
  std::vector<std::wstring> opened;
  std::wstring statusBar;         // what NPPM_SETSTATUSBAR last set
  std::vector<int> styled;        // the host's own "2nd Style" / "3rd Style" commands run by their keys
  std::vector<std::pair<HWND, WPARAM>> themed;  // windows handed to the dark mode, with what to do

  HWND main = nullptr, view0 = nullptr, view1 = nullptr;
  HMENU bar = nullptr, plugins = nullptr, popup = nullptr;
  HMODULE dll = nullptr;
  plugin::npp::FuncItem* items = nullptr;
  int count = 0;
  int nextCommandId = 23000;

 private:
  using MessageProc = LRESULT(__cdecl*)(UINT, WPARAM, LPARAM);
  using Notified = void(__cdecl*)(plugin::npp::SCNotification*);
  MessageProc messageProc_ = nullptr;
  Notified beNotified_ = nullptr;
  HHOOK hook_ = nullptr;
  HACCEL keys_ = nullptr;  // the host's own key table, which wins over a plug-in's shortcuts
  static LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK BoxHook(int code, WPARAM wParam, LPARAM lParam);
};

}  // namespace npp_host
