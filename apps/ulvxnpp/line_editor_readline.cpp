// SPDX-License-Identifier: MIT
#include <cstdio>
#include <cstdlib>

#include <readline/history.h>
#include <readline/readline.h>

#include "line_editor.h"

namespace ulvxnpp {

std::optional<std::string> ReadLine(const char* prompt) {
  char* line = readline(prompt);
  if (line == nullptr) return std::nullopt;
  std::string text(line);
  std::free(line);
  if (!text.empty()) add_history(text.c_str());
  return text;
}

}  // namespace ulvxnpp
