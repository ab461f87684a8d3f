// SPDX-License-Identifier: MIT
// The public benchmark's expression lists: one expression a line, "#" starting a comment.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace peers {

struct Expression {
  int line;  // in the file, from 1
  std::string text;
};

// Nothing when the file cannot be read.
std::optional<std::vector<Expression>> ReadExpressions(const std::filesystem::path& path);

// Whether a power stands as the exponent of another without brackets ("a^b^c", "a^-2^3"): we
// read ^ from the left and the peers from the right, so such a text means different numbers.
bool HasChainedPower(std::string_view text);

}  // namespace peers
