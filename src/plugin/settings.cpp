// SPDX-License-Identifier: MIT
#include "plugin/settings.h"

#include "engine_core/number_text.h"

namespace plugin {
namespace {

std::optional<std::int32_t> Number(SettingsStore& store, std::u16string_view key) {
  const std::optional<std::u16string> text = store.Read(kSection, key);
  if (!text) return std::nullopt;
  return engine::TruncToInt32(engine::ParseDecimal(std::u16string_view(*text).substr(0, 10)));
}

bool On(SettingsStore& store, std::u16string_view key) { return Number(store, key).value_or(0) != 0; }

}  // namespace

PluginSettings LoadSettings(SettingsStore& store) {
  PluginSettings settings;
  settings.debug = On(store, kDebugKey);
  settings.evalToTooltip = On(store, kTooltipKey);
  settings.decimals = Number(store, kDecimalsKey).value_or(4);
  if (settings.decimals < 0 || settings.decimals > 15) settings.decimals = 4;
  settings.dontShowSummary = On(store, kNoSummaryKey);
  settings.dontConfirmExpr = On(store, kNoConfirmKey);
  settings.liveResults = On(store, kLiveResultsKey);
  settings.numbers = On(store, kDoublePrecisionKey) ? engine::Numbers::Double : engine::Numbers::Classic;
  return settings;
}

bool SaveToggle(SettingsStore& store, std::u16string_view key, bool on) {
  return store.Write(kSection, key, on ? u"1" : u"0");
}

}  // namespace plugin
