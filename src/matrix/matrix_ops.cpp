// SPDX-License-Identifier: MIT
#include "matrix/matrix_ops.h"

#include <cmath>
#include <string>
#include <vector>

#include "engine_core/core.h"
#include "engine_core/number_text.h"
#include "matrix/algebra.h"
#include "matrix/matrix_store.h"

namespace matrix {
namespace {

using engine::Core;
using engine::Code;
using engine::EvalError;
using engine::ReportSite;
namespace site = engine::site;

// Internal matrices are the library's own row-major memory: never converted.
constexpr ElementOrder kRowMajor{0, 0};

std::u16string Num(double n) { return engine::StrD0(engine::FormatFixed(n)); }

// Sets the code (a matrix code, or an evaluator code through Code()) and records the detail.
double Fail(Core& core, std::int32_t code, const ReportSite& site, const std::u16string& detail, double value) {
  if (!core.state.ok()) return value;
  core.state.e_error = code;
  engine::ReportEvalError(core, site, detail);
  return value;
}

std::u16string Types(std::int8_t typeA, std::int8_t typeB) {
  return u"nnTp = " + engine::IntegerText(typeA) + u"\r\nn2Tp = " + engine::IntegerText(typeB) + u"\r\n";
}

// An operand matrix: its record, found by address.
MatrixRecord* Operand(Core& core, MatrixStore& store, double value) {
  MatrixRecord* record = RecordAt(store, OperandAddress(value));
  if (record == nullptr) {
    core.state.Fail(EvalError::MatrixNotFound);
    engine::ReportEvalError(core, site::kMatrixNotFound, u"MatrName = " + Num(value));
  }
  return record;
}

double Result(Core& core, const MatrixRecord& record, std::int8_t& type) {
  core.state.lastRows = record.rows;
  core.state.lastCols = record.cols;
  type = 1;
  return AddressValue(record.Addr);
}

// Gives a record new memory holding `elements` (rows x cols, row-major).
void Replace(MatrixRecord& record, std::vector<double>&& elements, std::int32_t rows, std::int32_t cols) {
  std::shared_ptr<double[]> memory = NewElements(elements.size());
  std::copy(elements.begin(), elements.end(), memory.get());
  record.Addr = memory.get();
  record.owned = std::move(memory);
  record.Name = InternalName(record.Addr);  // the name follows the memory it describes
  record.rows = rows;
  record.cols = cols;
  record.vector = rows == 1 || cols == 1 ? -1 : 0;
}

std::size_t Count(const MatrixRecord& r) { return ElementCount(r.rows, r.cols); }

double Product(Core& core, MatrixRecord& a, const MatrixRecord& b, std::int8_t& type) {
  if (a.cols != b.rows) {
    return Fail(core, kOrdersNotValid, site::kMatrixProductOrders,
                u"If A(r1, c1) * B(r2, c2) must be c1 = r2.\r\nc1 = " + engine::IntegerText(a.cols) + u"\r\nr2 = " +
                    engine::IntegerText(b.rows) + u"\r\n",
                AddressValue(a.Addr));
  }
  std::vector<double> c(ElementCount(a.rows, b.cols));
  aMultEx(kRowMajor, a.Addr, a.rows, a.cols, b.Addr, b.rows, b.cols, c.data());
  if (c.size() == Count(a)) {
    std::copy(c.begin(), c.end(), a.Addr);
    a.cols = b.cols;
  } else {
    Replace(a, std::move(c), a.rows, b.cols);
  }
  return Result(core, a, type);
}

// An inverted copy of b's elements, or an empty vector with the code set.
std::vector<double> InvertedCopy(Core& core, const MatrixRecord& b, std::u16string detail, const ReportSite& site,
                                 const MatrixRecord* a) {
  std::vector<double> inverse(b.Addr, b.Addr + Count(b));
  std::int32_t code = b.rows == b.cols ? aInv(kRowMajor, inverse.data(), b.rows) : kNotSquare;
  if (code == kTrue) return inverse;
  const std::int32_t r1 = a ? a->rows : 0;
  const std::int32_t c1 = a ? a->cols : 0;
  Fail(core, code, site,
       detail + u"Matrix is singolar (det = 0) or not squared. It can not be inverted\r\n\r\nr1, c1 = " +
           engine::IntegerText(r1) + u", " + engine::IntegerText(c1) + u"\r\nr2, c2 = " + engine::IntegerText(b.rows) + u", " + engine::IntegerText(b.cols) + u"\r\n",
       0.0);
  return {};
}

double Quotient(Core& core, MatrixStore& store, double a, double b, std::int8_t& typeA, std::int8_t typeB) {
  if (typeA == 1 && typeB == 0) {
    MatrixRecord* m = Operand(core, store, a);
    if (m == nullptr) return a;
    if (b == 0.0)
      return Fail(core, Code(EvalError::DivisionByZero), site::kMatrixByZero,
                  u"Matr Pointer: n2 = " + Num(b) + u"Calculation error, token = '/'\r\n", a);
    aProdScal(kRowMajor, m->Addr, m->rows, m->cols, 1.0 / b);
    return Result(core, *m, typeA);
  }
  if (typeA == 1 && typeB == 1) {
    MatrixRecord* ma = Operand(core, store, a);
    MatrixRecord* mb = ma ? Operand(core, store, b) : nullptr;
    if (mb == nullptr) return a;
    if (ma->rows != ma->cols || mb->rows != mb->cols || ma->rows != mb->rows)
      return Fail(core, kOrdersNotValid, site::kMatrixQuotientOrders,
                  u"If A(r1, c1) * B(r2, c2) must be c1 = r2.\r\nc1 - r2 = " + engine::IntegerText(ma->cols) + u" - " +
                      engine::IntegerText(mb->rows),
                  a);
    std::vector<double> inverse = InvertedCopy(
        core, *mb, u"Matrix error, token = '/' and Pointer n2 = " + Num(b) + u"\r\n", site::kMatrixDivisorSingular, ma);
    if (inverse.empty()) return a;
    std::vector<double> c(Count(*ma));
    aMultSq(kRowMajor, ma->Addr, inverse.data(), ma->rows, c.data());
    std::copy(c.begin(), c.end(), ma->Addr);
    return Result(core, *ma, typeA);
  }
  if (typeA == 0 && typeB == 1) {
    MatrixRecord* mb = Operand(core, store, b);
    if (mb == nullptr) return a;
    std::vector<double> inverse = InvertedCopy(core, *mb, u"Matr Pointer n2 = " + Num(b) + u"\r\n", site::kNumberByMatrixSingular, nullptr);
    if (inverse.empty()) return a;
    for (double& x : inverse) x *= a;
    std::copy(inverse.begin(), inverse.end(), mb->Addr);
    return Result(core, *mb, typeA);
  }
  return Fail(core, Code(EvalError::ConditionNotFound), site::kMatrixQuotientOperands,
              u"Case not found. token2 = / and mName = \r\n" + Types(typeA, typeB), a);
}

double Power(Core& core, MatrixStore& store, double a, double b, std::int8_t& typeA, std::int8_t typeB) {
  if (typeA != 1 || typeB != 0) return a;
  MatrixRecord* m = Operand(core, store, a);
  if (m == nullptr) return a;
  if (b != std::trunc(b) || std::fabs(b) > 2147483647.0)
    return Fail(core, Code(EvalError::NotInteger), site::kMatrixPower,
                u"Exponent of Matrix (es. [mA]^n) is not integer.\r\nExp = " + Num(b) + u"\r\n", a);
  if ((b < 0 || b > 1) && m->rows != m->cols)
    return Fail(core, kNotSquare, site::kMatrixPower,
                u"Dimensions: r1, c1 = " + engine::IntegerText(m->rows) + u", " + engine::IntegerText(m->cols) + u"\r\n", a);
  if (b < 0) {
    if (std::int32_t code = aInv(kRowMajor, m->Addr, m->rows); code != kTrue)
      return Fail(core, code, site::kMatrixPower,
                  u"Matrix is singolar (det = 0) or not squared. It can not be inverted\r\n", a);
  }
  const auto exponent = static_cast<std::int32_t>(std::fabs(b));
  if (exponent > 1) {
    std::vector<double> power(Count(*m));
    aPow(kRowMajor, m->Addr, m->rows, exponent, power.data());
    std::copy(power.begin(), power.end(), m->Addr);
  }
  return Result(core, *m, typeA);
}

double SquareFunction(Core& core, MatrixStore& store, std::u16string_view name, double a, std::int8_t& typeA) {
  MatrixRecord* m = typeA == 1 ? Operand(core, store, a) : nullptr;
  if (m == nullptr) {
    if (typeA != 1) Operand(core, store, a);  // a number is no stored matrix: code 14
    return a;
  }
  if (m->rows != m->cols)
    return Fail(core, kNotSquare, site::kSquareFunction,
                u"Dimensions: r1, c1 = " + engine::IntegerText(m->rows) + u", " + engine::IntegerText(m->cols) + u"\r\n", a);
  double value = 0.0;
  if (name == u"det") aDet(kRowMajor, m->Addr, m->rows, &value);
  else aTrace(kRowMajor, m->Addr, m->rows, &value);
  typeA = 0;
  return value;
}

// syst and vcoeff: a square matrix and a vector, in either order; the result overwrites the
// vector.
double SystemFunction(Core& core, MatrixStore& store, std::u16string_view name, double a, double b,
                      double c, std::int8_t& typeA, std::int8_t typeB) {
  const bool syst = name == u"syst";
  const ReportSite& where = syst ? site::kSystem : site::kFit;
  const ReportSite& arguments = syst ? site::kSystemArguments : site::kFitArguments;
  MatrixRecord* first = Operand(core, store, a);
  MatrixRecord* second = first ? Operand(core, store, b) : nullptr;
  if (second == nullptr) return a;
  if ((first->vector != 0) == (second->vector != 0) && !(first->rows == 1 && first->cols == 1))
    return Fail(core, Code(EvalError::ConditionNotFound), arguments,
                u"nnVect = " + engine::IntegerText(first->vector) + u"\r\nn2Vect = " + engine::IntegerText(second->vector) + u"\r\n", a);
  MatrixRecord* matrixRec = second->vector != 0 ? first : second;
  MatrixRecord* vectorRec = second->vector != 0 ? second : first;
  if (matrixRec->rows != matrixRec->cols || static_cast<std::size_t>(matrixRec->rows) != Count(*vectorRec))
    return Fail(core, kOrdersNotValid, where,
                u"Dimensions: r1, c1 = " + engine::IntegerText(first->rows) + u", " + engine::IntegerText(first->cols) +
                    u"\r\n            r2, c2 = " + engine::IntegerText(second->rows) + u", " + engine::IntegerText(second->cols) + u"\r\n",
                a);
  const std::int32_t n = matrixRec->rows;
  if (syst) {
    std::vector<double> x(static_cast<std::size_t>(n));
    if (std::int32_t code = aSist(kRowMajor, matrixRec->Addr, n, vectorRec->Addr, x.data()); code != kTrue)
      return Fail(core, code, where, u"Matrix singolar\r\n", a);
    std::copy(x.begin(), x.end(), vectorRec->Addr);
    return Result(core, *vectorRec, typeA);
  }
  // vcoeff: the first m columns of the matrix are the design of an m-coefficient fit.
  const double rounded = std::trunc(c);
  if (!(rounded >= 1 && rounded <= n))
    return Fail(core, Code(EvalError::InvalidArgument), where, u"Coefficients = " + Num(c) + u"\r\n", a);
  const auto m = static_cast<std::int32_t>(rounded);
  const auto rows = static_cast<std::size_t>(n);
  std::vector<double> design(rows * static_cast<std::size_t>(m));
  for (std::size_t i = 0; i < rows; ++i)
    for (std::size_t j = 0; j < static_cast<std::size_t>(m); ++j)
      design[i * static_cast<std::size_t>(m) + j] = matrixRec->Addr[i * rows + j];
  std::vector<double> coeffs(static_cast<std::size_t>(m));
  ElementOrder plain = kRowMajor;
  if (std::int32_t code = aCalcVectCoeff(plain, design.data(), n, m, vectorRec->Addr, coeffs.data()); code != kTrue)
    return Fail(core, code, where, u"Matrix singolar\r\n", a);
  Replace(*vectorRec, std::move(coeffs), m, 1);
  (void)typeB;
  return Result(core, *vectorRec, typeA);
}

}  // namespace

double* OperandAddress(double value) {
  if (!(value > 0) || value > 9007199254740992.0) return nullptr;
  return reinterpret_cast<double*>(static_cast<std::intptr_t>(value));
}

double AddressValue(const double* addr) {
  return static_cast<double>(reinterpret_cast<std::intptr_t>(addr));
}

double CalcMatrixSumSubt(Core& core, MatrixStore& store, char16_t op, double a, double b,
                         std::int8_t& typeA, std::int8_t typeB) {
  const double s = op == u'-' ? -1.0 : 1.0;
  if (typeA == 1 && typeB == 0) {
    MatrixRecord* m = Operand(core, store, a);
    if (m == nullptr) return a;
    aSumScal(kRowMajor, m->Addr, m->rows, m->cols, s * b);
    return Result(core, *m, typeA);
  }
  if (typeA == 0 && typeB == 1) {
    MatrixRecord* m = Operand(core, store, b);
    if (m == nullptr) return a;
    aProdScal(kRowMajor, m->Addr, m->rows, m->cols, s);
    aSumScal(kRowMajor, m->Addr, m->rows, m->cols, a);
    return Result(core, *m, typeA);
  }
  if (typeA == 1 && typeB == 1) {
    MatrixRecord* ma = Operand(core, store, a);
    MatrixRecord* mb = ma ? Operand(core, store, b) : nullptr;
    if (mb == nullptr) return a;
    // Different dimensions would read outside the right operand.
    if (ma->rows != mb->rows || ma->cols != mb->cols)
      return Fail(core, kOrdersNotValid, site::kMatrixSum,
                  u"Dimensions: r1, c1 = " + engine::IntegerText(ma->rows) + u", " + engine::IntegerText(ma->cols) +
                      u"\r\n            r2, c2 = " + engine::IntegerText(mb->rows) + u", " + engine::IntegerText(mb->cols) + u"\r\n",
                  a);
    if (op == u'-') aDiffMem(ma->Addr, ma->rows, ma->cols, mb->Addr, ma->Addr);
    else aSumMem(ma->Addr, ma->rows, ma->cols, mb->Addr, ma->Addr);
    return Result(core, *ma, typeA);
  }
  return Fail(core, Code(EvalError::ConditionNotFound), site::kMatrixSum, Types(typeA, typeB), a);
}

double CalcMatrixDivMult(Core& core, MatrixStore& store, char16_t op, double a, double b,
                         std::int8_t& typeA, std::int8_t typeB) {
  switch (op) {
    case u'^': return Power(core, store, a, b, typeA, typeB);
    case u'/': return Quotient(core, store, a, b, typeA, typeB);
    case u'*': break;
    default: return a;
  }
  if (typeA + typeB == 1) {
    const double matrixValue = typeA == 1 ? a : b;
    MatrixRecord* m = Operand(core, store, matrixValue);
    if (m == nullptr) return a;
    aProdScal(kRowMajor, m->Addr, m->rows, m->cols, typeA == 1 ? b : a);
    return Result(core, *m, typeA);
  }
  if (typeA == 1 && typeB == 1) {
    MatrixRecord* ma = Operand(core, store, a);
    MatrixRecord* mb = ma ? Operand(core, store, b) : nullptr;
    if (mb == nullptr) return a;
    return Product(core, *ma, *mb, typeA);
  }
  return Fail(core, Code(EvalError::ConditionNotFound), site::kMatrixProductOperands, Types(typeA, typeB), a);
}

double CalcMatrFunct(Core& core, MatrixStore& store, std::u16string_view name, double a, double b,
                     double c, std::int8_t& typeA, std::int8_t typeB, std::int8_t typeC) {
  (void)typeC;
  if (name == u"det" || name == u"trace") return SquareFunction(core, store, name, a, typeA);
  if (name == u"syst" || name == u"vcoeff") {
    if (typeA != 1 || typeB != 1) {
      return Fail(core, Code(EvalError::ConditionNotFound), name == u"syst" ? site::kSystemArguments : site::kFitArguments,
                  u"nnVect = " + engine::IntegerText(typeA) + u"\r\nn2Vect = " + engine::IntegerText(typeB) + u"\r\n", a);
    }
    return SystemFunction(core, store, name, a, b, c, typeA, typeB);
  }
  return Fail(core, Code(EvalError::ConditionNotFound), site::kMatrixFunctionName,
              u"Case not found. case (tok2) = " + std::u16string(name) + u"\r\n\r\n" + Types(typeA, typeB), a);
}

double MatrixOperand(Core& core, MatrixStore& store, std::u16string_view name, char16_t suffix) {
  std::int32_t rows = 0;
  std::int32_t cols = 0;
  const std::intptr_t found = FindMatrix(core, store, name, kFindByName | kFindReturnAddr, &rows, &cols, true);
  if (!core.state.ok()) return 0.0;
  const MatrixRecord* source = RecordAt(store, reinterpret_cast<double*>(found));
  const std::size_t count = ElementCount(rows, cols);
  std::shared_ptr<double[]> copy = count == 0 ? nullptr : NewElements(count);
  if (source == nullptr || copy == nullptr)
    return Fail(core, Code(EvalError::MatrixNotFound), site::kMatrixOperand, u"MatrName = " + std::u16string(name) + u"\r\n", 0.0);
  // The library's memory is row-major already; callers' memory is read in their order.
  if (source->owned) std::copy_n(source->Addr, count, copy.get());
  else aCopyArray(store.elementOrder, source->Addr, copy.get(), rows, cols);

  if ((suffix == u'I' || suffix == u'D') && rows != cols)
    return Fail(core, kNotSquare, site::kMatrixOperand,
                u"Dimensions: r1, c1 = " + engine::IntegerText(rows) + u", " + engine::IntegerText(cols) + u"\r\n", 0.0);
  if (suffix == u'I') {
    if (std::int32_t code = aInv(kRowMajor, copy.get(), rows); code != kTrue)
      return Fail(core, code, site::kMatrixOperand, u"Matrix is singolar (det = 0) or not squared. It can not be inverted\r\n", 0.0);
  } else if (suffix == u'T') {
    aTrasp(kRowMajor, copy.get(), rows, cols);
    std::swap(rows, cols);
  } else if (suffix == u'D') {
    aDiag(kRowMajor, copy.get(), rows);
  }
  double* addr = AddInternalMatrix(core, store, std::move(copy), rows, cols);
  core.state.lastRows = rows;
  core.state.lastCols = cols;
  return AddressValue(addr);
}

}  // namespace matrix
