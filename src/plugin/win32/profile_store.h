// SPDX-License-Identifier: MIT
// The settings file through the Windows profile functions.
#pragma once

#include <string>

#include "plugin/settings.h"

namespace plugin {

class ProfileStore final : public SettingsStore {
 public:
  explicit ProfileStore(std::u16string file) : file_(std::move(file)) {}
  std::optional<std::u16string> Read(std::u16string_view section, std::u16string_view key) override;
  bool Write(std::u16string_view section, std::u16string_view key, std::u16string_view value) override;

 private:
  std::u16string file_;
};

}  // namespace plugin
