// SPDX-License-Identifier: MIT
// What the scenarios found: one line per check, and the closing count.
#pragma once

#include <string>
#include <vector>

namespace real_editor {

class Report {
 public:
  void Check(const std::string& name, bool ok, const std::string& detail = {});
  // Every check's line, then "N passed, M failed".
  std::string Text() const;

 private:
  std::vector<std::string> lines_;
  int passed_ = 0;
  int failed_ = 0;
};

}  // namespace real_editor
