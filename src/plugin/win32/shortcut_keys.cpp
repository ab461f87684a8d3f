// SPDX-License-Identifier: MIT
#include "plugin/win32/shortcut_keys.h"

#include <windows.h>

#include "plugin/win32/plugin_state.h"

namespace plugin {
namespace {

HHOOK hook = nullptr;

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The command whose current shortcut the key is, or 0.
int CommandOfKey(WPARAM key) {
  const PluginState& s = State();
  for (const npp::FuncItem& item : s.items) {
    if (item.pFunc == nullptr || item.pShKey == nullptr) continue;
    npp::ShortcutKey mapped{};
    if (!SendMessageW(s.npp.nppHandle, npp::kGetShortcutByCmdId, static_cast<WPARAM>(item.cmdID),
                      reinterpret_cast<LPARAM>(&mapped)))
      continue;  // no shortcut, or the user removed it
    if (mapped.key == key && mapped.isCtrl == Held(VK_CONTROL) && mapped.isAlt == Held(VK_MENU) &&
        mapped.isShift == Held(VK_SHIFT))
      return item.cmdID;
  }
  return 0;
}

// Sees each key before the editor's key table does; a key of ours becomes our command and
// nothing else.
LRESULT CALLBACK KeyHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN) &&
      (Held(VK_CONTROL) || Held(VK_MENU)) && GetAncestor(message->hwnd, GA_ROOT) == State().npp.nppHandle) {
    if (const int command = CommandOfKey(message->wParam)) {
      message->message = WM_NULL;
      PostMessageW(State().npp.nppHandle, WM_COMMAND, static_cast<WPARAM>(command), 0);
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

void StartShortcutKeys() {
  if (hook == nullptr) hook = SetWindowsHookExW(WH_GETMESSAGE, &KeyHook, nullptr, GetCurrentThreadId());
}

void StopShortcutKeys() {
  if (hook != nullptr) UnhookWindowsHookEx(hook);
  hook = nullptr;
}

}  // namespace plugin
