// SPDX-License-Identifier: MIT
#include "matrix/work_array.h"

#include <algorithm>

namespace matrix {

std::vector<double> Load(const ElementOrder& o, const double* a, std::int32_t rows, std::int32_t cols) {
  std::vector<double> work(ElementCount(rows, cols));
  if (!work.empty()) aCopyArray(o, a, work.data(), rows, cols);
  return work;
}

void Store(const ElementOrder& o, const std::vector<double>& work, double* a, std::int32_t rows,
           std::int32_t cols) {
  const std::size_t count = ElementCount(rows, cols);
  if (count == 0 || a == nullptr) return;
  if (o.order != 1 || o.suppressed != 0) {
    std::copy_n(work.data(), count, a);
    return;
  }
  // Row-major (i, j) goes to column-major position j * rows + i.
  const auto r = static_cast<std::size_t>(rows);
  const auto c = static_cast<std::size_t>(cols);
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < c; ++j) a[j * r + i] = work[i * c + j];
}

}  // namespace matrix
