// SPDX-License-Identifier: MIT
// The plug-in's settings: their keys in the settings file, their defaults, and reading and
// writing them through the file's store (the Windows profile functions, or a map in tests).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine_core/formula_settings.h"

namespace plugin {

inline constexpr std::u16string_view kSection = u"ulvXNpp";
inline constexpr std::u16string_view kDebugKey = u"Debug";
inline constexpr std::u16string_view kTooltipKey = u"Eval To ToolTip";
inline constexpr std::u16string_view kDecimalsKey = u"Decimals";
inline constexpr std::u16string_view kNoSummaryKey = u"Don't show Summary";
inline constexpr std::u16string_view kNoConfirmKey = u"Don't confirm Expr";
inline constexpr std::u16string_view kLiveResultsKey = u"Live Results";
inline constexpr std::u16string_view kDoublePrecisionKey = u"Double Precision";

struct PluginSettings {
  bool debug = false;            // write the plug-in log (from the next start)
  bool evalToTooltip = false;    // results of lines and selections as call tips
  std::int32_t decimals = 4;
  bool dontShowSummary = false;  // adds " /nln /nt" to evaluations
  bool dontConfirmExpr = false;  // evaluate without asking
  bool liveResults = false;      // results beside the lines of scripts, and of documents turned on
  engine::Numbers numbers = engine::Numbers::Classic;  // of the menu commands and live results
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::u16string> Read(std::u16string_view section, std::u16string_view key) = 0;
  // False when the value could not be written (a settings file in a folder the user may not
  // write to).
  virtual bool Write(std::u16string_view section, std::u16string_view key, std::u16string_view value) = 0;
};

// Each key is read as a text of at most 10 characters and taken as a number; non-zero is on.
PluginSettings LoadSettings(SettingsStore& store);

// Writes one toggle as "1" or "0".
bool SaveToggle(SettingsStore& store, std::u16string_view key, bool on);

}  // namespace plugin
