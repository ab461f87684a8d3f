// SPDX-License-Identifier: MIT
#include "plugin/win32/profile_store.h"

#include <windows.h>

namespace plugin {
namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

std::optional<std::u16string> ProfileStore::Read(std::u16string_view section, std::u16string_view key) {
  const std::u16string s(section), k(key);
  constexpr wchar_t kMissing[] = L"\x01";
  wchar_t value[64] = L"";
  GetPrivateProfileStringW(Wide(s), Wide(k), kMissing, value, 64, Wide(file_));
  if (value[0] == L'\x01') return std::nullopt;
  return std::u16string(reinterpret_cast<const char16_t*>(value));
}

bool ProfileStore::Write(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  const std::u16string s(section), k(key), v(value);
  return WritePrivateProfileStringW(Wide(s), Wide(k), Wide(v), Wide(file_)) != FALSE;
}

}  // namespace plugin
