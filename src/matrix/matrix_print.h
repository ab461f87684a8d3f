// SPDX-License-Identifier: MIT
// The text form of a matrix for listings, message boxes and the debug log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace engine {
struct Core;
}

namespace matrix {

struct MatrixStore;

// Title line, then "V(i)=" lines for a vector or "A(i,j)=" + separator per element, rows
// joined by CR LF. Decimals: the characters after the point of format (4 without one); an
// empty separator is a tab. Mode "MsgBox" (or empty) shows the text, "Debug" sends it to the
// debug log, "String" and "File" only return it.
std::u16string aPrint(engine::Core& core, const MatrixStore& store, const double* addr,
                      std::int32_t rows, std::int32_t cols, std::u16string_view mode,
                      std::u16string_view format, std::u16string_view title,
                      std::u16string_view separator);

// aPrint in "MsgBox" mode with the message flag set to 1 while the box is up.
std::u16string aShow(engine::Core& core, const MatrixStore& store, const double* addr,
                     std::int32_t rows, std::int32_t cols);

}  // namespace matrix
