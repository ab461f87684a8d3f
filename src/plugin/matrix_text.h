// SPDX-License-Identifier: MIT
// The text the matrix dialog gives for its cells: a Matr (or Vect) line, or DimX lines, one
// per row, that a script reads back as the same matrix.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plugin {

// cells holds rows x cols texts, row by row; an empty cell counts as 0.
std::u16string MatrixDialogText(std::u16string_view name, int rows, int cols, const std::vector<std::u16string>& cells,
                                bool dimX);

// "[mA]" for "mA" or "[mA]".
std::u16string BracketedName(std::u16string_view name);

}  // namespace plugin
