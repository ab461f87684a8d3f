// SPDX-License-Identifier: MIT
#include "plugin/win32/dark_mode.h"

#include <windows.h>

#include "platform/win32/window_class.h"
#include "plugin/win32/npp_abi.h"
#include "plugin/win32/plugin_state.h"

namespace plugin {
namespace {

// The editor remembers the windows it themed and follows its mode for them; an editor older
// than its dark mode answers 0 and the window keeps the system's colours.
void HandToEditor(HWND window) {
  SendMessageW(State().npp.nppHandle, npp::kDarkModeSubclassAndTheme, npp::kDarkModeInit,
               reinterpret_cast<LPARAM>(window));
}

BOOL CALLBACK FollowChange(HWND window, LPARAM) {
  if (reinterpret_cast<HINSTANCE>(GetClassLongPtrW(window, GCLP_HMODULE)) != platform::ThisModule()) return TRUE;
  SendMessageW(State().npp.nppHandle, npp::kDarkModeSubclassAndTheme, npp::kDarkModeHandleChange,
               reinterpret_cast<LPARAM>(window));
  // The frame and the title bar are drawn again only when told.
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  return TRUE;
}

}  // namespace

void FollowEditorTheme() { platform::ListenForWindows(&HandToEditor); }

void ThemeChanged() { EnumThreadWindows(GetCurrentThreadId(), &FollowChange, 0); }

}  // namespace plugin
