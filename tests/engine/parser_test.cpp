// SPDX-License-Identifier: MIT
// Precedence, operators, list functions and the parser's failures.
#include <cmath>

#include "engine/evaluator.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::EngineTest;

struct Case {
  const char16_t* expr;
  double value;
};

class ParserTest : public EngineTest {};

TEST_F(ParserTest, PrecedenceAndAssociativity) {
  const Case cases[] = {
      {u"2+3*4", 14},   {u"(2+3)*4", 20},  {u"2^3^2", 64},   {u"-2^2", -4},
      {u"8-3-2", 3},    {u"-2*3", -6},     {u"+5", 5},       {u"2*-3", -6},
      {u"12/3/2", 2},   {u"2+3 mod 2", 3}, {u"7\\2*2", 1},   {u"1+2 = 3", -1},
      {u"1 < 2 and 3 > 4", 0},             {u"1 or 0 xor 1", 0},
      {u"not 1 = 2", -1},                  {u"--3", 3},
  };
  for (const Case& c : cases) EXPECT_EVAL(c.expr, c.value);
}

TEST_F(ParserTest, IntegerDivisionAndRemainderTruncateTowardZero) {
  const Case cases[] = {
      {u"7\\2", 3}, {u"-7\\2", -3}, {u"7 mod 3", 1}, {u"-7 mod 3", -1},
      {u"7 mod -3", 1}, {u"7.9 mod 3.9", 1}, {u"-2147483648 mod -1", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EVAL(c.expr, c.value);
  }
  // Beyond 32 bits the truncation saturates instead of being undefined.
  EXPECT_EVAL(u"1000000000000\\1", 2147483647);
}

TEST_F(ParserTest, IntegerDivisionByZeroIsDivisionByZero) {
  EXPECT_EVAL_ERROR(u"7\\0", 8);
  EXPECT_EVAL_ERROR(u"7 mod 0", 8);
  EXPECT_EVAL_ERROR(u"7 mod 0.5", 8);  // the divisor truncates to 0
  EXPECT_EVAL(u"7\\0.5", 14);          // the quotient is truncated, not the divisor
}

TEST_F(ParserTest, ComparisonsYieldBoolSign) {
  EXPECT_EVAL(u"1<2", -1);
  EXPECT_EVAL(u"2<1", 0);
  EXPECT_EVAL(u"1<=1", -1);
  EXPECT_EVAL(u"1<>1", 0);
  EXPECT_EVAL(u"2>=3", 0);
  engine::SetBoolSign(eng, 1);
  EXPECT_EVAL(u"1<2", 1);
  engine::SetBoolSign(eng, 0);  // refused: stays 1
  EXPECT_EVAL(u"1<2", 1);
}

TEST_F(ParserTest, LogicalOperatorsYieldOneOrZero) {
  EXPECT_EVAL(u"(1<2) and (2<3)", 1);
  EXPECT_EVAL(u"0 or 0", 0);
  EXPECT_EVAL(u"2 or 0", 1);
  EXPECT_EVAL(u"1 xor 1", 0);
  EXPECT_EVAL(u"not 0", -1);
  EXPECT_EVAL(u"not (1<2)", 0);
  EXPECT_EVAL(u"not 1", -2);  // a bitwise complement
}

TEST_F(ParserTest, ListFunctions) {
  const Case cases[] = {
      {u"sum(1;2;3)", 6},        {u"count(5)", 1},          {u"median(3;1;2)", 2},
      {u"median(4;1;3;2)", 2.5}, {u"min(5)", 5},            {u"max(-5)", -5},
      {u"median(5)", 5},         {u"avg(1;2;3;4)", 2.5},    {u"mean(2;4)", 3},
      {u"sum2(1;2;3)", 14},      {u"prod(2;3;4)", 24},      {u"prod2(2;3)", 36},
      {u"geom_mean(2;8)", 4},    {u"stddev(2;4;4;4;5;5;7;9)", 2.138089935299395},
      {u"min(3;-1;2)", -1},      {u"max(1+1;2*3;5)", 6},    {u"SUM(1;1)", 2},
  };
  for (const Case& c : cases) EXPECT_EVAL(c.expr, c.value);
  // Thirteen and more arguments grow the argument array.
  EXPECT_EVAL(u"count(1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23)", 23);
}

TEST_F(ParserTest, ListFunctionOfOneValueHasNoDeviation) {
  auto outcome = Eval(u"stddev(3)");
  EXPECT_EQ(outcome.code, 0);
  EXPECT_TRUE(std::isnan(outcome.value));
}

TEST_F(ParserTest, Literals) {
  EXPECT_EVAL(u"&FF", 255);
  EXPECT_EVAL(u"&ff+1", 256);
  EXPECT_EVAL(u"&7FFFFFFFFFFFFFFF", 9223372036854775807.0);
  EXPECT_EVAL(u"&FFFFFFFFFFFFFFFF", -1);  // a 64-bit integer wraps
  EXPECT_EVAL(u"!100", 4);
  EXPECT_EVAL(u"!1011", 11);
  EXPECT_EVAL(u"!102", 0);  // a digit other than 0 and 1 makes the value 0
  EXPECT_EVAL(u".5", 0.5);
  EXPECT_EVAL(u"5.", 5);
}

// A literal that is no number is an error at its offending character, never a value.
TEST_F(ParserTest, MalformedLiteralsFailWhereTheyGoWrong) {
  const std::pair<const char16_t*, std::size_t> cases[] = {
      {u"1.2.3+1", 3}, {u"3.5.1", 3}, {u"2*.", 2}, {u"!+5", 0}, {u"1+!", 2},
      {u"&", 0},       {u"&G", 0},    {u"sum(,)", 4},  // "," is a decimal point here
  };
  for (const auto& [expr, place] : cases) {
    EXPECT_EVAL_ERROR(expr, 3);
    EXPECT_EQ(eng.core.cursor.failurePlace(), place) << testing_support::Narrow(expr);
  }
}

TEST_F(ParserTest, SyntaxFailures) {
  EXPECT_EVAL_ERROR(u"2 3", 2);
  EXPECT_EVAL_ERROR(u"2 eqv 3", 2);
  EXPECT_EVAL_ERROR(u"2 imp 3", 2);
  EXPECT_EVAL_ERROR(u"1 >> 2", 2);
  EXPECT_EVAL_ERROR(u"sin 1", 6);
  EXPECT_EVAL_ERROR(u"3+", 3);
  EXPECT_EVAL_ERROR(u"", 3);
  EXPECT_EVAL_ERROR(u"(1+2", 6);
  EXPECT_EVAL_ERROR(u"1+2)", 2);
  EXPECT_EVAL_ERROR(u"sum(1;2", 6);
  EXPECT_EVAL_ERROR(u"sum()", 3);
  EXPECT_EVAL_ERROR(u"*2", 3);
  EXPECT_EVAL_ERROR(u"1 $ 2", 2);
}

TEST_F(ParserTest, MissingBracketIsReportedByMatch) {
  Eval(u"(1+2");
  EXPECT_NE(Log().find(u"Procedure : 'e_match (Line: 1546)'"), std::u16string::npos);
  EXPECT_NE(Log().find(u"Expected ), got ''"), std::u16string::npos);
}

TEST_F(ParserTest, OperandErrorIsShownOnlyWhenAskedFor) {
  Eval(u"3+");
  EXPECT_TRUE(Log().empty());
  engine::ShowMsgs(eng.core, 1);
  eng.core.log.debugFlags = engine::kDebugMessageBox;
  Eval(u"3+");
  ASSERT_EQ(services.shown.size(), 1u);
  EXPECT_EQ(services.shown[0].title, u"EqParser: Error");
  EXPECT_EQ(services.shown[0].text.rfind(u"Procedure: e_prs\r\nSyntax error, token = ''", 0), 0u);
}

TEST_F(ParserTest, ErrorInsideAnArgumentIsKept) {
  EXPECT_EVAL_ERROR(u"sin(1/0)", 8);
  EXPECT_EVAL_ERROR(u"sum(1/0;#pi)", 8);
  EXPECT_EVAL_ERROR(u"abs(sqrt(-4))", 13);
}

TEST_F(ParserTest, MatrixOperandsAreLookedUp) {
  EXPECT_EVAL_ERROR(u"[mA]*2", 14);
  EXPECT_EVAL_ERROR(u"det([mA])", 14);
}

TEST_F(ParserTest, DeepNestingEndsWithParseError) {
  std::u16string deep(100000, u'(');
  deep += u"1";
  deep += std::u16string(100000, u')');
  EXPECT_EVAL_ERROR(deep, 3);
  EXPECT_EVAL_ERROR(std::u16string(100000, u'-') + u"1", 3);
  EXPECT_EVAL(u"1+1", 2);  // the engine is usable afterwards
  std::u16string nested;
  for (int i = 0; i < 100; ++i) nested += u"abs(";
  nested += u"-1" + std::u16string(100, u')');
  EXPECT_EVAL(nested, 1);
}

}  // namespace
