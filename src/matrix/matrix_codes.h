// SPDX-License-Identifier: MIT
// What the matrix functions answer: kTrue on success, else a code callers see. In the error
// table a matrix code's description is the row after its number.
#pragma once

#include <cstdint>

namespace matrix {

enum MatrixCode : std::int32_t {
  kTrue = -1,
  kOrdersNotValid = 5,
  kNotSquare = 6,
  kSingular = 7,
  kWrongRank = 10,
  kFitRank = 12,
  kNoSolution = 13,
  kWrongSwap = 14,
  kNotDefined = 15,
  kInvalidElementOrder = 17,
};

}  // namespace matrix
