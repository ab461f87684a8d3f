// SPDX-License-Identifier: MIT
// The real editor as the driver sees it from inside its process: the documents in the real
// Scintilla, our plug-in's entries in the real Plugins menu, the windows and boxes a user would
// see, and the keyboard and mouse of the virtual display.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "plugin/win32/npp_abi.h"
#include "support/box_answers.h"

namespace real_editor {

// Its boxes are answered from the answers and inputs the scenario sets.
class RealEditor : public testing_support::BoxAnswers {
 public:
  explicit RealEditor(const plugin::npp::NppData& npp);
  ~RealEditor();
  RealEditor(const RealEditor&) = delete;
  RealEditor& operator=(const RealEditor&) = delete;

  HWND main() const { return npp_.nppHandle; }
  HWND View() const;  // the view the user is in

  // The current document.
  void NewDocument();
  void SetText(const std::string& utf8);
  std::string Text() const;
  void Select(std::intptr_t anchor, std::intptr_t caret);
  // A rectangular selection between two corners, as Alt and the mouse make it.
  void SelectRectangle(std::intptr_t anchor, std::intptr_t caret);
  std::intptr_t Caret() const;
  void Open(const std::wstring& path);
  // Marks every open document as saved and closes all but one: nothing to ask at the end.
  void CloseAllUnsaved();
  std::wstring CurrentPath() const;
  std::vector<std::wstring> Tabs() const;  // the full paths (or titles) of the main view's tabs
  std::wstring Folder() const;             // the editor's own folder

  // Our plug-in's menu entry with that text (its shortcut text aside), 0 when there is none.
  UINT PluginCommand(const std::wstring& text) const;
  UINT OptionCommand(const std::wstring& text) const;
  bool OptionChecked(const std::wstring& text) const;
  HMENU OptionsMenu() const;
  // As a click on the menu item does.
  void Invoke(UINT command) const;
  // The editor's dark mode on or off, as the user switches it in the Preferences; false when
  // the switch could not be found.
  bool SetDarkMode(bool on) const;
  bool DarkMode() const;

  // The text of the result window, which is then closed; empty when none is open.
  std::wstring TakeTextWindow(const std::wstring& title) const;
  HWND TextWindow(const std::wstring& title) const;

  // Keys held down in order and released in reverse, as typed on the keyboard.
  void PressKeys(std::initializer_list<WORD> keys);
  // The mouse pointer over a document position, or off the document.
  void MoveMouseTo(std::intptr_t position);
  void MoveMouseAway();
  bool CallTipActive() const;
  std::wstring ClipboardText() const;
  void CopyToClipboard(const std::wstring& text) const;
  // Whether a squiggle lies under the position of the current view.
  bool Squiggled(std::intptr_t position) const;
  // The note at the end of a line of the current document (an end-of-line annotation), or empty.
  std::string Note(std::intptr_t line) const;

  std::string callTip;              // the text of the last call tip asked for in a view

 private:
  static LRESULT CALLBACK BoxHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ViewProcedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam);
  static void CALLBACK CancelMatrixDialog(HWND, UINT, UINT_PTR timer, DWORD);
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  LRESULT SendView(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  HMENU PluginPopup() const;

  plugin::npp::NppData npp_;
  HHOOK hook_ = nullptr;
  WNDPROC viewProcedures_[2] = {nullptr, nullptr};
};

// Reads a file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
std::string Utf8(const std::wstring& text);

}  // namespace real_editor
