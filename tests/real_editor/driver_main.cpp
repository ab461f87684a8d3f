// SPDX-License-Identifier: MIT
// A plug-in of our own that drives the real editor from inside its process: once the editor
// is ready it runs the scenarios against our plug-in, writes real-editor-report.txt beside
// the editor and closes it without saving anything.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "plugin/win32/npp_abi.h"
#include "real_editor.h"
#include "report.h"
#include "scenarios.h"
#include "steps.h"

namespace {

plugin::npp::NppData npp{};
plugin::npp::FuncItem item{L"Run the scenarios", nullptr, 0, false, nullptr};
std::unique_ptr<real_editor::RealEditor> editor;
real_editor::Report report;
real_editor::Steps steps;

void Finish() {
  std::ofstream(std::filesystem::path(editor->Folder()) / L"real-editor-report.txt", std::ios::binary) << report.Text();
  editor->CloseAllUnsaved();
  editor.reset();
  PostMessageW(npp.nppHandle, WM_CLOSE, 0, 0);
}

void CALLBACK Begin(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  editor = std::make_unique<real_editor::RealEditor>(npp);
  real_editor::AddScenarios(steps, *editor, report);
  steps.Start(&Finish);
}

}  // namespace

extern "C" {

__declspec(dllexport) BOOL __cdecl isUnicode() { return TRUE; }
__declspec(dllexport) const wchar_t* __cdecl getName() { return L"Real Editor Driver"; }
__declspec(dllexport) void __cdecl setInfo(plugin::npp::NppData data) { npp = data; }
__declspec(dllexport) plugin::npp::FuncItem* __cdecl getFuncsArray(int* count) {
  item.pFunc = [] {};
  *count = 1;
  return &item;
}
__declspec(dllexport) void __cdecl beNotified(plugin::npp::SCNotification* note) {
  // The scenarios start from the editor's own message loop, a moment after it is ready.
  if (note->nmhdr.code == plugin::npp::kReady) SetTimer(nullptr, 0, 2000, &Begin);
}
__declspec(dllexport) LRESULT __cdecl messageProc(UINT, WPARAM, LPARAM) { return TRUE; }

}  // extern "C"
