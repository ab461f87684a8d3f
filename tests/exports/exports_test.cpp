// SPDX-License-Identifier: MIT
// The C exports through the process-wide session, as a library caller sees them.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "morvane.h"

namespace {

class ExportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReSetEqParser();
    SetBoolSign(-1);
  }
};

TEST_F(ExportsTest, EvalReturnsTypeAndValue) {
  double value = 0;
  EXPECT_EQ(e_eval(u"2,5*2", &value, 0), 0);
  EXPECT_DOUBLE_EQ(value, 5.0);
  EXPECT_EQ(GetResultType(), 0);
}

TEST_F(ExportsTest, FailedEvalWritesNoResult) {
  double value = 42;
  EXPECT_EQ(e_eval(u"1/0", &value, 0), 8);
  EXPECT_EQ(value, 42);
  EXPECT_EQ(GetE_Error(), 8);
  EXPECT_EQ(de_eval(u"1/0", 0), 8.0);  // the code, as a double
  EXPECT_EQ(de_eval(u"3*4", 0), 12.0);
}

TEST_F(ExportsTest, NullTextsReadAsEmpty) {
  double value = 0;
  EXPECT_EQ(e_eval(nullptr, &value, 0), 3);
  EXPECT_EQ(e_eval(u"1+1", nullptr, 0), 0);
  EXPECT_EQ(StrD0(nullptr), std::u16string(u"0"));
  EXPECT_EQ(SetVarFunct(nullptr, u"1", 0), 0);
  EXPECT_EQ(GetE_Error(), 13);
}

TEST_F(ExportsTest, ResetClearsResultTypeAndStores) {
  SetVarFunct(u"a", u"2", 0);
  EXPECT_EQ(de_eval(u"a*3", 0), 6.0);
  ReSetEqParser();
  EXPECT_EQ(GetResultType(), -1);
  EXPECT_EQ(GetVarFuncListLen(u"vars"), 0);
}

TEST_F(ExportsTest, VariableListsThroughBuffers) {
  SetVarFunct(u" X ", u"3", 0);
  EXPECT_EQ(GetVarFuncListLen(u"VARS"), 4);
  std::array<char16_t, 8> buffer{};
  buffer.fill(u'#');
  EXPECT_EQ(GetVarFuncList(buffer.data(), 3, u"vars"), 3);
  EXPECT_EQ(std::u16string_view(buffer.data(), 3), u"x=3");

  SetVarFunct(u"f", u"x^2", 1);
  double length = 0;
  std::u16string prefilled(2, u' ');
  SetE_Error(7);
  EXPECT_EQ(FindVarFunct(u"f", 1, &length, prefilled.data()), 21);
  EXPECT_EQ(GetE_Error(), -1);  // "found" resets the error for the caller
  EXPECT_EQ(length, 3);
  EXPECT_EQ(prefilled, u"x^");  // cut to the pre-filled length
  EXPECT_EQ(FindVarFunct(u"nothere", 0, &length, nullptr), 0);
  EXPECT_EQ(GetE_Error(), 7);
  EXPECT_EQ(length, 3);  // a miss leaves the caller's number alone
  EXPECT_EQ(FindVarFunct(u" x ", 0, &length, nullptr), 21);
  EXPECT_EQ(length, 3);
}

TEST_F(ExportsTest, ErrorTextsAndLogs) {
  EXPECT_EQ(std::u16string(GetE_ErrDescr(8, 0)), u"Division by zero             (Module: eval & sDiff)");
  EXPECT_EQ(std::u16string(GetStErrDescr(-2)), u"File Open Error (not found?)");
  EXPECT_EQ(std::u16string(GetE_ErrDescr(-1, 0)), u"No Error                     (Module: aMatr)");
  double value = 0;
  e_eval(u"1/0", &value, 0);
  std::u16string extended = GetE_ErrDescr(-99, 1);
  EXPECT_NE(extended.find(u" | \r\nProcedure : 'CalcMatrixDivMult (Line: 0)'"), std::u16string::npos);
  int32_t bytes = GetErrorMsgs(nullptr, 0, 0);
  EXPECT_GT(bytes, 0);
  std::u16string log(static_cast<std::size_t>(bytes) / 2, u' ');
  EXPECT_EQ(GetErrorMsgs(log.data(), static_cast<int32_t>(log.size()), 0), bytes);
  EXPECT_NE(log.find(u"Error nr. : 8"), std::u16string::npos);
  EXPECT_EQ(SetErrorMsgsF(5), 0);
  EXPECT_EQ(SetErrorMsgsF(0), 5);
}

TEST_F(ExportsTest, ShowMsgsTwoSuppressesDebugOutput) {
  int32_t previous = SetDebugF(0);
  ShowMsgs(2);
  EXPECT_EQ(SetDebugF(previous), 1);
  ShowMsgs(0);
}

TEST_F(ExportsTest, TabulatesAFormula) {
  std::array<double, 5> xs{}, ys{};
  std::array<double, 5> stats{};
  EXPECT_EQ(e_evals(u"x^2", 0, u"x", 1, 4, xs.data(), ys.data(), stats.data()), -1);
  EXPECT_DOUBLE_EQ(xs[4], 1.0);
  EXPECT_DOUBLE_EQ(ys[2], 0.25);
  EXPECT_DOUBLE_EQ(stats[4], 1.0);
  EXPECT_EQ(e_evals(u"x", 0, u"x", 1, 4, nullptr, ys.data(), stats.data()), 13);
}

// A rule by an unknown number or no place for the result are refused before any sampling, the
// missing result first; a good call through the same export integrates.
TEST_F(ExportsTest, IntegrateRefusesWhatItCannotRun) {
  double result = 7;
  EXPECT_EQ(Integrate(u"x^2", 0, 1, 4, 0, u"x", nullptr), 5);
  EXPECT_EQ(GetE_Error(), 5);
  EXPECT_EQ(Integrate(u"x^2", 0, 1, 4, 3, u"x", &result), 19);
  EXPECT_EQ(GetE_Error(), 19);
  EXPECT_EQ(result, 0.0);
  result = 7;
  EXPECT_EQ(Integrate(u"x^2", 0, 1, 3, -1, u"x", &result), 19);
  EXPECT_EQ(result, 0.0);
  EXPECT_EQ(Integrate(u"x^2", 0, 1, 3, 2, u"x", &result), 22);  // Simpson's rule, odd count
  EXPECT_EQ(Integrate(u"x^2", 0, 1, 2, 2, u"x", &result), 0);
  EXPECT_DOUBLE_EQ(result, 1.0 / 3);
  EXPECT_DOUBLE_EQ(dIntegrate(u"2*x", 0, 1, 2, 1, u"x"), 1.0);
}

TEST_F(ExportsTest, ConstantsByName) {
  double value = 0;
  EXPECT_EQ(e_get_const(u"PI", &value), 1);
  EXPECT_DOUBLE_EQ(value, 3.1415926536);
  EXPECT_EQ(e_get_const(u"tau", &value), 0);
  EXPECT_EQ(GetE_Error(), 18);
}

TEST_F(ExportsTest, BatchResultStartsEmpty) {
  EXPECT_EQ(GetEvalResult(nullptr, 0), 0);
}

}  // namespace

namespace {

TEST(AttachExportsTest, ProcessAttachResetsStateAndThreadAttachStopsReordering) {
  SetE_Error(5);
  EXPECT_EQ(ulvAttachProcess(), 1);
  EXPECT_EQ(GetE_Error(), -1);

  // Column-major callers: a 2x2 copy is transposed into the library's row order...
  ASSERT_EQ(aElemOrderSet(1), -1);
  const double source[4] = {1, 2, 3, 4};
  double copied[4] = {};
  aCopyArray(source, copied, 2, 2);
  EXPECT_EQ(copied[1], 3.0);
  // ...except between thread attach and detach.
  EXPECT_EQ(ulvAttachThread(), 1);
  aCopyArray(source, copied, 2, 2);
  EXPECT_EQ(copied[1], 2.0);
  EXPECT_EQ(ulvDetachThread(), 1);
  aCopyArray(source, copied, 2, 2);
  EXPECT_EQ(copied[1], 3.0);
  EXPECT_EQ(ulvDetachProcess(), 1);
}

}  // namespace
