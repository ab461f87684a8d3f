// SPDX-License-Identifier: MIT
// Exports of the matrix algebra family; each reads callers' arrays in their element order.
#include "exports/abi.h"
#include "matrix/algebra.h"
#include "morvane.h"

using exports::guarded;

namespace {
matrix::ElementOrder& O() { return exports::session().engine.matrices.elementOrder; }
}  // namespace

int32_t MORVANE_CALL aDet(const double* a, int32_t n, double* det) {
  return guarded(0, [&] { return matrix::aDet(O(), a, n, det); });
}
double MORVANE_CALL aDetN(const double* a, int32_t n) {
  return guarded(0.0, [&] { return matrix::aDetN(O(), a, n); });
}
int32_t MORVANE_CALL aInv(double* a, int32_t n) {
  return guarded(0, [&] { return matrix::aInv(O(), a, n); });
}
int32_t MORVANE_CALL aSist(const double* a, int32_t n, const double* b, double* x) {
  return guarded(0, [&] { return matrix::aSist(O(), a, n, b, x); });
}
int32_t MORVANE_CALL aDiag(double* a, int32_t n) {
  return guarded(0, [&] { return matrix::aDiag(O(), a, n); });
}
int32_t MORVANE_CALL aMatrIsSing(const double* a, int32_t n) {
  return guarded(0, [&] { return matrix::aMatrIsSing(O(), a, n); });
}
int32_t MORVANE_CALL aMultEx(const double* a, int32_t r1, int32_t c1, const double* b, int32_t r2,
                             int32_t c2, double* result) {
  return guarded(0, [&] { return matrix::aMultEx(O(), a, r1, c1, b, r2, c2, result); });
}
int32_t MORVANE_CALL aMultSq(const double* a, const double* b, int32_t n, double* result) {
  return guarded(0, [&] { return matrix::aMultSq(O(), a, b, n, result); });
}
int32_t MORVANE_CALL aMultVect(const double* a, int32_t rows, int32_t cols, const double* v, double* result) {
  return guarded(0, [&] { return matrix::aMultVect(O(), a, rows, cols, v, result); });
}
int32_t MORVANE_CALL aMultVectSq(const double* a, const double* v, int32_t n, double* result) {
  return guarded(0, [&] { return matrix::aMultVectSq(O(), a, v, n, result); });
}
int32_t MORVANE_CALL aPow(const double* a, int32_t n, int32_t exponent, double* result) {
  return guarded(0, [&] { return matrix::aPow(O(), a, n, exponent, result); });
}
int32_t MORVANE_CALL aDiv(const double* a, const double* b, int32_t n, double* result) {
  return guarded(0, [&] { return matrix::aDiv(O(), a, b, n, result); });
}
int32_t MORVANE_CALL aSum(const double* a, int32_t rows, int32_t cols, const double* b, double* result) {
  return guarded(0, [&] { return matrix::aSum(O(), a, rows, cols, b, result); });
}
int32_t MORVANE_CALL aDiff(const double* a, int32_t rows, int32_t cols, const double* b, double* result) {
  return guarded(0, [&] { return matrix::aDiff(O(), a, rows, cols, b, result); });
}
int32_t MORVANE_CALL aSumMem(const double* a, int32_t rows, int32_t cols, const double* b, double* result) {
  return guarded(0, [&] { return matrix::aSumMem(a, rows, cols, b, result); });
}
int32_t MORVANE_CALL aDiffMem(const double* a, int32_t rows, int32_t cols, const double* b, double* result) {
  return guarded(0, [&] { return matrix::aDiffMem(a, rows, cols, b, result); });
}
int32_t MORVANE_CALL aSumScal(double* a, int32_t rows, int32_t cols, double scalar) {
  return guarded(0, [&] { return matrix::aSumScal(O(), a, rows, cols, scalar); });
}
int32_t MORVANE_CALL aProdScal(double* a, int32_t rows, int32_t cols, double scalar) {
  return guarded(0, [&] { return matrix::aProdScal(O(), a, rows, cols, scalar); });
}
int32_t MORVANE_CALL aOpp(double* a, int32_t rows, int32_t cols) {
  return guarded(0, [&] { return matrix::aOpp(a, rows, cols); });
}
int32_t MORVANE_CALL aTrasp(double* a, int32_t rows, int32_t cols) {
  return guarded(0, [&] { return matrix::aTrasp(O(), a, rows, cols); });
}
int32_t MORVANE_CALL aTraspEx(const double* a, int32_t rows, int32_t cols, double* result) {
  return guarded(0, [&] { return matrix::aTraspEx(O(), a, rows, cols, result); });
}
int32_t MORVANE_CALL aTraspSq(double* a, int32_t n) {
  return guarded(0, [&] { return matrix::aTraspSq(O(), a, n); });
}
int32_t MORVANE_CALL aTrace(const double* a, int32_t n, double* trace) {
  return guarded(0, [&] { return matrix::aTrace(O(), a, n, trace); });
}
double MORVANE_CALL aTraceN(const double* a, int32_t n) {
  return guarded(0.0, [&] { return matrix::aTraceN(O(), a, n); });
}
int32_t MORVANE_CALL aVectMod(const double* v, int32_t n, double* norm) {
  return guarded(0, [&] { return matrix::aVectMod(v, n, norm); });
}
int32_t MORVANE_CALL aMatrMod(const double* a, int32_t n, double* norm) {
  return guarded(0, [&] { return matrix::aVectMod(a, n, norm); });
}
int32_t MORVANE_CALL aMatrIsZero(const double* a, int32_t n) {
  return guarded(0, [&] { return matrix::aMatrIsZero(O(), a, n); });
}
int32_t MORVANE_CALL aMatrIsUnit(const double* a, int32_t n) {
  return guarded(0, [&] { return matrix::aMatrIsUnit(O(), a, n); });
}
int32_t MORVANE_CALL aMatrIsOrtog(const double* a, int32_t n) {
  return guarded(0, [&] { return matrix::aMatrIsOrtog(O(), a, n); });
}
int32_t MORVANE_CALL aMatrAreOrtog(const double* a, const double* b, int32_t n) {
  return guarded(0, [&] { return matrix::aMatrAreOrtog(O(), a, b, n); });
}
int32_t MORVANE_CALL aMatrAreEquals(const double* a, const double* b, int32_t rows, int32_t cols, double tolerance) {
  return guarded(0, [&] { return matrix::aMatrAreEquals(O(), a, b, rows, cols, tolerance); });
}
int32_t MORVANE_CALL aSwap(double* a, int32_t rows, int32_t cols, double* b) {
  return guarded(0, [&] { return matrix::aSwap(a, rows, cols, b); });
}
int32_t MORVANE_CALL aSwapRC(double* a, int32_t rows, int32_t cols, int32_t selector, int32_t index1, int32_t index2) {
  return guarded(0, [&] { return matrix::aSwapRC(O(), a, rows, cols, selector, index1, index2); });
}
int32_t MORVANE_CALL aCalcCoeffPolin(const double* points, int32_t n, int32_t m, double* coeffs) {
  return guarded(0, [&] { return matrix::aCalcCoeffPolin(O(), points, n, m, coeffs); });
}
int32_t MORVANE_CALL aCalcVectCoeff(const double* design, int32_t n, int32_t m, const double* y, double* coeffs) {
  return guarded(0, [&] { return matrix::aCalcVectCoeff(O(), design, n, m, y, coeffs); });
}
int32_t MORVANE_CALL aGetYPolin(const double* x, const double* coeffs, int32_t m, double* y) {
  return guarded(0, [&] { return matrix::aGetYPolin(x, coeffs, m, y); });
}
int32_t MORVANE_CALL aGetXsOfQuadr(const double* y, const double* coeffs, int32_t m, double* x1, double* x2) {
  return guarded(0, [&] { return matrix::aGetXsOfQuadr(y, coeffs, m, x1, x2); });
}
