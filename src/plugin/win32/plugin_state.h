// SPDX-License-Identifier: MIT
// What the plug-in keeps while the editor runs: the host's handles, the menu table the host
// holds on to, the settings and where they live, the Options submenu and the call tip.
#pragma once

#include <array>
#include <string>

#include "plugin/editor_commands.h"
#include "plugin/menu_table.h"
#include "plugin/settings.h"
#include "plugin/win32/live_host.h"
#include "plugin/win32/npp_abi.h"

namespace plugin {

struct PluginState {
  npp::NppData npp{};
  std::array<npp::FuncItem, kMenu.size()> items{};     // the host keeps a pointer to these
  std::array<npp::ShortcutKey, kMenu.size()> keys{};
  PluginSettings settings;
  std::u16string settingsFile;   // read first beside the host program, else in its config folder
  std::u16string logFile;        // the plug-in log, beside the settings file
  bool logOn = false;
  bool menusAdded = false;
  int firstOptionId = 0;         // the Options items' command ids, allocated by the host
  HMENU optionsMenu = nullptr;
  DWORD callTipShownAt = 0;      // when the last call tip went up; 0 when none is up
  LiveHost live;
};

PluginState& State();

// A "Proc: " line of the plug-in log, when the log is on.
void LogProc(std::u16string_view procedure, std::u16string_view text);

// The editor commands over the host's active view and the library's session.
EditorCommands Commands();

// Writes one setting; says so in a message when the settings file cannot be written.
void SaveSetting(std::u16string_view key, std::u16string_view value);

// Dwell notifications (for call tips) arrive only after a dwell time is set: 1000 ms with call
// tips or live results on, never without.
void ApplyDwellTime();

// Puts the Options submenu into the plug-in's menu once the host has built it (and sets
// menusAdded).
void AddMenus();
// A command of the Options submenu; false for any other id.
bool HandleOption(int id);

}  // namespace plugin
