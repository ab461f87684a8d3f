// SPDX-License-Identifier: MIT
// The shared table of error descriptions of the matrix, evaluator and differentiator modules,
// and the separate table of batch status texts.
#pragma once

#include <cstdint>
#include <string_view>

namespace engine {

inline constexpr int kMatrixBase = 1;
inline constexpr int kEvalBase = 30;
inline constexpr int kDiffBase = 60;
inline constexpr int kErrorTableSize = 101;

// Description of an evaluator code: table row 30 + code; rows outside the table give code 25's.
std::u16string_view EvalErrorText(std::int32_t code);

// The description of an evaluator code alone, without the padding and module that the table's
// texts carry: "Division by zero".
std::u16string_view EvalErrorName(std::int32_t code);

// Row of the shared table, empty outside 0..100.
std::u16string_view ErrorTableRow(int row);

// Text of a batch status code (-2 to -9 have texts, every other code an empty text).
std::u16string_view StatusText(std::int32_t code);

}  // namespace engine
