// SPDX-License-Identifier: MIT
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <readline/history.h>
#include <readline/readline.h>

#include "line_editor.h"

namespace ulvxnpp {
namespace {

constexpr int kKeptLines = 1000;
std::string historyFile;  // where entered lines are appended; empty: nowhere

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  const passwd* user = getpwuid(getuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

}  // namespace

std::optional<std::string> ReadLine(const char* prompt) {
  char* line = readline(prompt);
  if (line == nullptr) return std::nullopt;
  std::string text(line);
  std::free(line);
  if (!text.empty()) {
    add_history(text.c_str());
    // At once, so that a session that is killed keeps what was typed.
    if (!historyFile.empty()) append_history(1, historyFile.c_str());
  }
  return text;
}

std::string KeepHistory() {
  const std::string home = HomeFolder();
  if (home.empty()) return {};
  historyFile = home + "/.ulvxnpp_history";
  stifle_history(kKeptLines);
  // Appending needs the file to exist; one that can be neither read nor made keeps nothing.
  const int read = read_history(historyFile.c_str());
  if ((read == ENOENT && write_history(historyFile.c_str()) != 0) || (read != 0 && read != ENOENT)) {
    historyFile.clear();
    return {};
  }
  history_truncate_file(historyFile.c_str(), kKeptLines);
  return historyFile;
}

}  // namespace ulvxnpp
