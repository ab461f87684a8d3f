// SPDX-License-Identifier: MIT
#include "plugin/menu_table.h"

namespace plugin {

std::optional<Shortcut> ParseShortcut(std::u16string_view text) {
  if (text.size() != 4 || text[3] > 0xFF) return std::nullopt;
  Shortcut shortcut;
  shortcut.ctrl = text[0] == u'1';
  shortcut.alt = text[1] == u'1';
  shortcut.shift = text[2] == u'1';
  shortcut.key = text[3] == u'~' ? std::uint8_t{13} : text[3] == u'^' ? std::uint8_t{43} : static_cast<std::uint8_t>(text[3]);
  return shortcut;
}

}  // namespace plugin
