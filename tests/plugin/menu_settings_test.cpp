// SPDX-License-Identifier: MIT
// The menu table, its shortcut texts, and the settings read from and written to the settings file.
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "engine_core/number_text.h"
#include "plugin/menu_table.h"
#include "plugin/settings.h"

namespace {

std::string Narrow(std::u16string_view text) { return engine::ToNarrowLossy(text); }

TEST(ShortcutTest, FourCharactersMakeAShortcut) {
  struct Case {
    std::u16string_view text;
    bool ctrl, alt, shift;
    int key;
  };
  for (const Case& c : std::vector<Case>{{u"1002", true, false, false, '2'},
                                         {u"101~", true, false, true, 13},  // "~" stands for Enter
                                         {u"110M", true, true, false, 'M'},
                                         {u"000^", false, false, false, 43},
                                         {u"2x1a", false, false, true, 'a'}}) {  // only "1" holds a key
    const std::optional<plugin::Shortcut> shortcut = plugin::ParseShortcut(c.text);
    ASSERT_TRUE(shortcut.has_value()) << Narrow(c.text);
    EXPECT_EQ(std::vector<int>({shortcut->ctrl, shortcut->alt, shortcut->shift, shortcut->key}),
              std::vector<int>({c.ctrl, c.alt, c.shift, c.key}))
        << Narrow(c.text);
  }
  // A key beyond a byte would be cut into another key.
  for (std::u16string_view wrong : {u"", u"100", u"10000", u"100\u20AC"})
    EXPECT_FALSE(plugin::ParseShortcut(wrong).has_value()) << Narrow(wrong);
}

TEST(MenuTest, EntriesInTheEditorsOrder) {
  const std::vector<std::u16string_view> names = {
      u"Eval CurFile To File", u"Eval CurLine To File",   u"", u"Eval CurLine To Wnd",
      u"Eval SelText To Wnd",  u"Eval Expression To Wnd", u"", u"Show Memory",
      u"Insert filename",      u"Build Matrix",           u"", u"About Vuza Reduzodod",
      u"Sum Selection",        u"Live Results in This Document"};
  const std::vector<std::u16string_view> keys = {u"", u"",     u"",     u"1002", u"1003", u"101~", u"",
                                                 u"110M", u"110O", u"110B", u"", u"", u"", u""};
  ASSERT_EQ(plugin::kMenu.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    const plugin::MenuEntry& entry = plugin::kMenu[i];
    EXPECT_EQ(entry.name, names[i]) << "entry " << i + 1;
    EXPECT_EQ(entry.shortcut, keys[i]) << "entry " << i + 1;
    // The host makes a separator of an entry without a function, and of nothing else.
    EXPECT_EQ(entry.command == plugin::MenuCommand::Separator, i == 2 || i == 6 || i == 10) << "entry " << i + 1;
    EXPECT_EQ(plugin::ParseShortcut(entry.shortcut).has_value(), !entry.shortcut.empty()) << "entry " << i + 1;
  }
}

// The settings file as a map of "section/key" to value.
class MapStore final : public plugin::SettingsStore {
 public:
  std::optional<std::u16string> Read(std::u16string_view section, std::u16string_view key) override {
    const auto found = values.find(Key(section, key));
    return found == values.end() ? std::nullopt : std::optional(found->second);
  }
  bool Write(std::u16string_view section, std::u16string_view key, std::u16string_view value) override {
    if (!refuse) values[Key(section, key)] = value;
    return !refuse;
  }
  static std::u16string Key(std::u16string_view section, std::u16string_view key) {
    return std::u16string(section) + u"/" + std::u16string(key);
  }

  std::map<std::u16string, std::u16string> values;
  bool refuse = false;
};

TEST(SettingsTest, TogglesAreNumbersAndNonZeroIsOn) {
  MapStore empty;
  const plugin::PluginSettings defaults = plugin::LoadSettings(empty);
  EXPECT_EQ(defaults.decimals, 4);
  EXPECT_FALSE(defaults.debug || defaults.evalToTooltip || defaults.dontShowSummary || defaults.dontConfirmExpr ||
               defaults.liveResults);
  EXPECT_EQ(defaults.numbers, engine::Numbers::Classic);

  const std::vector<std::pair<std::u16string_view, bool>> cases = {
      {u"1", true},    {u"0", false},  {u"2", true}, {u"-1", true},           {u"abc", false}, {u" 1", true},
      {u"0.5", false}, {u"1.9", true}, {u"", false}, {u"00000000001", false},  // only the first ten characters are read
  };
  for (const auto& [value, on] : cases) {
    MapStore store;
    for (std::u16string_view key : {plugin::kDebugKey, plugin::kTooltipKey, plugin::kNoSummaryKey,
                                    plugin::kNoConfirmKey, plugin::kLiveResultsKey, plugin::kDoublePrecisionKey})
      store.values[MapStore::Key(plugin::kSection, key)] = value;
    const plugin::PluginSettings s = plugin::LoadSettings(store);
    EXPECT_EQ(std::vector<bool>({s.debug, s.evalToTooltip, s.dontShowSummary, s.dontConfirmExpr, s.liveResults,
                                 s.numbers == engine::Numbers::Double}),
              std::vector<bool>(6, on))
        << Narrow(value);
  }
}

TEST(SettingsTest, DecimalsOutsideZeroToFifteenFallBackToFour) {
  const std::vector<std::pair<std::u16string_view, int>> cases = {
      {u"0", 0},  {u"15", 15}, {u"7.9", 7},         {u"1e1", 10},
      {u"16", 4}, {u"-1", 4},  {u"99999999999", 4}, {u"00000000012", 1},  // cut to "0000000001"
  };
  for (const auto& [value, decimals] : cases) {
    MapStore store;
    store.values[MapStore::Key(plugin::kSection, plugin::kDecimalsKey)] = value;
    EXPECT_EQ(plugin::LoadSettings(store).decimals, decimals) << Narrow(value);
  }
}

TEST(SettingsTest, SaveToggleWritesOneOrZero) {
  MapStore store;
  EXPECT_TRUE(plugin::SaveToggle(store, plugin::kNoSummaryKey, true));
  EXPECT_TRUE(plugin::SaveToggle(store, plugin::kDebugKey, false));
  EXPECT_EQ(store.values, (std::map<std::u16string, std::u16string>{{u"ulvXNpp/Don't show Summary", u"1"},
                                                                    {u"ulvXNpp/Debug", u"0"}}));
  EXPECT_TRUE(plugin::LoadSettings(store).dontShowSummary);  // what is written reads back
  store.refuse = true;
  EXPECT_FALSE(plugin::SaveToggle(store, plugin::kDebugKey, true));
}

}  // namespace
