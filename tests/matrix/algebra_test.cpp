// SPDX-License-Identifier: MIT
// The algebra family on callers' arrays: determinants, inverses, systems, products, fits.
#include "matrix/algebra.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

using matrix::ElementOrder;
using Matrix = std::vector<double>;

constexpr ElementOrder kRows{0, 0};
constexpr ElementOrder kCols{1, 0};

// How far the product a b is from the unit matrix, element by element.
double DistanceFromUnit(const Matrix& a, const Matrix& b, std::size_t n) {
  Matrix c(a.size());
  const auto order = static_cast<std::int32_t>(n);
  EXPECT_EQ(matrix::aMultEx(kRows, a.data(), order, order, b.data(), order, order, c.data()), -1);
  double worst = 0.0;
  for (std::size_t i = 0; i < n * n; ++i)
    worst = std::max(worst, std::fabs(c[i] - (i % (n + 1) == 0 ? 1.0 : 0.0)));
  return worst;
}

// Diagonally dominant, so well conditioned at any order, with a determinant far from 0.
Matrix Dominant(std::size_t n) {
  Matrix a(n * n);
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = 0; j < n; ++j) {
      const double d = static_cast<double>(i > j ? i - j : j - i);
      a[i * n + j] = i == j ? 2.0 + 0.01 * static_cast<double>(i % 7)
                            : 0.5 / ((1 + d) * (1 + d)) * (i < j ? 1 : -1);
    }
  return a;
}

double Det(const Matrix& a, std::int32_t n) {
  double det = -99.0;
  EXPECT_EQ(matrix::aDet(kRows, a.data(), n, &det), -1);
  return det;
}

TEST(AlgebraTest, Determinants) {
  const struct {
    Matrix a;
    std::int32_t n;
    double det;
  } cases[] = {
      {{-4}, 1, -4},
      {{1, 2, 3, 4}, 2, -2},
      {{2, 0, 1, 1, 3, 2, 1, 1, 2}, 3, 6},
      // Order 4 on: the first pivot needs a column exchange.
      {{0, 2, 0, 0, 3, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 5}, 4, -120},
      {{0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 1, 0, 0, 1}, 4, 0},
      // Every pivot clears the threshold but the product, 1e-13, does not.
      {{1e-4, 0, 0, 0, 0, 1e-4, 0, 0, 0, 0, 1e-4, 0, 0, 0, 0, 1e-1}, 4, 0},
      // Orders up to 3 use closed forms, which know no threshold.
      {{1e-13, 0, 0, 1}, 2, 1e-13},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(Det(c.a, c.n), c.det, 1e-12 * std::fabs(c.det) + 1e-300) << "order " << c.n;
    EXPECT_EQ(matrix::aMatrIsSing(kRows, c.a.data(), c.n), c.det == 0.0 ? -1 : 0)
        << "order " << c.n;
  }

  // The closed form of order 3 agrees with elimination on the same matrix bordered by a unit
  // row and column.
  const Matrix a{2.5, -1, 3, 0.5, 4, -2, 1, 7, 0.25};
  Matrix bordered(16, 0.0);
  for (std::size_t i = 0; i < 9; ++i) bordered[i / 3 * 4 + i % 3] = a[i];
  bordered[15] = 1.0;
  EXPECT_NEAR(matrix::aDetN(kRows, a.data(), 3), Det(bordered, 4), 1e-12 * std::fabs(Det(a, 3)));
}

TEST(AlgebraTest, SmallInverses) {
  Matrix one{4}, a{4, 7, 2, 6};
  EXPECT_EQ(matrix::aInv(kRows, one.data(), 1), -1);
  EXPECT_EQ(one[0], 0.25);
  EXPECT_EQ(matrix::aInv(kRows, a.data(), 2), -1);
  const Matrix expected{0.6, -0.7, -0.2, 0.4};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(a[i], expected[i], 1e-15);

  // Failures leave the matrix as it was.
  const struct {
    Matrix a;
    std::int32_t n, code;
  } bad[] = {
      {{0}, 1, 7},
      {{1, 2, 2, 4}, 2, 7},
      {{1e-4, 0, 0, 0, 0, 1e-4, 0, 0, 0, 0, 1e-4, 0, 0, 0, 0, 1e-1}, 4, 7},
      {{1}, 0, 5},
  };
  for (const auto& b : bad) {
    Matrix copy = b.a;
    EXPECT_EQ(matrix::aInv(kRows, copy.data(), b.n), b.code);
    EXPECT_EQ(copy, b.a);
  }
}

TEST(AlgebraTest, LargeInverses) {
  for (std::int32_t n : {8, 9, 200}) {
    const auto size = static_cast<std::size_t>(n);
    const Matrix a = Dominant(size);
    Matrix inverse = a;
    ASSERT_EQ(matrix::aInv(kRows, inverse.data(), n), -1) << "order " << n;
    EXPECT_LT(DistanceFromUnit(a, inverse, size), 1e-12) << "order " << n;
  }
  // Well conditioned but with a determinant of 1e-18: singular all the same.
  Matrix scaled(81, 0.0);
  for (std::size_t i = 0; i < 9; ++i) scaled[i * 10] = 0.01;
  EXPECT_EQ(matrix::aInv(kRows, scaled.data(), 9), 7);
}

TEST(AlgebraTest, SystemsAgreeAcrossTheMethodBoundary) {
  for (std::int32_t n : {3, 8, 9, 12}) {
    const auto size = static_cast<std::size_t>(n);
    const Matrix a = Dominant(size);
    Matrix x(size), b(size, 0.0), solution(size, -1.0);
    for (std::size_t i = 0; i < size; ++i) x[i] = 1.0 - 0.5 * static_cast<double>(i);
    for (std::size_t i = 0; i < size; ++i)
      for (std::size_t j = 0; j < size; ++j) b[i] += a[i * size + j] * x[j];
    ASSERT_EQ(matrix::aSist(kRows, a.data(), n, b.data(), solution.data()), -1) << "order " << n;
    for (std::size_t i = 0; i < size; ++i) EXPECT_NEAR(solution[i], x[i], 1e-12) << "order " << n;
  }
  const Matrix singular{1, 2, 2, 4}, b{1, 2};
  Matrix x{9, 9};
  EXPECT_EQ(matrix::aSist(kRows, singular.data(), 2, b.data(), x.data()), 7);
  EXPECT_EQ(x, (Matrix{9, 9}));
}

TEST(AlgebraTest, Products) {
  const Matrix a{1, 2, 3, 4, 5, 6};  // 2 x 3
  Matrix result(6, 42.0);
  EXPECT_EQ(matrix::aMultEx(kRows, a.data(), 2, 3, a.data(), 2, 3, result.data()), 10);
  EXPECT_EQ(result, Matrix(6, 42.0));

  // Column-major callers: 2 x 2 times 2 x 3, both read and the product written column-major.
  const Matrix p{1, 3, 2, 4};        // rows 1 2 / 3 4
  const Matrix q{1, 4, 2, 5, 3, 6};  // rows 1 2 3 / 4 5 6
  Matrix pq(6);
  EXPECT_EQ(matrix::aMultEx(kCols, p.data(), 2, 2, q.data(), 2, 3, pq.data()), -1);
  EXPECT_EQ(pq, (Matrix{9, 19, 12, 26, 15, 33}));  // rows 9 12 15 / 19 26 33

  const Matrix fib{1, 1, 1, 0};
  Matrix power(4);
  EXPECT_EQ(matrix::aPow(kRows, fib.data(), 2, 10, power.data()), -1);
  EXPECT_EQ(power, (Matrix{89, 55, 55, 34}));
  EXPECT_EQ(matrix::aPow(kRows, fib.data(), 2, 0, power.data()), -1);
  EXPECT_EQ(power, (Matrix{1, 0, 0, 1}));
}

TEST(AlgebraTest, TranspositionAndExchanges) {
  Matrix a{1, 4, 2, 5, 3, 6};  // 1 2 3 / 4 5 6 column-major; its transpose column-major is 1..6
  EXPECT_EQ(matrix::aTrasp(kCols, a.data(), 2, 3), -1);
  EXPECT_EQ(a, (Matrix{1, 2, 3, 4, 5, 6}));

  // Exchanges in 1 2 3 / 4 5 6.
  const struct {
    std::int32_t selector, i1, i2, code;
    Matrix expected;
  } swaps[] = {
      {1, 1, 2, -1, {4, 5, 6, 1, 2, 3}}, {0, 1, 3, -1, {3, 2, 1, 6, 5, 4}},
      {1, 1, 3, 14, {1, 2, 3, 4, 5, 6}}, {0, 0, 2, 14, {1, 2, 3, 4, 5, 6}},
      {0, 2, 4, 14, {1, 2, 3, 4, 5, 6}},
  };
  for (const auto& s : swaps) {
    Matrix m{1, 2, 3, 4, 5, 6};
    EXPECT_EQ(matrix::aSwapRC(kRows, m.data(), 2, 3, s.selector, s.i1, s.i2), s.code);
    EXPECT_EQ(m, s.expected) << "selector " << s.selector << " " << s.i1 << "," << s.i2;
  }
  EXPECT_EQ(matrix::aSwap(nullptr, 1, 2, a.data()), 15);
}

TEST(AlgebraTest, NormsTracesAndTests) {
  const Matrix v{3, 4};
  double norm = 0.0;
  EXPECT_EQ(matrix::aVectMod(v.data(), 2, &norm), -1);
  EXPECT_EQ(norm, 5.0);
  const Matrix a{1, 2, 3, 4};
  EXPECT_EQ(matrix::aTraceN(kRows, a.data(), 2), 5.0);

  const double s = std::sqrt(0.5);
  const Matrix rotation{s, -s, s, s}, zero{0, 0, 0, 0}, almostZero{0, 0, 0, 1e-300};
  EXPECT_EQ(matrix::aMatrIsOrtog(kRows, rotation.data(), 2), -1);
  EXPECT_EQ(matrix::aMatrIsOrtog(kRows, a.data(), 2), 0);
  EXPECT_EQ(matrix::aMatrIsZero(kRows, zero.data(), 2), -1);
  EXPECT_EQ(matrix::aMatrIsZero(kRows, almostZero.data(), 2), 0);

  Matrix inverse = a;
  ASSERT_EQ(matrix::aInv(kRows, inverse.data(), 2), -1);
  EXPECT_EQ(matrix::aMatrAreOrtog(kRows, a.data(), inverse.data(), 2), -1);
}

TEST(AlgebraTest, PolynomialFit) {
  // y = 1 + 2x + 3x^2 through x = -1, 1, 2 (abscissas in the first row), the same points from a
  // column-major caller, and a least-squares line through four points.
  const struct {
    ElementOrder order;
    Matrix points;
    std::int32_t n;
    Matrix expected;
  } cases[] = {
      {kRows, {-1, 1, 2, 2, 6, 17}, 3, {1, 2, 3}},
      {kCols, {-1, 2, 1, 6, 2, 17}, 3, {1, 2, 3}},
      {kRows, {0, 1, 2, 3, 1, 3, 5, 7}, 4, {1, 2}},
  };
  for (const auto& c : cases) {
    ElementOrder o = c.order;
    Matrix coeffs(c.expected.size());
    ASSERT_EQ(matrix::aCalcCoeffPolin(o, c.points.data(), c.n,
                                      static_cast<std::int32_t>(coeffs.size()), coeffs.data()),
              -1);
    for (std::size_t i = 0; i < coeffs.size(); ++i)
      EXPECT_NEAR(coeffs[i], c.expected[i], 1e-12) << "n " << c.n;
    EXPECT_EQ(o.suppressed, 0) << "the fit leaves the conversion switched back on";
  }

  ElementOrder o = kRows;
  Matrix untouched{9, 9, 9};
  EXPECT_EQ(matrix::aCalcCoeffPolin(o, cases[0].points.data(), 2, 3, untouched.data()), 12);
  EXPECT_EQ(matrix::aCalcCoeffPolin(o, cases[0].points.data(), 3, 0, untouched.data()), 12);
  EXPECT_EQ(untouched, (Matrix{9, 9, 9}));

  const double x = 2.0;
  double y = 0.0;
  EXPECT_EQ(matrix::aGetYPolin(&x, cases[0].expected.data(), 3, &y), -1);
  EXPECT_EQ(y, 17.0);
}

TEST(AlgebraTest, InverseOfAQuadratic) {
  const struct {
    Matrix c;
    double y;
    std::int32_t code;
    double x1, x2;
  } cases[] = {
      {{-1, 0, 1}, 0, -1, 1, -1}, {{1, 0, 1}, 0, 13, 0, 0},
      {{1, 2, 0}, 0, 13, 0, 0},  // no square term
      {{0, 0, 1}, 4, -1, 2, -2},  {{2, 4}, 10, -1, 2, 0},
      {{2, 0}, 10, 13, 0, 0},     {{7}, 3, -1, 3, 0},
  };
  for (const auto& c : cases) {
    double x1 = -7, x2 = -7;
    const auto m = static_cast<std::int32_t>(c.c.size());
    EXPECT_EQ(matrix::aGetXsOfQuadr(&c.y, c.c.data(), m, &x1, &x2), c.code)
        << "m " << m << " c0 " << c.c[0];
    if (c.code != -1) continue;
    EXPECT_DOUBLE_EQ(x1, c.x1);
    EXPECT_DOUBLE_EQ(x2, c.x2);
  }
}

}  // namespace
