// SPDX-License-Identifier: MIT
#include "real_editor.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "support/keyboard.h"
#include "support/screenshot.h"

namespace real_editor {
namespace {

// The editor's messages and commands the driver uses besides those the plug-in uses.
constexpr UINT kGetNbOpenFiles = 2031;
constexpr UINT kActivateDoc = 2052;
constexpr UINT kMenuCommand = 2072;
constexpr UINT kGetFullPathFromBufferId = 2082;
constexpr UINT kGetBufferIdFromPos = 2083;
constexpr WPARAM kFileNew = 41001;
constexpr LPARAM kPrimaryView = 1;

constexpr UINT kSciSetSavePoint = 2014;
constexpr UINT kSciIndicGetStyle = 2081;
constexpr UINT kSciIndicatorValueAt = 2507;
constexpr int kIndicSquiggle = 1;
constexpr int kIndicators = 36;
constexpr UINT kSciGetTextRangeFull = 2039;
constexpr UINT kSciSetSel = 2160;
constexpr UINT kSciSetRectangularSelectionCaret = 2588;
constexpr UINT kSciSetRectangularSelectionAnchor = 2590;
constexpr UINT kSciPointXFromPosition = 2164;
constexpr UINT kSciPointYFromPosition = 2165;
constexpr UINT kSciSetText = 2181;
constexpr UINT kSciTextHeight = 2279;

RealEditor* current = nullptr;  // the hook and the view procedure reach the driver through it

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

// A menu item's text without the shortcut the editor appends after a tab.
std::wstring ItemText(HMENU menu, int position) {
  wchar_t label[128] = L"";
  GetMenuStringW(menu, static_cast<UINT>(position), label, 128, MF_BYPOSITION);
  std::wstring text = label;
  return text.substr(0, text.find(L'\t'));
}

// The position of the item with that text in the menu, or -1.
int ItemPosition(HMENU menu, const std::wstring& text) {
  for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu); ++i)
    if (ItemText(menu, i) == text) return i;
  return -1;
}

}  // namespace

RealEditor::RealEditor(const plugin::npp::NppData& npp) : npp_(npp) {
  current = this;
  hook_ = SetWindowsHookExW(WH_CBT, &BoxHook, nullptr, GetCurrentThreadId());
  // What the plug-in asks a view to show as a call tip is recorded on its way to Scintilla.
  HWND views[2] = {npp_.scintillaMainHandle, npp_.scintillaSecondHandle};
  for (int k = 0; k < 2; ++k)
    viewProcedures_[k] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(views[k], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ViewProcedure)));
}

RealEditor::~RealEditor() {
  HWND views[2] = {npp_.scintillaMainHandle, npp_.scintillaSecondHandle};
  for (int k = 0; k < 2; ++k)
    if (GetWindowLongPtrW(views[k], GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ViewProcedure))
      SetWindowLongPtrW(views[k], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(viewProcedures_[k]));
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  current = nullptr;
}

LRESULT RealEditor::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageW(npp_.nppHandle, message, wParam, lParam);
}

LRESULT RealEditor::SendView(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageW(View(), message, wParam, lParam);
}

HWND RealEditor::View() const {
  int which = 0;
  Send(plugin::npp::kGetCurrentScintilla, 0, reinterpret_cast<LPARAM>(&which));
  return which == 0 ? npp_.scintillaMainHandle : npp_.scintillaSecondHandle;
}

void RealEditor::NewDocument() { Send(kMenuCommand, 0, kFileNew); }

void RealEditor::SetText(const std::string& utf8) { SendView(kSciSetText, 0, reinterpret_cast<LPARAM>(utf8.c_str())); }

std::string RealEditor::Text() const {
  const auto length = static_cast<std::intptr_t>(SendView(plugin::npp::kSciGetLength));
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  plugin::npp::TextRange range{0, length, text.data()};
  SendView(kSciGetTextRangeFull, 0, reinterpret_cast<LPARAM>(&range));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void RealEditor::Select(std::intptr_t anchor, std::intptr_t caret) {
  SendView(kSciSetSel, static_cast<WPARAM>(anchor), caret);
}

void RealEditor::SelectRectangle(std::intptr_t anchor, std::intptr_t caret) {
  SendView(kSciSetRectangularSelectionAnchor, static_cast<WPARAM>(anchor));
  SendView(kSciSetRectangularSelectionCaret, static_cast<WPARAM>(caret));
}

std::wstring RealEditor::ClipboardText() const {
  std::wstring text;
  if (!OpenClipboard(npp_.nppHandle)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

bool RealEditor::Squiggled(std::intptr_t position) const {
  // The editor hands the plug-in its indicator's number; a squiggle is the plug-in's mark.
  for (int indicator = 0; indicator < kIndicators; ++indicator)
    if (SendView(kSciIndicGetStyle, static_cast<WPARAM>(indicator)) == kIndicSquiggle &&
        SendView(kSciIndicatorValueAt, static_cast<WPARAM>(indicator), position) != 0)
      return true;
  return false;
}

void RealEditor::CopyToClipboard(const std::wstring& text) const {
  if (!OpenClipboard(npp_.nppHandle)) return;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
  }
  CloseClipboard();
}

std::intptr_t RealEditor::Caret() const { return SendView(plugin::npp::kSciGetCurrentPos); }

void RealEditor::Open(const std::wstring& path) { Send(plugin::npp::kDoOpen, 0, reinterpret_cast<LPARAM>(path.c_str())); }

void RealEditor::CloseAllUnsaved() {
  const auto count = static_cast<int>(Send(kGetNbOpenFiles, 0, kPrimaryView));
  for (int k = 0; k < count; ++k) {
    Send(kActivateDoc, 0, k);
    SendView(kSciSetSavePoint);
  }
}

std::wstring RealEditor::CurrentPath() const {
  std::vector<wchar_t> path(32768, L'\0');
  Send(plugin::npp::kGetFullCurrentPath, path.size(), reinterpret_cast<LPARAM>(path.data()));
  return path.data();
}

std::vector<std::wstring> RealEditor::Tabs() const {
  std::vector<std::wstring> tabs;
  const auto count = static_cast<int>(Send(kGetNbOpenFiles, 0, kPrimaryView));
  for (int k = 0; k < count; ++k) {
    const LRESULT buffer = Send(kGetBufferIdFromPos, static_cast<WPARAM>(k), 0);
    std::vector<wchar_t> path(32768, L'\0');
    Send(kGetFullPathFromBufferId, static_cast<WPARAM>(buffer), reinterpret_cast<LPARAM>(path.data()));
    tabs.emplace_back(path.data());
  }
  return tabs;
}

std::wstring RealEditor::Folder() const {
  std::vector<wchar_t> folder(32768, L'\0');
  Send(plugin::npp::kGetNppDirectory, folder.size(), reinterpret_cast<LPARAM>(folder.data()));
  return folder.data();
}

HMENU RealEditor::PluginPopup() const {
  HMENU plugins = reinterpret_cast<HMENU>(Send(plugin::npp::kGetMenuHandle, 0, 0));
  const int found = ItemPosition(plugins, L"Vuza Reduzodod");
  return found < 0 ? nullptr : GetSubMenu(plugins, found);
}

UINT RealEditor::PluginCommand(const std::wstring& text) const {
  HMENU popup = PluginPopup();
  const int found = ItemPosition(popup, text);
  return found < 0 ? 0 : GetMenuItemID(popup, found);
}

HMENU RealEditor::OptionsMenu() const {
  HMENU popup = PluginPopup();
  const int found = ItemPosition(popup, L"Options");
  return found < 0 ? nullptr : GetSubMenu(popup, found);
}

UINT RealEditor::OptionCommand(const std::wstring& text) const {
  HMENU options = OptionsMenu();
  const int found = ItemPosition(options, text);
  return found < 0 ? 0 : GetMenuItemID(options, found);
}

bool RealEditor::OptionChecked(const std::wstring& text) const {
  const UINT command = OptionCommand(text);
  return command != 0 && (GetMenuState(OptionsMenu(), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void RealEditor::Invoke(UINT command) const { Send(WM_COMMAND, MAKEWPARAM(command, 0), 0); }

namespace {
constexpr UINT kPreferences = 48011;  // the Settings menu's "Preferences..."
constexpr int kLightModeRadio = 7131;
constexpr int kDarkModeRadio = 7132;

struct RadioSearch {
  int id;
  HWND found = nullptr;
};
BOOL CALLBACK FindRadio(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<RadioSearch*>(search);
  if (GetDlgCtrlID(window) != s->id) return TRUE;
  s->found = window;
  return FALSE;
}
}  // namespace

// The Preferences' Dark Mode page reads its radio buttons when one of them is clicked: the
// wanted one is checked, the others ("Follow Windows" among them) cleared, then clicked.
bool RealEditor::SetDarkMode(bool on) const {
  Invoke(kPreferences);
  HWND preferences = FindWindowW(nullptr, L"Preferences");
  if (preferences == nullptr) return false;
  RadioSearch wanted{on ? kDarkModeRadio : kLightModeRadio};
  EnumChildWindows(preferences, &FindRadio, reinterpret_cast<LPARAM>(&wanted));
  if (wanted.found == nullptr) return false;
  HWND page = GetParent(wanted.found);
  for (HWND radio = GetWindow(page, GW_CHILD); radio != nullptr; radio = GetWindow(radio, GW_HWNDNEXT)) {
    wchar_t text[64] = L"";
    GetWindowTextW(radio, text, 64);
    const int id = GetDlgCtrlID(radio);
    if (id == kLightModeRadio || id == kDarkModeRadio || std::wstring(text).find(L"Follow Windows") != std::wstring::npos)
      SendMessageW(radio, BM_SETCHECK, radio == wanted.found ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(wanted.id, BN_CLICKED), reinterpret_cast<LPARAM>(wanted.found));
  ShowWindow(preferences, SW_HIDE);
  return DarkMode() == on;
}

bool RealEditor::DarkMode() const { return Send(plugin::npp::kIsDarkModeEnabled) != 0; }

HWND RealEditor::TextWindow(const std::wstring& title) const { return FindWindowW(L"ulvXNppTextWindow", title.c_str()); }

std::wstring RealEditor::TakeTextWindow(const std::wstring& title) const {
  HWND window = TextWindow(title);
  if (window == nullptr) return {};
  const std::wstring text = WindowText(GetWindow(window, GW_CHILD));
  DestroyWindow(window);
  return text;
}

void RealEditor::PressKeys(std::initializer_list<WORD> keys) {
  SetForegroundWindow(npp_.nppHandle);
  SetFocus(View());
  testing_support::TypeKeys(keys);
}

namespace {
void MovePointer(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(INPUT));
}
}  // namespace

void RealEditor::MoveMouseTo(std::intptr_t position) {
  SetForegroundWindow(npp_.nppHandle);
  POINT point{static_cast<LONG>(SendView(kSciPointXFromPosition, 0, position)),
              static_cast<LONG>(SendView(kSciPointYFromPosition, 0, position) +
                                SendView(kSciTextHeight, 0, 0) / 2)};
  ClientToScreen(View(), &point);
  MovePointer(point);
}

void RealEditor::MoveMouseAway() {
  RECT frame{};
  GetWindowRect(npp_.nppHandle, &frame);
  MovePointer({frame.right + 20, frame.bottom + 20});
}

bool RealEditor::CallTipActive() const { return SendView(plugin::npp::kSciCallTipActive) != 0; }

std::string RealEditor::Note(std::intptr_t line) const {
  const auto length = SendView(plugin::npp::kSciEolAnnotationGetText, static_cast<WPARAM>(line));
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendView(plugin::npp::kSciEolAnnotationGetText, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

LRESULT CALLBACK RealEditor::ViewProcedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  RealEditor* editor = current;
  const int k = view == editor->npp_.scintillaMainHandle ? 0 : 1;
  if (message == plugin::npp::kSciCallTipShow && lParam != 0) editor->callTip = reinterpret_cast<const char*>(lParam);
  return CallWindowProcW(editor->viewProcedures_[k], view, message, wParam, lParam);
}

void CALLBACK RealEditor::CancelMatrixDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND dialog = FindWindowW(L"ulvXNppMatrixDialog", nullptr);
  if (dialog == nullptr) return;
  testing_support::KeepArtifact("real-editor-matrix-dialog.jpg", testing_support::ScreenshotJpeg(dialog));
  PostMessageW(dialog, WM_CLOSE, 0, 0);
}

// Boxes are answered as soon as they come up; the matrix dialog is photographed once painted,
// then closed.
LRESULT CALLBACK RealEditor::BoxHook(int code, WPARAM wParam, LPARAM lParam) {
  RealEditor* editor = current;
  if (code == HCBT_ACTIVATE && editor != nullptr) {
    HWND box = reinterpret_cast<HWND>(wParam);
    if (!editor->Answer(box) && ClassOf(box) == L"ulvXNppMatrixDialog") {
      SetTimer(nullptr, 0, 1000, &CancelMatrixDialog);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

}  // namespace real_editor
