// SPDX-License-Identifier: MIT
// Row-major work copies of callers' matrices, and the way back into the caller's order.
#pragma once

#include <cstdint>
#include <vector>

#include "matrix/element_order.h"

namespace matrix {

// A row-major copy of a rows x cols matrix held in the caller's element order.
std::vector<double> Load(const ElementOrder& o, const double* a, std::int32_t rows, std::int32_t cols);

// Writes a row-major rows x cols work array to a caller's block in the caller's element order.
void Store(const ElementOrder& o, const std::vector<double>& work, double* a, std::int32_t rows,
           std::int32_t cols);

// Whether the arguments describe a matrix that can be read: a block and positive dimensions.
inline bool Valid(const void* a, std::int32_t rows, std::int32_t cols) {
  return a != nullptr && ElementCount(rows, cols) != 0;
}

}  // namespace matrix
