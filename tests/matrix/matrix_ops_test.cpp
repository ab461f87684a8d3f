// SPDX-License-Identifier: MIT
// Matrices in formulas: operators, suffixes, matrix functions and what an evaluation leaves
// in the store.
#include "matrix/matrix_ops.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "engine/matrix_text.h"
#include "matrix/matrix_store.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::EngineTest;
using testing_support::Narrow;

class MatrixOpsTest : public EngineTest {
 protected:
  // The named matrices every case starts from; formulas must leave them as they are.
  static constexpr const char16_t* kDefinitions[] = {u"[mA];2;2;1;2;3;4",
                                                     u"[mR];2;3;1;2;3;4;5;6",
                                                     u"[mS];3;4;1;0;0;1;0;1;0;1;0;0;1;1",
                                                     u"[mM];3;3;2;1;1;1;3;2;1;0;0",
                                                     u"[mV];3;1;4;5;6",
                                                     u"[mSing];2;2;1;2;2;4",
                                                     u"[mSing3];3;3;1;2;3;4;5;6;7;8;9"};

  void SetUp() override {
    for (const char16_t* text : kDefinitions)
      ASSERT_GE(engine::SetStrMatrix(eng, text, false, false), 0);
    named = Snapshot();
  }

  // Every named matrix as its rows, cols and elements.
  std::vector<std::vector<double>> Snapshot() {
    std::vector<std::vector<double>> out;
    for (const matrix::MatrixRecord& r : eng.matrices.records) {
      if (r.Internal) continue;
      out.push_back({static_cast<double>(r.rows), static_cast<double>(r.cols)});
      out.back().insert(out.back().end(), r.Addr, r.Addr + r.rows * r.cols);
    }
    return out;
  }
  std::ptrdiff_t InternalCount() const {
    return std::ranges::count_if(eng.matrices.records, [](const auto& r) { return r.Internal; });
  }
  // The record behind a matrix result.
  const matrix::MatrixRecord* ResultRecord(double value) {
    return matrix::RecordAt(eng.matrices, matrix::OperandAddress(value));
  }
  // The elements of a formula's matrix result; none when it fails.
  std::vector<double> Elements(std::u16string_view expr) {
    const auto outcome = Eval(expr);
    const matrix::MatrixRecord* r = outcome.code == 1 ? ResultRecord(outcome.value) : nullptr;
    if (r == nullptr) return {};
    return {r->Addr, r->Addr + r->rows * r->cols};
  }

  std::vector<std::vector<double>> named;
};

struct MatrixCase {
  const char16_t* expr;
  std::int32_t rows, cols;
  std::vector<double> elements;
};

TEST_F(MatrixOpsTest, MatrixResults) {
  const MatrixCase cases[] = {
      {u"[mA]*2", 2, 2, {2, 4, 6, 8}},
      {u"[mA]/4", 2, 2, {0.25, 0.5, 0.75, 1}},
      {u"5-[mA]", 2, 2, {4, 3, 2, 1}},
      {u"[mA]-5", 2, 2, {-4, -3, -2, -1}},
      {u"-[mA]", 2, 2, {-1, -2, -3, -4}},
      {u"[mA]-[mA]*2", 2, 2, {-1, -2, -3, -4}},
      {u"[mA]^0", 2, 2, {1, 2, 3, 4}},
      {u"[mA]^2", 2, 2, {7, 10, 15, 22}},
      {u"[mA]^-1", 2, 2, {-2, 1, 1.5, -0.5}},
      {u"[mA]^-2", 2, 2, {5.5, -2.5, -3.75, 1.75}},
      {u"[mA]I", 2, 2, {-2, 1, 1.5, -0.5}},
      {u"[mA]d", 2, 2, {2, 0, 0, 1}},  // pivots after one column exchange
      {u"[mA]/[mA]", 2, 2, {1, 0, 0, 1}},
      {u"2/[mA]", 2, 2, {-4, 2, 3, -1}},
      {u"[mR]^0", 2, 3, {1, 2, 3, 4, 5, 6}},
      {u"[mR]T", 3, 2, {1, 4, 2, 5, 3, 6}},
      {u"[mR]*[mS]", 2, 4, {1, 2, 3, 6, 4, 5, 6, 15}},
      {u"[mA]*[mR]", 2, 3, {9, 12, 15, 19, 26, 33}},
      {u"[mR]*[mV]", 2, 1, {32, 77}},
      {u"[mR]T*[mR]", 3, 3, {17, 22, 27, 22, 29, 36, 27, 36, 45}},
      {u"syst([mM];[mV])", 3, 1, {6, 15, -23}},
      {u"syst([mV];[mM])", 3, 1, {6, 15, -23}},
  };
  for (const MatrixCase& c : cases) {
    const auto outcome = Eval(c.expr);
    ASSERT_EQ(outcome.code, 1) << Narrow(c.expr) << "\n" << Narrow(Log());
    const matrix::MatrixRecord* r = ResultRecord(outcome.value);
    ASSERT_NE(r, nullptr) << Narrow(c.expr);
    EXPECT_EQ(r->rows * 10 + r->cols, c.rows * 10 + c.cols) << Narrow(c.expr);
    EXPECT_EQ(eng.core.state.lastRows * 10 + eng.core.state.lastCols, c.rows * 10 + c.cols)
        << Narrow(c.expr);
    ASSERT_EQ(static_cast<std::size_t>(r->rows * r->cols), c.elements.size()) << Narrow(c.expr);
    for (std::size_t i = 0; i < c.elements.size(); ++i)
      EXPECT_NEAR(r->Addr[i], c.elements[i], 1e-12) << Narrow(c.expr) << " element " << i;
    // Only the result survives of the evaluation's own matrices.
    EXPECT_EQ(InternalCount(), 1) << Narrow(c.expr);
    EXPECT_EQ(Snapshot(), named) << Narrow(c.expr);
  }
}

TEST_F(MatrixOpsTest, NumberResults) {
  EXPECT_EVAL(u"abs(det([mA])) + sum(trace([mA]);1)", 8);  // numbers made of matrices
  const struct {
    const char16_t* expr;
    double value;
  } cases[] = {
      {u"det([mA])", -2},    {u"trace([mA])", 5},     {u"det([mM])", -1},
      {u"det([mA]*2)", -8},  {u"det([mA]^-1)", -0.5}, {u"trace([mR]*[mR]T)", 91},
      {u"det([mSing3])", 0}, {u"2*det([mA]I)", -1},
  };
  for (const auto& c : cases) {
    EXPECT_EVAL(c.expr, c.value);
    EXPECT_EQ(InternalCount(), 0) << Narrow(c.expr);
  }
  EXPECT_EQ(Snapshot(), named);
}

TEST_F(MatrixOpsTest, Failures) {
  const struct {
    const char16_t* expr;
    std::int32_t code;
    const char16_t* detail;
  } cases[] = {
      {u"[mSing]^-1", 7, u"Matrix is singolar (det = 0) or not squared. It can not be inverted"},
      {u"[mA]^2.5", 9, u"Exponent of Matrix (es. [mA]^n) is not integer.\r\nExp = 2.5\r\n"},
      {u"[mR]^2", 6, u"Dimensions: r1, c1 = 2, 3"},
      {u"[mA]+[mR]", 5, u"r2, c2 = 2, 3"},
      {u"[mR]*[mR]", 5, u"If A(r1, c1) * B(r2, c2) must be c1 = r2.\r\nc1 = 3\r\nr2 = 2\r\n"},
      {u"[mA]/[mSing]", 7, u"It can not be inverted\r\n\r\nr1, c1 = 2, 2\r\nr2, c2 = 2, 2\r\n"},
      {u"1/[mSing]", 7, u"Matrix is singolar (det = 0) or not squared"},
      {u"[mR]/[mA]", 5, u"c1 - r2 = 3 - 2"},
      {u"[mA]/0", 8, u"Matr Pointer: n2 = 0"},
      {u"det([mR])", 6, u"Dimensions: r1, c1 = 2, 3\r\n"},
      {u"det([mX])", 14, u"MatrName = [mx]"},
      {u"[mX]*2", 14, u"MatrName = [mx]"},
      {u"[mR]I", 6, u"Dimensions: r1, c1 = 2, 3"},
      {u"[mSing]I", 7, u"It can not be inverted"},
      {u"syst([mV];[mV])", 10, u"nnVect = -1\r\nn2Vect = -1\r\n"},
      {u"syst([mM];[mM])", 10, u"nnVect = 0\r\nn2Vect = 0\r\n"},
      {u"syst([mA];[mV])", 5, u"r1, c1 = 2, 2\r\n            r2, c2 = 3, 1"},
      {u"syst([mSing3];[mV])", 7, u""},
      // A matrix is no argument of a function of numbers (it would stand for its store handle).
      {u"sin([mA])", 13, u"A matrix where a number belongs"},
      {u"sum([mA];1)", 13, u"A matrix where a number belongs"},
      {u"max(1;[mA]*2)", 13, u"A matrix where a number belongs"},
      {u"abs([mA]T)", 13, u"A matrix where a number belongs"},
  };
  for (const auto& c : cases) {
    eng.core.log.messages.clear();
    EXPECT_EVAL_ERROR(c.expr, c.code);
    EXPECT_NE(Log().find(c.detail), std::u16string::npos) << Narrow(c.expr) << "\n"
                                                          << Narrow(Log());
    EXPECT_EQ(InternalCount(), 0) << Narrow(c.expr);
  }
  EXPECT_EQ(Snapshot(), named);
}

TEST_F(MatrixOpsTest, DeEvalKeepsItsMatrixResultUnderAName) {
  const double value = engine::de_eval(eng, u"[mA]*2", false);
  std::int32_t rows = 0, cols = 0;
  EXPECT_EQ(matrix::FindMatrix(eng.core, eng.matrices, u"[mResult]", 0x21, &rows, &cols, false),
            reinterpret_cast<std::intptr_t>(matrix::OperandAddress(value)));
  EXPECT_EQ(rows * 10 + cols, 22);
  EXPECT_EQ(eng.matrices.records.back().Name, u"[mresult]");
  EXPECT_EQ(eng.matrices.records.back().Internal, 0);

  // The internal result goes with the next evaluation; the named one keeps the elements.
  EXPECT_EVAL(u"det([mA])", -2);
  EXPECT_EQ(InternalCount(), 0);
  EXPECT_EVAL(u"trace([mResult])", 10);
  EXPECT_EVAL(u"det([mResult]+1)", 3 * 9 - 5 * 7);

  // A result of other dimensions replaces it; a number result leaves it alone.
  engine::de_eval(eng, u"[mR]T", false);
  matrix::FindMatrix(eng.core, eng.matrices, u"[mresult]", 0x21, &rows, &cols, false);
  EXPECT_EQ(rows * 10 + cols, 32);
  EXPECT_EQ(engine::de_eval(eng, u"det([mA])", false), -2);
  EXPECT_EVAL(u"trace([mResult]T*[mResult])", 91);
}

TEST_F(MatrixOpsTest, CallersColumnMajorMatricesAreReadInTheirOrder) {
  eng.matrices.elementOrder = {1, 0};
  std::array<double, 6> mine{1, 4, 2, 5, 3, 6};  // 1 2 3 / 4 5 6, column by column
  matrix::SetMatrix(eng.core, eng.matrices, u"[mC]", mine.data(), 2, 3, false);
  EXPECT_EQ(Elements(u"[mC]*[mV]"), (std::vector<double>{32, 77}));
  // Matrices from the text form are the library's own and row-major whatever the order.
  EXPECT_EVAL(u"det([mA])", -2);
  EXPECT_EQ(mine, (std::array<double, 6>{1, 4, 2, 5, 3, 6}));
}

TEST_F(MatrixOpsTest, PolynomialCoefficientsFromADesignMatrix) {
  // Columns 1, x, x^2 at x = -1, 1, 2; ordinates of 1 + 2x + 3x^2.
  ASSERT_GE(engine::SetStrMatrix(eng, u"[mX];3;3;1;-1;1;1;1;1;1;2;4", false, false), 0);
  ASSERT_GE(engine::SetStrMatrix(eng, u"[mY];3;1;2;6;17", false, false), 0);
  const std::vector<double> coeffs = Elements(u"vcoeff([mX];[mY];3)");
  ASSERT_EQ(coeffs.size(), 3u) << Narrow(Log());
  for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(coeffs[i], static_cast<double>(i + 1), 1e-12);
}

TEST_F(MatrixOpsTest, ProductThatShrinksTheLeftOperandFeedsTheNextOperator) {
  // The left operand's copy gets new memory for its 1 x 1 product; the copy of [mRow] made next
  // must not be confused with the record the left copy used to be.
  ASSERT_GE(engine::SetStrMatrix(eng, u"[mRow];1;6;1;2;3;4;5;6", false, false), 0);
  ASSERT_GE(engine::SetStrMatrix(eng, u"[mCol];6;1;1;1;1;1;1;1", false, false), 0);
  const std::vector<double> product = Elements(u"[mRow]*[mCol]*[mRow]");
  EXPECT_EQ(product, (std::vector<double>{21, 42, 63, 84, 105, 126}));
}

}  // namespace
