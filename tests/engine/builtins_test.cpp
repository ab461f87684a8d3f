// SPDX-License-Identifier: MIT
// Built-in functions: values in single precision, domain failures and their reports.
#include <cmath>
#include <numbers>
#include <set>
#include <string>

#include "engine/builtins.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::EngineTest;
using testing_support::Narrow;

constexpr double kPi = std::numbers::pi;

class BuiltinsTest : public EngineTest {
 protected:
  // The value a formula gives, as 10-decimal text.
  std::string Shown(std::u16string_view expr) {
    auto outcome = Eval(expr);
    EXPECT_EQ(outcome.code, 0) << Narrow(expr);
    return Narrow(engine::FormatFixed(outcome.value));
  }
};

TEST_F(BuiltinsTest, SimpleValues) {
  const std::pair<const char16_t*, double> cases[] = {
      {u"sin(0)", 0},    {u"cos(0)", 1},    {u"abs(-2)", 2},   {u"sgn(-3)", -1},
      {u"sgn(0)", 0},    {u"int(-2.7)", -2}, {u"fix(-2.7)", -2}, {u"fix(0)", 0},
      {u"int(10^20)", 2147483647},          {u"cosh(0)", 1},   {u"tanh(0)", 0},
      {u"sech(0)", 1},   {u"SQRT(4)", 2},   {u"exp(0)", 1},    {u"ln(1)", 0},
  };
  for (const auto& [expr, value] : cases) EXPECT_EVAL(expr, value);
}

TEST_F(BuiltinsTest, ResultsCarrySinglePrecision) {
  EXPECT_EQ(Shown(u"sin(1)"), "0.8414709568");
  EXPECT_EQ(Shown(u"#pi"), "3.1415927410");
  EXPECT_EQ(Shown(u"pi"), "3.1415926536");  // a named constant is not a float
  EXPECT_EQ(Shown(u"sqrt(2)"), Narrow(engine::FormatFixed(double{std::sqrt(2.0f)})));
  // Beyond float range: a positive infinite result is an overflow, a negative one a value.
  EXPECT_EVAL_ERROR(u"abs(-10^39)", 19);
  EXPECT_EVAL_ERROR(u"exp(100)", 19);
  EXPECT_EQ(Eval(u"-abs(10^39)").value, -HUGE_VAL);
}

// Each name at a point of its domain, against the textbook formula the function follows.
TEST_F(BuiltinsTest, EveryNameEvaluates) {
  struct Case {
    const char16_t* name;
    double x;
    double value;
  };
  const Case cases[] = {
      {u"abs", -1.5, 1.5},          {u"atan", 1, kPi / 4},        {u"atn", 1, kPi / 4},
      {u"cos", 0.5, std::cos(0.5)}, {u"exp", 1, std::numbers::e}, {u"fix", 2.5, 2},
      {u"int", 2.5, 2},             {u"log", 2, std::log(2.0)},   {u"ln", 2, std::log(2.0)},
      {u"log10", 100, 2},           {u"sgn", 2, 1},               {u"sin", 0.5, std::sin(0.5)},
      {u"sqr", 2.25, 1.5},          {u"sqrt", 2.25, 1.5},         {u"tan", 0.5, std::tan(0.5)},
      {u"sec", 0.5, 1 / std::cos(0.5)},   {u"cosec", 0.5, 1 / std::sin(0.5)},
      {u"cotan", 0.5, 1 / std::tan(0.5)}, {u"arcsin", 0.5, kPi / 6},
      {u"arccos", 0.5, kPi / 3},          {u"arcsec", 2, kPi / 3},
      {u"arccosec", 2, kPi / 6},          {u"arccosec", -2, -kPi / 6},
      {u"arcsec", -2, 2 * kPi / 3},       {u"arccotan", 1, kPi / 4},
      {u"arccotan", -1, 3 * kPi / 4},      {u"sinh", 0.5, std::sinh(0.5)},
      {u"cosh", 0.5, std::cosh(0.5)},     {u"tanh", 0.5, std::tanh(0.5)},
      {u"sech", 0.5, 1 / std::cosh(0.5)}, {u"cosech", 0.5, 1 / std::sinh(0.5)},
      {u"cotanh", 0.5, 1 / std::tanh(0.5)}, {u"arctanh", 0.5, std::atanh(0.5)},
      {u"arcsinh", 0.5, std::asinh(0.5)}, {u"arccosh", 2, std::acosh(2.0)},
      {u"arcsech", 0.5, std::acosh(2.0)}, {u"arccosech", 0.5, std::asinh(2.0)},
      {u"arccotanh", 2, std::atanh(0.5)}, {u"#pi", 9, kPi},
      {u"#rad", 9, kPi / 180},            {u"#to_rad", 9, kPi / 180},
      {u"rad", 9, kPi / 180},             {u"to_rad", 9, kPi / 180},
      {u"#deg", 9, 180 / kPi},            {u"#to_deg", 9, 180 / kPi},
      {u"deg", 9, 180 / kPi},             {u"to_deg", 9, 180 / kPi},
      {u"#e", 9, std::numbers::e},        {u"SIN", 0.5, std::sin(0.5)},
  };
  for (const Case& c : cases) {
    eng.core.state.e_error = -1;
    double value = engine::e_function(eng.core, c.name, c.x);
    EXPECT_EQ(Error(), -1) << Narrow(c.name);
    EXPECT_NEAR(value, c.value, 1e-6 * (1 + std::fabs(c.value))) << Narrow(c.name);
  }
}

// The ends of the arc functions' domains are inside it, and so is what rounds to them as a float.
TEST_F(BuiltinsTest, ArcFunctionsTakeTheEndsOfTheirDomains) {
  const std::pair<const char16_t*, double> cases[] = {
      {u"arcsin(1)", kPi / 2},    {u"arcsin(-1)", -kPi / 2}, {u"arccos(1)", 0},       {u"arccos(-1)", kPi},
      {u"arcsec(1)", 0},          {u"arcsec(-1)", kPi},      {u"arccosec(1)", kPi / 2}, {u"arccosec(-1)", -kPi / 2},
      {u"arcsin(0.9999999999)", kPi / 2},
  };
  for (const auto& [expr, value] : cases) EXPECT_NEAR(Eval(expr).value, value, 1e-6) << Narrow(expr);
  for (const auto& [expr, value] : cases) EXPECT_EQ(Eval(expr).code, 0) << Narrow(expr);
}

TEST_F(BuiltinsTest, DomainFailuresReportTheArgument) {
  struct Case {
    const char16_t* expr;
    int line;                // the check's number in the report's first line
    const char16_t* message; // the start of the extended info
  };
  const Case cases[] = {
      {u"sqrt(-1)", 1320, u"Invalid Argument = -1.0000000000\r\n"},
      {u"ln(-2)", 1301, u"Invalid Argument = -2.0000000000\r\n"},
      {u"log10(-2)", 1305, u"Invalid Argument = -2.0000000000\r\n"},
      {u"arcsin(1.5)", 1340, u"Invalid Argument = 1.5000000000 and (-arg^2 + 1) => -1.2500000000\r\n"},
      // Just beyond the end, though the argument narrowed to a float would be the end itself.
      {u"arcsin(1.0000000001)", 1340, u"Invalid Argument = 1.0000000000 and (-arg^2 + 1) => -0.0000000002\r\n"},
      {u"arccos(2)", 1345, u"Invalid Argument = 2.0000000000 and (-arg^2 + 1) => 3.0000000000\r\n"},
      {u"arcsec(0.5)", 1350, u"Invalid Argument = 0.5000000000 and (arg^2 - 1) => -0.7500000000"},
      {u"arccosec(-0.5)", 1355, u"Invalid Argument = -0.5000000000 and (arg^2 - 1) => -0.7500000000"},
      {u"ln(0)", 1391, u"Invalid Argument: Numerator= "},
      {u"arctanh(-1)", 1391,
       u"Invalid Argument: Numerator= 0.0000000000, Denominator= 2.0000000000\r\n"},
  };
  for (const Case& c : cases) {
    engine::ClearErrorLog(eng.core.log);
    EXPECT_EVAL_ERROR(c.expr, 13);
    const std::u16string head =
        u"\r\nProcedure : 'e_function (Line: " + engine::ToU16(std::to_string(c.line)) + u")'";
    EXPECT_EQ(Log().rfind(head, 0), 0u) << Narrow(Log());
    EXPECT_EQ(eng.core.log.extended.rfind(c.message, 0), 0u) << Narrow(eng.core.log.extended);
  }
}

TEST_F(BuiltinsTest, UnknownFunctionIsCodeFour) {
  EXPECT_EVAL_ERROR(u"frobnicate(1)", 4);
  EXPECT_NE(Log().find(u"Procedure : 'e_function (Line: 1376)'"), std::u16string::npos);
  EXPECT_EVAL_ERROR(u"undefinedvar+1", 4);
}

// The tokenizer's look at a name must not leave a domain failure behind for these four, whose
// domain excludes the probe's point; the argument's operators must still run.
TEST_F(BuiltinsTest, InverseFunctionsTakeComputedArguments) {
  EXPECT_EVAL(u"arcsin(0.5+0.1)", double{static_cast<float>(std::asin(double{0.6f}))});
  EXPECT_EVAL(u"arccos(0.25*2)", double{static_cast<float>(kPi / 3)});
  EXPECT_EVAL(u"arcsec(1+1)", double{static_cast<float>(kPi / 3)});
  EXPECT_EVAL(u"arccosec(4/2)", double{static_cast<float>(kPi / 6)});
  EXPECT_TRUE(Log().empty()) << Narrow(Log());
}

TEST_F(BuiltinsTest, StandingErrorIsKeptAndNothingComputed) {
  eng.core.state.e_error = 8;
  EXPECT_EQ(engine::e_function(eng.core, u"cos", 0), 0.0);
  EXPECT_EQ(engine::e_function(eng.core, u"nosuch", 0), 0.0);
  EXPECT_EQ(Error(), 8);
  EXPECT_TRUE(Log().empty());
}

TEST_F(BuiltinsTest, RndStaysInRange) {
  std::set<double> seen;
  for (int i = 0; i < 300; ++i) {
    auto outcome = Eval(u"rnd(2.6)");  // rounds to 3
    ASSERT_EQ(outcome.code, 0);
    ASSERT_TRUE(outcome.value == 0 || outcome.value == 1 || outcome.value == 2 ||
                outcome.value == 3) << outcome.value;
    seen.insert(outcome.value);
  }
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_EVAL(u"rnd(0)", 0);
}

}  // namespace
