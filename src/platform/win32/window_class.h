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

}  // namespace platform
