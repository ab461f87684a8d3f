// SPDX-License-Identifier: MIT
// The plug-in's face to the editor: the six functions the host calls, the menu commands, the
// settings file, the plug-in log and the call tips shown while the mouse rests on a formula.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "exports/session.h"
#include "platform/utf8.h"
#include "plugin/menu_table.h"
#include "plugin/win32/dark_mode.h"
#include "plugin/win32/plugin_state.h"
#include "plugin/win32/profile_store.h"
#include "plugin/win32/scintilla_view.h"
#include "plugin/win32/shortcut_keys.h"
#include "plugin/win32/matrix_dialog.h"
#include "script/batch.h"
#include "script/script_run.h"
#include "ui/text_views.h"

namespace plugin {
namespace {

constexpr wchar_t kName[] = L"Vuza Reduzodod";
constexpr DWORD kCallTipLife = 9000;  // ms after which any notification takes a call tip down

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

std::u16string HostText(UINT message) {
  std::vector<wchar_t> text(32768, L'\0');
  SendMessageW(State().npp.nppHandle, message, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()));
}

bool Writable(const std::u16string& file) {
  HANDLE handle = CreateFileW(Wide(file), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}

// The settings file beside the host program, where it has always been; where that folder may
// not be written (an editor under Program Files), the host's folder for plug-in settings, and
// settings found at the old place are carried over.
void LocateSettings(PluginState& s) {
  const std::u16string old = HostText(npp::kGetNppDirectory) + u"\\plugins\\ulvXNpp\\ulvXNpp.INI";
  s.settingsFile = old;
  if (!Writable(old)) {
    const std::u16string config = HostText(npp::kGetPluginsConfigDir);
    if (!config.empty()) {
      s.settingsFile = config + u"\\ulvXNpp.INI";
      if (GetFileAttributesW(Wide(s.settingsFile)) == INVALID_FILE_ATTRIBUTES)
        CopyFileW(Wide(old), Wide(s.settingsFile), TRUE);
    }
  }
  s.logFile = s.settingsFile.substr(0, s.settingsFile.size() - 4) + u".dbg";
}

void ApplySettingsToBatch(PluginState& s) {
  exports::Session& session = exports::session();
  session.host.decimals = s.settings.decimals;
  session.host.iniFile = s.settingsFile;
  session.host.pluginLogFile = s.logOn ? s.logFile : std::u16string();
}

void RunMenu(MenuCommand command) {
  LogProc(u"RunMenu", u": START");
  EditorCommands commands = Commands();
  switch (command) {
    case MenuCommand::CurFileToFile: commands.EvalCurFileToFile(); break;
    case MenuCommand::CurLineToFile: commands.EvalCurLineToFile(); break;
    case MenuCommand::CurLineToWindow: commands.EvalCurLineToWindow(false); break;
    case MenuCommand::SelectionToWindow: commands.EvalSelectionToWindow(false); break;
    case MenuCommand::ExpressionToDocument: commands.EvalExpressionToDocument(); break;
    case MenuCommand::SumSelection: commands.SumSelection(); break;
    case MenuCommand::LiveResultsHere: ToggleLiveResultsHere(); break;
    case MenuCommand::ShowMemory: commands.ShowMemory(); break;
    case MenuCommand::InsertFileName: commands.InsertFileName(); break;
    case MenuCommand::BuildMatrix: {
      const std::optional<std::u16string> matrix = Run_MtxMaker(u"");
      if (matrix) commands.InsertResult(*matrix);
      break;
    }
    case MenuCommand::About: exports::session().windows->ShowText(u"About", script::InformationText()); break;
    case MenuCommand::Separator: break;
  }
  LogProc(u"RunMenu", u": END");
}

// The host calls a menu function without arguments: one small function per entry.
template <std::size_t K>
void __cdecl MenuFunction() {
  RunMenu(kMenu[K].command);
}

template <std::size_t... K>
constexpr std::array<npp::PluginFunction, sizeof...(K)> MenuFunctions(std::index_sequence<K...>) {
  return {(kMenu[K].command == MenuCommand::Separator ? nullptr : &MenuFunction<K>)...};
}

void FillMenuTable(PluginState& s) {
  constexpr auto functions = MenuFunctions(std::make_index_sequence<kMenu.size()>());
  for (std::size_t k = 0; k < kMenu.size(); ++k) {
    npp::FuncItem& item = s.items[k];
    const std::u16string name(kMenu[k].name);
    lstrcpynW(item.itemName, Wide(name), 64);
    item.pFunc = functions[k];
    item.init2Check = false;
    item.pShKey = nullptr;
    if (const std::optional<Shortcut> shortcut = ParseShortcut(kMenu[k].shortcut)) {
      s.keys[k] = {shortcut->ctrl, shortcut->alt, shortcut->shift, shortcut->key};
      item.pShKey = &s.keys[k];
    }
  }
}

// Call tips: the line or selection under the resting mouse, evaluated without asking.
void Dwell(const npp::SCNotification& note) {
  PluginState& s = State();
  HWND view = static_cast<HWND>(note.nmhdr.hwndFrom);
  if (view != s.npp.scintillaMainHandle && view != s.npp.scintillaSecondHandle) return;
  ScintillaView editor(s.npp.nppHandle, view);
  if (note.nmhdr.code == npp::kDwellEnd ||
      (s.callTipShownAt != 0 && GetTickCount() - s.callTipShownAt > kCallTipLife)) {
    if (editor.CallTipActive()) editor.CancelCallTip();
    s.callTipShownAt = 0;
  }
  if (ShowFailureTip(note)) {
    s.callTipShownAt = GetTickCount();
    return;
  }
  if (note.nmhdr.code != npp::kDwellStart || !s.settings.evalToTooltip || note.position < 0) return;
  EditorCommands commands = Commands();
  const bool overSelection = editor.SelectionStart() < editor.SelectionEnd() &&
                             note.position >= editor.SelectionStart() && note.position <= editor.SelectionEnd();
  // A tip belongs to what the user works on: the selection or the line of the caret.
  if (!overSelection && editor.LineFromPosition(note.position) != editor.LineFromPosition(editor.CurrentPos())) return;
  const std::optional<std::u16string> result =
      overSelection ? commands.EvalSelectionToWindow(true) : commands.EvalCurLineToWindow(true);
  if (!result || result->empty()) return;
  editor.ShowCallTip(note.position, platform::ToUtf8(*result));
  s.callTipShownAt = GetTickCount();
}

}  // namespace

PluginState& State() {
  static PluginState state;
  return state;
}

void LogProc(std::u16string_view procedure, std::u16string_view text) {
  const PluginState& s = State();
  if (!s.logOn) return;
  std::u16string name(procedure);
  name.resize(std::max<std::size_t>(name.size(), 20), u' ');
  exports::session().services->AppendLine(s.logFile, u"Proc: " + name + std::u16string(text));
}

EditorCommands Commands() {
  static NppHost host(State().npp);
  exports::Session& session = exports::session();
  ApplySettingsToBatch(State());
  return EditorCommands(CommandContext{exports::BatchOf(session), *session.services, *session.windows, host,
                                       State().settings, [](std::u16string_view line) { LogProc(u"Command", line); }});
}

void SaveSetting(std::u16string_view key, std::u16string_view value) {
  ProfileStore store(State().settingsFile);
  if (!store.Write(kSection, key, value))
    MessageBoxW(State().npp.nppHandle,
                Wide(u"The setting could not be saved: " + State().settingsFile + u" cannot be written."), kName,
                MB_OK | MB_ICONWARNING);
}

void ApplyDwellTime() {
  const PluginState& s = State();
  const WPARAM time =
      s.settings.evalToTooltip || s.settings.liveResults ? 1000 : static_cast<WPARAM>(npp::kDwellNever);
  for (HWND view : {s.npp.scintillaMainHandle, s.npp.scintillaSecondHandle})
    if (view != nullptr) SendMessageW(view, npp::kSciSetMouseDwellTime, time, 0);
}

}  // namespace plugin

using plugin::State;

extern "C" {

__declspec(dllexport) BOOL __cdecl isUnicode() { return TRUE; }

// Called before setInfo: nothing here may need the host.
__declspec(dllexport) const wchar_t* __cdecl getName() { return plugin::kName; }

__declspec(dllexport) void __cdecl setInfo(plugin::npp::NppData data) {
  plugin::PluginState& s = State();
  s.npp = data;
  plugin::LocateSettings(s);
  plugin::ProfileStore store(s.settingsFile);
  s.settings = plugin::LoadSettings(store);
  exports::Session& session = exports::session();
  session.services->PreferDialogs(data.nppHandle);
  plugin::FollowEditorTheme();
  session.engine.matrices.elementOrder.order = -1;  // undecided until a caller shows its arrays
  if (s.settings.debug) {
    s.logOn = script::StartPluginLog(*session.services, s.logFile, script::InformationText());
  }
  plugin::ApplySettingsToBatch(s);
  plugin::LogProc(u"setInfo", u": END");
}

__declspec(dllexport) plugin::npp::FuncItem* __cdecl getFuncsArray(int* count) {
  plugin::FillMenuTable(State());
  *count = static_cast<int>(State().items.size());
  return State().items.data();
}

__declspec(dllexport) void __cdecl beNotified(plugin::npp::SCNotification* note) {
  if (note == nullptr) return;
  switch (note->nmhdr.code) {
    case plugin::npp::kReady:
      plugin::ApplyDwellTime();
      plugin::StartShortcutKeys();
      plugin::StartLiveResults();
      break;
    case plugin::npp::kShutdown: {
      plugin::StopShortcutKeys();
      plugin::StopLiveResults();
      // Views are still alive here, unlike at unload: dwell events go back to never.
      plugin::PluginState& s = State();
      const bool tooltips = s.settings.evalToTooltip;
      s.settings.evalToTooltip = false;
      plugin::ApplyDwellTime();
      s.settings.evalToTooltip = tooltips;
      break;
    }
    case plugin::npp::kDarkModeChanged:
      plugin::ThemeChanged();
      plugin::FollowDocuments(*note);
      break;
    default:
      plugin::FollowDocuments(*note);
      plugin::Dwell(*note);
      break;
  }
}

__declspec(dllexport) LRESULT __cdecl messageProc(UINT message, WPARAM wParam, LPARAM) {
  plugin::PluginState& s = State();
  if (!s.menusAdded) plugin::AddMenus();
  if (message == WM_COMMAND) plugin::HandleOption(LOWORD(wParam));
  return 0;
}

}  // extern "C"
