// SPDX-License-Identifier: MIT
// Determinants, inverses, linear systems and the pivot diagonal.
#include <cmath>
#include <utility>
#include <vector>

#include "matrix/algebra.h"
#include "matrix/work_array.h"

namespace matrix {
namespace {

using Matrix = std::vector<double>;

std::size_t Idx(std::size_t n, std::size_t i, std::size_t j) { return i * n + j; }

// Column-pivoting elimination as the determinant has always been computed for orders of 4 and
// more: in step k the largest element of row k from column k on (a later one only when
// strictly larger) becomes the pivot by a column exchange. A pivot at or below the threshold
// makes the determinant 0 and the step is skipped. Returns the running product; `a` ends up
// eliminated, its diagonal holding the pivots.
double Eliminate(Matrix& a, std::size_t n) {
  double product = 1.0;
  for (std::size_t k = 0; k + 1 < n; ++k) {
    std::size_t pivot = k;
    for (std::size_t l = k + 1; l < n; ++l)
      if (std::fabs(a[Idx(n, k, l)]) > std::fabs(a[Idx(n, k, pivot)])) pivot = l;
    if (std::fabs(a[Idx(n, k, pivot)]) <= kSingularity) {
      product = 0.0;
      continue;
    }
    if (pivot != k) {
      for (std::size_t i = 0; i < n; ++i) std::swap(a[Idx(n, i, k)], a[Idx(n, i, pivot)]);
      product = -product;
    }
    product *= a[Idx(n, k, k)];
    for (std::size_t j = k + 1; j < n; ++j) {
      const double factor = a[Idx(n, j, k)] / a[Idx(n, k, k)];
      for (std::size_t l = k + 1; l < n; ++l) a[Idx(n, j, l)] -= factor * a[Idx(n, k, l)];
    }
  }
  return n == 0 ? product : product * a[Idx(n, n - 1, n - 1)];
}

// Determinant of a row-major n x n matrix: closed forms up to order 3, elimination above; an
// eliminated value below the threshold is exactly 0. Order 0 (the empty minor) is 1.
double Determinant(const Matrix& a, std::size_t n) {
  switch (n) {
    case 0: return 1.0;
    case 1: return a[0];
    case 2: return a[0] * a[3] - a[1] * a[2];
    case 3:
      return a[0] * (a[4] * a[8] - a[5] * a[7]) - a[1] * (a[3] * a[8] - a[5] * a[6]) +
             a[2] * (a[3] * a[7] - a[4] * a[6]);
    default: {
      Matrix copy = a;
      double det = Eliminate(copy, n);
      return std::fabs(det) < kSingularity ? 0.0 : det;
    }
  }
}

Matrix Minor(const Matrix& a, std::size_t n, std::size_t row, std::size_t col) {
  Matrix minor;
  minor.reserve((n - 1) * (n - 1));
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = 0; j < n; ++j)
      if (i != row && j != col) minor.push_back(a[Idx(n, i, j)]);
  return minor;
}

// Inverse by the adjugate: element (c, r) = (-1)^(r+c) det(minor(r, c)) / det.
Matrix AdjugateInverse(const Matrix& a, std::size_t n, double det) {
  Matrix inverse(n * n);
  for (std::size_t r = 0; r < n; ++r)
    for (std::size_t c = 0; c < n; ++c)
      inverse[Idx(n, c, r)] = std::pow(-1.0, static_cast<double>(r + c)) *
                              Determinant(Minor(a, n, r, c), n - 1) / det;
  return inverse;
}

// Solves a x = b for every column of b (n x m, row-major) by Gaussian elimination with partial
// pivoting; a and b are overwritten, the solution is left in b. For large orders, where the
// direct methods cost O(n^5) and O(n^4).
void SolveByLU(Matrix& a, Matrix& b, std::size_t n, std::size_t m) {
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t pivot = k;
    for (std::size_t i = k + 1; i < n; ++i)
      if (std::fabs(a[Idx(n, i, k)]) > std::fabs(a[Idx(n, pivot, k)])) pivot = i;
    if (pivot != k) {
      for (std::size_t j = 0; j < n; ++j) std::swap(a[Idx(n, k, j)], a[Idx(n, pivot, j)]);
      for (std::size_t j = 0; j < m; ++j) std::swap(b[Idx(m, k, j)], b[Idx(m, pivot, j)]);
    }
    const double diagonal = a[Idx(n, k, k)];
    for (std::size_t i = k + 1; i < n; ++i) {
      const double factor = a[Idx(n, i, k)] / diagonal;
      if (factor == 0.0) continue;
      for (std::size_t j = k; j < n; ++j) a[Idx(n, i, j)] -= factor * a[Idx(n, k, j)];
      for (std::size_t j = 0; j < m; ++j) b[Idx(m, i, j)] -= factor * b[Idx(m, k, j)];
    }
  }
  for (std::size_t k = n; k-- > 0;) {
    for (std::size_t j = 0; j < m; ++j) {
      double sum = b[Idx(m, k, j)];
      for (std::size_t l = k + 1; l < n; ++l) sum -= a[Idx(n, k, l)] * b[Idx(m, l, j)];
      b[Idx(m, k, j)] = sum / a[Idx(n, k, k)];
    }
  }
}

Matrix Identity(std::size_t n) {
  Matrix unit(n * n, 0.0);
  for (std::size_t i = 0; i < n; ++i) unit[Idx(n, i, i)] = 1.0;
  return unit;
}

}  // namespace

std::int32_t aDet(const ElementOrder& o, const double* a, std::int32_t n, double* det) {
  if (!Valid(a, n, n) || det == nullptr) return kOrdersNotValid;
  *det = Determinant(Load(o, a, n, n), static_cast<std::size_t>(n));
  return kTrue;
}

double aDetN(const ElementOrder& o, const double* a, std::int32_t n) {
  double det = 0.0;
  aDet(o, a, n, &det);
  return det;
}

std::int32_t aMatrIsSing(const ElementOrder& o, const double* a, std::int32_t n) {
  return aDetN(o, a, n) == 0.0 ? kTrue : 0;
}

std::int32_t aInv(const ElementOrder& o, double* a, std::int32_t n) {
  if (!Valid(a, n, n)) return kOrdersNotValid;
  const auto size = static_cast<std::size_t>(n);
  Matrix work = Load(o, a, n, n);
  // Singularity is decided on the determinant, whichever method computes the inverse.
  const double det = Determinant(work, size);
  if (det == 0.0) return kSingular;
  Matrix inverse;
  if (n <= kDirectMethodMaxOrder) {
    inverse = AdjugateInverse(work, size, det);
  } else {
    inverse = Identity(size);
    SolveByLU(work, inverse, size, size);
  }
  Store(o, inverse, a, n, n);
  return kTrue;
}

std::int32_t aSist(const ElementOrder& o, const double* a, std::int32_t n, const double* b, double* x) {
  if (!Valid(a, n, n) || b == nullptr || x == nullptr) return kOrdersNotValid;
  const auto size = static_cast<std::size_t>(n);
  Matrix work = Load(o, a, n, n);
  const double det = Determinant(work, size);
  if (det == 0.0) return kSingular;
  Matrix solution(b, b + size);
  if (n <= kDirectMethodMaxOrder) {
    // Cramer's rule: x(k) = det(a with column k replaced by b) / det.
    for (std::size_t k = 0; k < size; ++k) {
      Matrix replaced = work;
      for (std::size_t i = 0; i < size; ++i) replaced[Idx(size, i, k)] = b[i];
      solution[k] = Determinant(replaced, size) / det;
    }
  } else {
    SolveByLU(work, solution, size, 1);
  }
  std::copy(solution.begin(), solution.end(), x);
  return kTrue;
}

std::int32_t aDiag(const ElementOrder& o, double* a, std::int32_t n) {
  if (!Valid(a, n, n)) return kOrdersNotValid;
  const auto size = static_cast<std::size_t>(n);
  Matrix work = Load(o, a, n, n);
  Eliminate(work, size);
  for (std::size_t i = 0; i < size; ++i)
    for (std::size_t j = 0; j < size; ++j)
      if (i != j) work[Idx(size, i, j)] = 0.0;
  Store(o, work, a, n, n);
  return kTrue;
}

}  // namespace matrix
