// SPDX-License-Identifier: MIT
// Products, sums, scalings, transposes, traces, norms, tests and exchanges.
#include <algorithm>
#include <cmath>
#include <vector>

#include "matrix/algebra.h"
#include "matrix/work_array.h"

namespace matrix {
namespace {

using Matrix = std::vector<double>;

// C = A B for row-major A (r1 x c1) and B (c1 x c2), sums accumulated from 0 in index order.
Matrix Product(const Matrix& a, std::size_t r1, std::size_t c1, const Matrix& b, std::size_t c2) {
  Matrix c(r1 * c2, 0.0);
  for (std::size_t i = 0; i < r1; ++i)
    for (std::size_t k = 0; k < c2; ++k) {
      double sum = 0.0;
      for (std::size_t j = 0; j < c1; ++j) sum += a[i * c1 + j] * b[j * c2 + k];
      c[i * c2 + k] = sum;
    }
  return c;
}

Matrix Transposed(const Matrix& a, std::size_t rows, std::size_t cols) {
  Matrix t(a.size());
  for (std::size_t i = 0; i < rows; ++i)
    for (std::size_t j = 0; j < cols; ++j) t[j * rows + i] = a[i * cols + j];
  return t;
}

bool IsUnit(const Matrix& a, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = 0; j < n; ++j)
      if (std::fabs(a[i * n + j] - (i == j ? 1.0 : 0.0)) > kSingularity) return false;
  return true;
}

template <typename Op>
std::int32_t Elementwise(const ElementOrder& o, const double* a, std::int32_t rows, std::int32_t cols,
                         const double* b, double* result, Op op) {
  if (!Valid(a, rows, cols) || b == nullptr || result == nullptr) return kOrdersNotValid;
  Matrix x = Load(o, a, rows, cols);
  Matrix y = Load(o, b, rows, cols);
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = op(x[i], y[i]);
  Store(o, x, result, rows, cols);
  return kTrue;
}

template <typename Op>
std::int32_t ElementwiseRaw(const double* a, std::int32_t rows, std::int32_t cols, const double* b,
                            double* result, Op op) {
  if (!Valid(a, rows, cols) || b == nullptr || result == nullptr) return kOrdersNotValid;
  const std::size_t count = ElementCount(rows, cols);
  for (std::size_t i = 0; i < count; ++i) result[i] = op(a[i], b[i]);
  return kTrue;
}

}  // namespace

std::int32_t aMultEx(const ElementOrder& o, const double* a, std::int32_t r1, std::int32_t c1,
                     const double* b, std::int32_t r2, std::int32_t c2, double* result) {
  if (c1 != r2) return kWrongRank;
  if (!Valid(a, r1, c1) || !Valid(b, r2, c2) || result == nullptr) return kOrdersNotValid;
  Matrix c = Product(Load(o, a, r1, c1), static_cast<std::size_t>(r1), static_cast<std::size_t>(c1),
                     Load(o, b, r2, c2), static_cast<std::size_t>(c2));
  Store(o, c, result, r1, c2);
  return kTrue;
}

std::int32_t aMultSq(const ElementOrder& o, const double* a, const double* b, std::int32_t n, double* result) {
  return aMultEx(o, a, n, n, b, n, n, result);
}

std::int32_t aMultVect(const ElementOrder& o, const double* a, std::int32_t rows, std::int32_t cols,
                       const double* v, double* result) {
  if (!Valid(a, rows, cols) || v == nullptr || result == nullptr) return kOrdersNotValid;
  Matrix work = Load(o, a, rows, cols);
  const auto r = static_cast<std::size_t>(rows);
  const auto c = static_cast<std::size_t>(cols);
  std::vector<double> out(r, 0.0);
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < c; ++j) out[i] += work[i * c + j] * v[j];
  std::copy(out.begin(), out.end(), result);
  return kTrue;
}

std::int32_t aMultVectSq(const ElementOrder& o, const double* a, const double* v, std::int32_t n, double* result) {
  return aMultVect(o, a, n, n, v, result);
}

std::int32_t aPow(const ElementOrder& o, const double* a, std::int32_t n, std::int32_t exponent, double* result) {
  if (!Valid(a, n, n) || result == nullptr || exponent < 0) return kOrdersNotValid;
  const auto size = static_cast<std::size_t>(n);
  Matrix base = Load(o, a, n, n);
  Matrix power(size * size, 0.0);
  for (std::size_t i = 0; i < size; ++i) power[i * size + i] = 1.0;
  // Square-and-multiply: O(log exponent) products.
  for (std::int32_t e = exponent; e > 0; e >>= 1) {
    if (e & 1) power = Product(power, size, size, base, size);
    if (e > 1) base = Product(base, size, size, base, size);
  }
  Store(o, power, result, n, n);
  return kTrue;
}

std::int32_t aDiv(const ElementOrder& o, const double* a, const double* b, std::int32_t n, double* result) {
  if (!Valid(a, n, n) || !Valid(b, n, n) || result == nullptr) return kOrdersNotValid;
  std::vector<double> inverse(b, b + ElementCount(n, n));
  if (std::int32_t code = aInv(o, inverse.data(), n); code != kTrue) return code;
  return aMultSq(o, a, inverse.data(), n, result);
}

std::int32_t aSum(const ElementOrder& o, const double* a, std::int32_t rows, std::int32_t cols,
                  const double* b, double* result) {
  return Elementwise(o, a, rows, cols, b, result, [](double x, double y) { return x + y; });
}

std::int32_t aDiff(const ElementOrder& o, const double* a, std::int32_t rows, std::int32_t cols,
                   const double* b, double* result) {
  return Elementwise(o, a, rows, cols, b, result, [](double x, double y) { return x - y; });
}

std::int32_t aSumMem(const double* a, std::int32_t rows, std::int32_t cols, const double* b, double* result) {
  return ElementwiseRaw(a, rows, cols, b, result, [](double x, double y) { return x + y; });
}

std::int32_t aDiffMem(const double* a, std::int32_t rows, std::int32_t cols, const double* b, double* result) {
  return ElementwiseRaw(a, rows, cols, b, result, [](double x, double y) { return x - y; });
}

// Scalings touch every element alike, so the element order does not matter.
std::int32_t aSumScal(const ElementOrder&, double* a, std::int32_t rows, std::int32_t cols, double scalar) {
  if (!Valid(a, rows, cols)) return kOrdersNotValid;
  std::for_each(a, a + ElementCount(rows, cols), [scalar](double& x) { x += scalar; });
  return kTrue;
}

std::int32_t aProdScal(const ElementOrder&, double* a, std::int32_t rows, std::int32_t cols, double scalar) {
  if (!Valid(a, rows, cols)) return kOrdersNotValid;
  std::for_each(a, a + ElementCount(rows, cols), [scalar](double& x) { x *= scalar; });
  return kTrue;
}

std::int32_t aOpp(double* a, std::int32_t rows, std::int32_t cols) {
  if (!Valid(a, rows, cols)) return kOrdersNotValid;
  std::for_each(a, a + ElementCount(rows, cols), [](double& x) { x = -x; });
  return kTrue;
}

std::int32_t aTraspEx(const ElementOrder& o, const double* a, std::int32_t rows, std::int32_t cols, double* result) {
  if (!Valid(a, rows, cols) || result == nullptr) return kOrdersNotValid;
  Matrix t = Transposed(Load(o, a, rows, cols), static_cast<std::size_t>(rows), static_cast<std::size_t>(cols));
  Store(o, t, result, cols, rows);
  return kTrue;
}

std::int32_t aTrasp(const ElementOrder& o, double* a, std::int32_t rows, std::int32_t cols) {
  return aTraspEx(o, a, rows, cols, a);
}

std::int32_t aTraspSq(const ElementOrder& o, double* a, std::int32_t n) { return aTrasp(o, a, n, n); }

std::int32_t aTrace(const ElementOrder& o, const double* a, std::int32_t n, double* trace) {
  if (!Valid(a, n, n) || trace == nullptr) return kOrdersNotValid;
  Matrix work = Load(o, a, n, n);
  double sum = 0.0;
  for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) sum += work[i * static_cast<std::size_t>(n) + i];
  *trace = sum;
  return kTrue;
}

double aTraceN(const ElementOrder& o, const double* a, std::int32_t n) {
  double trace = 0.0;
  aTrace(o, a, n, &trace);
  return trace;
}

std::int32_t aVectMod(const double* v, std::int32_t n, double* norm) {
  if (!Valid(v, n, 1) || norm == nullptr) return kOrdersNotValid;
  double sum = 0.0;
  for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) sum += v[i] * v[i];
  *norm = std::sqrt(sum);
  return kTrue;
}

std::int32_t aMatrIsZero(const ElementOrder&, const double* a, std::int32_t n) {
  if (!Valid(a, n, n)) return 0;
  const std::size_t count = ElementCount(n, n);
  return std::all_of(a, a + count, [](double x) { return x == 0.0; }) ? kTrue : 0;
}

std::int32_t aMatrIsUnit(const ElementOrder& o, const double* a, std::int32_t n) {
  if (!Valid(a, n, n)) return 0;
  return IsUnit(Load(o, a, n, n), static_cast<std::size_t>(n)) ? kTrue : 0;
}

std::int32_t aMatrAreOrtog(const ElementOrder& o, const double* a, const double* b, std::int32_t n) {
  if (!Valid(a, n, n) || !Valid(b, n, n)) return 0;
  const auto size = static_cast<std::size_t>(n);
  return IsUnit(Product(Load(o, a, n, n), size, size, Load(o, b, n, n), size), size) ? kTrue : 0;
}

std::int32_t aMatrIsOrtog(const ElementOrder& o, const double* a, std::int32_t n) {
  if (!Valid(a, n, n)) return 0;
  const auto size = static_cast<std::size_t>(n);
  Matrix work = Load(o, a, n, n);
  return IsUnit(Product(work, size, size, Transposed(work, size, size), size), size) ? kTrue : 0;
}

std::int32_t aMatrAreEquals(const ElementOrder& o, const double* a, const double* b, std::int32_t rows,
                            std::int32_t cols, double tolerance) {
  if (!Valid(a, rows, cols) || !Valid(b, rows, cols)) return 0;
  Matrix x = Load(o, a, rows, cols);
  Matrix y = Load(o, b, rows, cols);
  for (std::size_t i = 0; i < x.size(); ++i)
    if (!(std::fabs(x[i] - y[i]) <= std::fabs(tolerance))) return 0;
  return kTrue;
}

std::int32_t aSwap(double* a, std::int32_t rows, std::int32_t cols, double* b) {
  if (a == nullptr || b == nullptr) return kNotDefined;
  std::swap_ranges(a, a + ElementCount(rows, cols), b);
  return kTrue;
}

std::int32_t aSwapRC(const ElementOrder& o, double* a, std::int32_t rows, std::int32_t cols,
                     std::int32_t selector, std::int32_t index1, std::int32_t index2) {
  const std::int32_t limit = selector != 0 ? rows : cols;
  if (index1 < 1 || index2 < 1 || index1 > limit || index2 > limit) return kWrongSwap;
  if (!Valid(a, rows, cols)) return kOrdersNotValid;
  Matrix work = Load(o, a, rows, cols);
  const auto r = static_cast<std::size_t>(rows);
  const auto c = static_cast<std::size_t>(cols);
  const auto p = static_cast<std::size_t>(index1 - 1);
  const auto q = static_cast<std::size_t>(index2 - 1);
  if (selector != 0) {
    for (std::size_t j = 0; j < c; ++j) std::swap(work[p * c + j], work[q * c + j]);
  } else {
    for (std::size_t i = 0; i < r; ++i) std::swap(work[i * c + p], work[i * c + q]);
  }
  Store(o, work, a, rows, cols);
  return kTrue;
}

}  // namespace matrix
