// SPDX-License-Identifier: MIT
// The Options submenu of the plug-in's menu: its items, their check marks and what each does.
// Its command ids come from the host, which hands their commands to messageProc.
#include <windows.h>

#include <array>
#include <string>

#include "diff/differentiate.h"
#include "engine/evaluator.h"
#include "engine_core/number_text.h"
#include "exports/session.h"
#include "platform/utf8.h"
#include "plugin/win32/plugin_state.h"
#include "script/batch.h"
#include "script/command_table.h"
#include "script/script_run.h"
#include "ui/text_views.h"

namespace plugin {
namespace {

constexpr wchar_t kTitle[] = L"Vuza Reduzodod";

enum class Option {
  PluginLog, ShowErrorMessages, ShowDebugLog, Separator, Decimals, DoublePrecision, ShowCommands,
  SupportedFunctions, ResetMemory, EvalToTooltip, LiveResults, DontShowSummary, DontConfirmExpr, Acknowledgments,
};

constexpr std::array<const wchar_t*, 14> kOptionNames = {
    L"Plugin Log",          L"Show Error Messages", L"Show Debug Log",     L"-",
    L"Decimals",            L"Double Precision",    L"Show Commands",      L"Supported Functions",
    L"ReSet memory",        L"Eval to Tooltip",     L"Live Results",       L"Don't show Summary",
    L"Don't confirm Expr",  L"Acknowledgments",
};

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

int Answer(const std::u16string& text, UINT buttons = MB_OK) {
  return MessageBoxW(State().npp.nppHandle, Wide(text), kTitle, buttons);
}

int IdOf(Option option) { return State().firstOptionId + static_cast<int>(option); }

void Check(Option option, bool on) {
  if (State().optionsMenu != nullptr)
    CheckMenuItem(State().optionsMenu, static_cast<UINT>(IdOf(option)), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void ShowChecks() {
  const PluginSettings& s = State().settings;
  Check(Option::PluginLog, s.debug || State().logOn);  // on now, or from the next start
  Check(Option::DoublePrecision, s.numbers == engine::Numbers::Double);
  Check(Option::EvalToTooltip, s.evalToTooltip);
  Check(Option::LiveResults, s.liveResults);
  Check(Option::DontShowSummary, s.dontShowSummary);
  Check(Option::DontConfirmExpr, s.dontConfirmExpr);
}

// The plug-in's own popup in the Plugins menu: the one that holds its first command.
HMENU PluginPopup() {
  HMENU plugins = reinterpret_cast<HMENU>(SendMessageW(State().npp.nppHandle, npp::kGetMenuHandle, 0, 0));
  if (plugins == nullptr) return nullptr;
  const UINT first = static_cast<UINT>(State().items[0].cmdID);
  for (int i = 0, count = GetMenuItemCount(plugins); i < count; ++i) {
    HMENU popup = GetSubMenu(plugins, i);
    if (popup != nullptr && GetMenuState(popup, first, MF_BYCOMMAND) != static_cast<UINT>(-1)) return popup;
  }
  return nullptr;
}

void ToggleLog(PluginState& s) {
  if (s.logOn || s.settings.debug) {
    s.logOn = false;
    s.settings.debug = false;
    Answer(u"Debug disabled.");
  } else {
    const int answer = Answer(u"Debug for 'Vuza Reduzodod' will be active the next time the Notepad++ is launched.\r\n"
                              u"A file with extension .dbg will be (over)written in the \\plugins\\ulvXNpp folder.\r\n\r\n"
                              u"Do you also want to start debug now?",
                              MB_YESNOCANCEL);
    if (answer == IDCANCEL) return;
    s.settings.debug = true;
    if (answer == IDYES)
      s.logOn = script::StartPluginLog(*exports::session().services, s.logFile, script::InformationText());
  }
  SaveSetting(kDebugKey, s.settings.debug ? u"1" : u"0");
}

void AskDecimals(PluginState& s) {
  const std::optional<std::u16string> answer = exports::session().services->AskText(
      u"Input number of decimals for results:", u"ulvXNpp Input", engine::IntegerText(s.settings.decimals));
  if (!answer) return;
  const std::u16string_view text = *answer;
  const bool digits = !text.empty() && text.size() <= 2 &&
                      text.find_first_not_of(u"0123456789") == std::u16string_view::npos;
  const std::int32_t value = digits ? engine::TruncToInt32(engine::ParseDecimal(text)) : -1;
  if (value < 0 || value > 15) {
    MessageBoxW(s.npp.nppHandle, L"Invalid number", L"ulvXNpp Error", MB_OK);
    return;
  }
  s.settings.decimals = value;
  SaveSetting(kDecimalsKey, *answer);
}

// The menu commands take the numbers at their next run, live results at once.
void ToggleDoublePrecision(PluginSettings& settings) {
  const bool on = settings.numbers != engine::Numbers::Double;
  settings.numbers = on ? engine::Numbers::Double : engine::Numbers::Classic;
  SaveSetting(kDoublePrecisionKey, on ? u"1" : u"0");
  EvaluateLiveAfresh();
}

void ShowLog(std::u16string_view title, const std::u16string& text) {
  exports::Session& session = exports::session();
  ui::ShowLargeText(*session.windows, *session.services, title, text, [&](std::u16string_view shown) {
    const std::optional<std::u16string> file =
        session.services->AskFileName(u"Open File", u"Text (*.txt)|*.txt|All files (*.*)|*.*", true);
    return file && session.services->WriteFile(*file, platform::ToUtf8(shown), false);
  });
}

}  // namespace

void AddMenus() {
  PluginState& s = State();
  HMENU popup = PluginPopup();
  if (popup == nullptr) return;
  // Before anything else: changing the menu sends the host's window messages that come back
  // through messageProc.
  s.menusAdded = true;
  int first = 0;
  if (!SendMessageW(s.npp.nppHandle, npp::kAllocateCmdId, kOptionNames.size(), reinterpret_cast<LPARAM>(&first)) ||
      first == 0)
    return;  // no ids to be had: the plug-in works without its Options
  s.firstOptionId = first;
  s.optionsMenu = CreatePopupMenu();
  for (std::size_t k = 0; k < kOptionNames.size(); ++k) {
    if (static_cast<Option>(k) == Option::Separator) AppendMenuW(s.optionsMenu, MF_SEPARATOR, 0, nullptr);
    else AppendMenuW(s.optionsMenu, MF_STRING, static_cast<UINT_PTR>(first + static_cast<int>(k)), kOptionNames[k]);
  }
  AppendMenuW(popup, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(s.optionsMenu), L"Options");
  ShowChecks();
  DrawMenuBar(s.npp.nppHandle);
  LogProc(u"AddMenus", u": hMenu added");
}

bool HandleOption(int id) {
  PluginState& s = State();
  if (s.firstOptionId == 0 || id < s.firstOptionId || id >= s.firstOptionId + static_cast<int>(kOptionNames.size()))
    return false;
  exports::Session& session = exports::session();
  PluginSettings& settings = s.settings;
  switch (static_cast<Option>(id - s.firstOptionId)) {
    case Option::PluginLog: ToggleLog(s); break;
    case Option::ShowErrorMessages: ShowLog(u"Error Messages", session.engine.core.log.messages); break;
    case Option::ShowDebugLog: ShowLog(u"Debug Log", session.engine.core.log.debugLog); break;
    case Option::Decimals: AskDecimals(s); break;
    case Option::DoublePrecision: ToggleDoublePrecision(settings); break;
    case Option::ShowCommands: session.windows->ShowText(u"Commands", script::CommandListText()); break;
    case Option::SupportedFunctions: session.windows->ShowText(u"Supported Functions", diff::GetDiff_OperAndFuncs()); break;
    case Option::ResetMemory:
      if (Answer(u"Are you sure to reset Vuza Reduzodod memory?", MB_YESNO) == IDYES) engine::ReSetEqParser(session.engine);
      break;
    case Option::EvalToTooltip:
      settings.evalToTooltip = !settings.evalToTooltip;
      if (settings.evalToTooltip && settings.dontShowSummary) {
        settings.dontShowSummary = false;
        SaveSetting(kNoSummaryKey, u"0");
      }
      Answer(settings.evalToTooltip ? u"Evaluate to Tooltip enabled." : u"Evaluate to Tooltip disabled.");
      SaveSetting(kTooltipKey, settings.evalToTooltip ? u"1" : u"0");
      ApplyDwellTime();
      break;
    case Option::LiveResults: ToggleLiveResults(); break;
    case Option::DontShowSummary:
      if (settings.evalToTooltip) {
        Answer(u"'Hide Expr Line' incompatible with 'Eval To ToolTip'");
        break;
      }
      settings.dontShowSummary = !settings.dontShowSummary;
      Answer(settings.dontShowSummary ? u"Hide Expr Line Enabled" : u"Hide Expr Line disabled.");
      SaveSetting(kNoSummaryKey, settings.dontShowSummary ? u"1" : u"0");
      break;
    case Option::DontConfirmExpr:
      settings.dontConfirmExpr = !settings.dontConfirmExpr;
      Answer(settings.dontConfirmExpr ? u"Expression confirmation Disabled" : u"Expression confirmation Enabled");
      SaveSetting(kNoConfirmKey, settings.dontConfirmExpr ? u"1" : u"0");
      break;
    case Option::Acknowledgments:
      Answer(u"ACKNOWLEDGMENTS\r\n\r\nThanks to everyone who tried the evaluator in their text files and told us "
             u"where it went wrong, and to the authors of the editor and of its editing component.");
      break;
    case Option::Separator: break;
  }
  ShowChecks();
  return true;
}

}  // namespace plugin
