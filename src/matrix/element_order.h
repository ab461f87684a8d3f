// SPDX-License-Identifier: MIT
// The element order of callers' arrays and the conversion copy every matrix function uses to
// get row-major work arrays.
#pragma once

#include <cstdint>
#include <string_view>

#include "matrix/matrix_codes.h"

namespace matrix {

struct ElementOrder {
  std::int32_t order = -1;       // callers' arrays: -1 undecided, 0 row-major, 1 column-major
  std::int32_t suppressed = 0;   // non-zero: aCopyArray copies without converting
};

// Copies rows x cols doubles; with column-major order (and no suppression) the column-major
// source lands row-major in destination. Source and destination must not overlap.
std::int32_t aCopyArray(const ElementOrder& order, const double* source, double* destination,
                        std::int32_t rows, std::int32_t cols);

// Stores the order of a 2 x 2 probe holding 1, 2, 3, 4 in the caller's order; returns it.
std::int32_t aElemOrder(ElementOrder& order, const double* probe);
// 0 or 1 is stored (returns -1); anything else leaves the order undecided and returns 17.
std::int32_t aElemOrderSet(ElementOrder& order, std::int32_t value);
// "Visual Basic" or "VB" (exactly) select column-major, any other text row-major.
std::int32_t aElemOrderSt(ElementOrder& order, std::u16string_view language);
// selector 0: aElemOrder(address); 2: aElemOrderSet(*address as int); 3: the order; else 0.
std::int32_t aElemOrderEx(ElementOrder& order, const void* address, std::int32_t selector);

// rows x cols as an element count; 0 when either is not positive or the product overflows.
std::size_t ElementCount(std::int32_t rows, std::int32_t cols);

}  // namespace matrix
