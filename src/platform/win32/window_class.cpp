// SPDX-License-Identifier: MIT
#include "platform/win32/window_class.h"

namespace platform {

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure, int background) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ThisModule();
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
  windowClass.lpszClassName = name;
  // Fails while windows of the class exist: then they are this load's, and so is the class.
  UnregisterClassW(name, windowClass.hInstance);
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

namespace {
WindowOpened listener = nullptr;
}  // namespace

void ListenForWindows(WindowOpened opened) { listener = opened; }

void AnnounceWindow(HWND window) {
  if (listener != nullptr && window != nullptr) listener(window);
}

}  // namespace platform
