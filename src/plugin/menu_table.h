// SPDX-License-Identifier: MIT
// The plug-in's menu: its entries with their shortcuts, in the order the editor shows
// them, and the shortcut text rule.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace plugin {

enum class MenuCommand : std::uint8_t {
  Separator,
  CurFileToFile,
  CurLineToFile,
  CurLineToWindow,
  SelectionToWindow,
  ExpressionToDocument,
  SumSelection,
  LiveResultsHere,
  ShowMemory,
  InsertFileName,
  BuildMatrix,
  About,
};

struct MenuEntry {
  std::u16string_view name;      // empty for a separator
  std::u16string_view shortcut;  // four characters: Ctrl, Alt, Shift ("1" = held) and the key
  MenuCommand command;
};

inline constexpr std::array<MenuEntry, 14> kMenu = {{
    {u"Eval CurFile To File", u"", MenuCommand::CurFileToFile},
    {u"Eval CurLine To File", u"", MenuCommand::CurLineToFile},
    {u"", u"", MenuCommand::Separator},
    {u"Eval CurLine To Wnd", u"1002", MenuCommand::CurLineToWindow},
    {u"Eval SelText To Wnd", u"1003", MenuCommand::SelectionToWindow},
    {u"Eval Expression To Wnd", u"101~", MenuCommand::ExpressionToDocument},
    {u"", u"", MenuCommand::Separator},
    {u"Show Memory", u"110M", MenuCommand::ShowMemory},
    {u"Insert filename", u"110O", MenuCommand::InsertFileName},
    {u"Build Matrix", u"110B", MenuCommand::BuildMatrix},
    {u"", u"", MenuCommand::Separator},
    {u"About Vuza Reduzodod", u"", MenuCommand::About},
    // Later entries go last: the editor keeps a user's shortcuts for a plug-in's commands by
    // their place in this list.
    {u"Sum Selection", u"", MenuCommand::SumSelection},
    {u"Live Results in This Document", u"", MenuCommand::LiveResultsHere},
}};

struct Shortcut {
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
  std::uint8_t key = 0;
};

// Exactly four characters, else no shortcut: "1" in the first three holds Ctrl, Alt and Shift;
// the fourth is the key, "~" for Enter (13), "^" for code 43, any other its own code.
std::optional<Shortcut> ParseShortcut(std::u16string_view text);

}  // namespace plugin
