// SPDX-License-Identifier: MIT
#include <iostream>

#include "line_editor.h"

namespace ulvxnpp {

std::optional<std::string> ReadLine(const char* prompt) {
  std::cout << prompt << std::flush;
  std::string line;
  if (!std::getline(std::cin, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// The console keeps the lines of the current session itself; nothing here could recall more.
std::string KeepHistory() { return {}; }

}  // namespace ulvxnpp
