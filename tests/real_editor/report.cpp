// SPDX-License-Identifier: MIT
#include "report.h"

namespace real_editor {

void Report::Check(const std::string& name, bool ok, const std::string& detail) {
  ++(ok ? passed_ : failed_);
  lines_.push_back((ok ? "PASS " : "FAIL ") + name + (ok || detail.empty() ? "" : ": " + detail));
}

std::string Report::Text() const {
  std::string text;
  for (const std::string& line : lines_) text += line + "\r\n";
  return text + std::to_string(passed_) + " passed, " + std::to_string(failed_) + " failed\r\n";
}

}  // namespace real_editor
