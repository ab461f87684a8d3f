// SPDX-License-Identifier: MIT
// Least-squares polynomial fit, polynomial values, and the inverse of a quadratic.
#include <cmath>
#include <vector>

#include "matrix/algebra.h"
#include "matrix/work_array.h"

namespace matrix {
namespace {

// The fit's chain of matrix calls works on its own row-major arrays: conversion is off while
// it runs, whatever the callers' order, and back on afterwards.
class SuppressReorder {
 public:
  explicit SuppressReorder(ElementOrder& o) : order_(o) { order_.suppressed = 1; }
  ~SuppressReorder() { order_.suppressed = 0; }
  SuppressReorder(const SuppressReorder&) = delete;
  SuppressReorder& operator=(const SuppressReorder&) = delete;

 private:
  ElementOrder& order_;
};

}  // namespace

std::int32_t aCalcVectCoeff(ElementOrder& o, const double* design, std::int32_t n, std::int32_t m,
                            const double* y, double* coeffs) {
  if (!Valid(design, n, m) || y == nullptr || coeffs == nullptr) return kOrdersNotValid;
  SuppressReorder plain(o);
  const auto mm = static_cast<std::size_t>(m);
  std::vector<double> vt(ElementCount(m, n));
  aTraspEx(o, design, n, m, vt.data());
  std::vector<double> normal(mm * mm);
  aMultEx(o, vt.data(), m, n, design, n, m, normal.data());
  if (std::int32_t code = aInv(o, normal.data(), m); code != kTrue) return code;
  std::vector<double> u(mm);
  aMultVect(o, vt.data(), m, n, y, u.data());
  return aMultVect(o, normal.data(), m, m, u.data(), coeffs);
}

std::int32_t aCalcCoeffPolin(ElementOrder& o, const double* points, std::int32_t n, std::int32_t m,
                             double* coeffs) {
  if (m < 1 || n < m) return kFitRank;
  if (!Valid(points, 2, n) || coeffs == nullptr) return kOrdersNotValid;
  const auto count = static_cast<std::size_t>(n);
  const auto terms = static_cast<std::size_t>(m);
  std::vector<double> xy = Load(o, points, 2, n);
  std::vector<double> design(count * terms);
  for (std::size_t i = 0; i < count; ++i)
    for (std::size_t j = 0; j < terms; ++j)
      design[i * terms + j] = std::pow(xy[i], static_cast<double>(j));
  return aCalcVectCoeff(o, design.data(), n, m, xy.data() + count, coeffs);
}

std::int32_t aGetYPolin(const double* x, const double* coeffs, std::int32_t m, double* y) {
  if (x == nullptr || coeffs == nullptr || y == nullptr) return kOrdersNotValid;
  double sum = 0.0;
  for (std::int32_t j = 0; j < m; ++j) sum += coeffs[j] * std::pow(*x, static_cast<double>(j));
  *y = sum;
  return kTrue;
}

std::int32_t aGetXsOfQuadr(const double* y, const double* c, std::int32_t m, double* x1, double* x2) {
  if (y == nullptr || c == nullptr || x1 == nullptr || x2 == nullptr || m < 1 || m > 3)
    return kOrdersNotValid;
  if (m == 1) {
    *x1 = *y;
    *x2 = 0.0;
    return kTrue;
  }
  if (m == 2) {
    if (c[1] == 0.0) return kNoSolution;
    *x1 = (*y - c[0]) / c[1];
    *x2 = 0.0;
    return kTrue;
  }
  const double d = c[1] * c[1] - (c[0] - *y) * 4 * c[2];
  if (d < 0 || c[2] == 0.0) return kNoSolution;
  *x1 = (std::sqrt(d) - c[1]) / (2 * c[2]);
  *x2 = (-std::sqrt(d) - c[1]) / (2 * c[2]);
  return kTrue;
}

}  // namespace matrix
