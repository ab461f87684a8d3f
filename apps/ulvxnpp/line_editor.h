// SPDX-License-Identifier: MIT
// Reading lines at the interactive prompt: with history and editing where the terminal has
// them, plain lines otherwise.
#pragma once

#include <optional>
#include <string>

namespace ulvxnpp {

// The next line typed at the prompt (UTF-8), or nothing at the end of input.
std::optional<std::string> ReadLine(const char* prompt);

// Keeps the lines typed across sessions in a file in the user's home: the earlier ones can be
// recalled, each new one is added as it is entered. Returns the file, or nothing where lines
// cannot be recalled.
std::string KeepHistory();

}  // namespace ulvxnpp
