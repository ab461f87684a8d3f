// SPDX-License-Identifier: MIT
// Window classes of the library's own windows, owned by the module the code is linked into.
#pragma once

#include <windows.h>

namespace platform {

// The DLL (or program) this code is part of.
HINSTANCE ThisModule();

// Registers the class for this module, once per load. A class of the same name left behind by
// an earlier load of the library (its procedure gone with it) is replaced; a class of this load
// is kept. True when the class can be used.
bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure, int background);

// Every top-level window the library opens is announced once its controls exist, so that a
// host can dress it as its own windows are (the editor's plug-in hands it to the editor's dark
// mode). Nobody listens by default.
using WindowOpened = void (*)(HWND window);
void ListenForWindows(WindowOpened listener);
void AnnounceWindow(HWND window);

}  // namespace platform
