// SPDX-License-Identifier: MIT
// Reading lines at the interactive prompt: with history and editing where the terminal has
// them, plain lines otherwise.
#pragma once

#include <optional>
#include <string>

namespace ulvxnpp {

// The next line typed at the prompt (UTF-8), or nothing at the end of input.
std::optional<std::string> ReadLine(const char* prompt);

}  // namespace ulvxnpp
