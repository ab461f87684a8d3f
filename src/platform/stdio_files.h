// SPDX-License-Identifier: MIT
// Whole-file reads and writes over an open C stream, shared by the platform implementations
// (which differ only in how they open a path).
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Reads the stream to its end and closes it; nothing when a read fails.
std::optional<std::string> ReadAllAndClose(std::FILE* file);

// Writes bytes and closes the stream; false when either fails.
bool WriteAllAndClose(std::FILE* file, std::string_view bytes);

}  // namespace platform
