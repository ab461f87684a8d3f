// SPDX-License-Identifier: MIT
// The three integration rules (accuracy, order of convergence, sampling of the variable),
// their failure codes, and linear interpolation.
#include <bit>
#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <thread>

#include "engine/var_store.h"
#include "numeric/integrate.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::Narrow;

using numeric::Rule;
constexpr Rule kMidpoint = Rule::Midpoint;
constexpr Rule kTrapezoid = Rule::Trapezoid;
constexpr Rule kSimpson = Rule::Simpson;
constexpr Rule kRules[] = {kMidpoint, kTrapezoid, kSimpson};

int Number(Rule rule) { return static_cast<int>(rule); }
constexpr double kUntouched = 7777.0;

class IntegrateTest : public testing_support::EngineTest {
 protected:
  // The integral, expecting the rule to succeed.
  double Integral(std::u16string_view formula, double a, double b, std::int32_t n,
                  Rule rule, std::u16string_view variable = u"x") {
    double result = kUntouched;
    const std::int32_t code = numeric::Integrate(eng, formula, a, b, n, rule, variable, result);
    EXPECT_EQ(code, 0) << Narrow(formula) << " rule " << Number(rule) << " n " << n;
    EXPECT_EQ(Error(), -1) << Narrow(formula) << " rule " << Number(rule) << " n " << n;
    return result;
  }
};

struct Known {
  const char16_t* formula;
  double a, b;
  double exact;
  bool cubic;  // degree <= 3: Simpson's rule is exact
};

TEST_F(IntegrateTest, ErrorShrinksWithTheOrderOfEachRule) {
  const double e = std::exp(1.0);
  auto sqrtOnePlusSquare = [](double x) { return (x * std::sqrt(1 + x * x) + std::asinh(x)) / 2; };
  const Known cases[] = {
      {u"x^4", 0, 1, 0.2, false},           {u"x^5-2*x", -1, 2, 7.5, false},
      {u"x^3-2*x+1", 0, 2, 2.0, true},      {u"3*x^2+1", -1, 2, 12.0, true},
      {u"sin(x)", 0, 3, 1 - std::cos(3.0), false},
      {u"cos(x)", 0, 2, std::sin(2.0), false},
      {u"exp(x)", 0, 3, e * e * e - 1, false},
      {u"exp(-x)", 0, 3, 1 - std::exp(-3.0), false},
      {u"1/(1+x^2)", 0.5, 2.5, std::atan(2.5) - std::atan(0.5), false},
      {u"sqrt(x)", 1, 5, (5 * std::sqrt(5.0) - 1) * 2 / 3, false},
      {u"1/sqrt(x)", 1, 4, 2.0, false},     {u"1/x", 1, 3, std::log(3.0), false},
      {u"1/(x+1)^2", 0, 2, 2.0 / 3, false}, {u"x*exp(x)", 0, 2, e * e + 1, false},
      {u"ln(x)", 1, 3, 3 * std::log(3.0) - 2, false},
      {u"x*ln(x)", 1, 5, 12.5 * std::log(5.0) - 6, false},
      {u"cosh(x)", 0, 2, std::sinh(2.0), false},
      {u"sinh(x)", 0, 2, std::cosh(2.0) - 1, false},
      {u"atan(x)", 0, 2, 2 * std::atan(2.0) - std::log(5.0) / 2, false},
      {u"tan(x)", 0, 1, -std::log(std::cos(1.0)), false},
      {u"sin(x)^2", 0, 2, 1 - std::sin(4.0) / 4, false},
      {u"x^2*sin(x)", 0, 2, -2 * std::cos(2.0) + 4 * std::sin(2.0) - 2, false},
      {u"sqrt(1+x^2)", 0.5, 4, sqrtOnePlusSquare(4) - sqrtOnePlusSquare(0.5), false},
  };
  const std::int32_t steps[] = {4, 8, 16, 32};
  for (const Known& c : cases) {
    const double scale = 1 + std::fabs(c.exact);
    for (const Rule rule : kRules) {
      SCOPED_TRACE(Narrow(c.formula) + " rule " + std::to_string(Number(rule)));
      double err[4];
      for (int k = 0; k < 4; ++k) err[k] = Integral(c.formula, c.a, c.b, steps[k], rule) - c.exact;
      if (rule == kSimpson && c.cubic) {
        for (double d : err) EXPECT_NEAR(d, 0.0, 1e-12 * scale);
        continue;
      }
      const double low = rule == kSimpson ? 10.0 : 3.0;
      const double high = rule == kSimpson ? 22.0 : 5.0;
      int checked = 0;
      // Below about 1e-5 of the scale the single-precision built-ins blur the ratio.
      for (int k = 0; k < 3 && std::fabs(err[k + 1]) > 1e-5 * scale; ++k, ++checked) {
        const double ratio = err[k] / err[k + 1];
        EXPECT_GE(ratio, low) << "n " << steps[k] << " err " << err[k] << " / " << err[k + 1];
        EXPECT_LE(ratio, high) << "n " << steps[k] << " err " << err[k] << " / " << err[k + 1];
      }
      EXPECT_GE(checked, 1) << "error already tiny at n = 8: " << err[1];
    }
  }
}

TEST_F(IntegrateTest, SquareOverUnitIntervalWithTwoSubintervals) {
  EXPECT_EQ(Integral(u"x^2", 0, 1, 2, kSimpson), 1.0 / 3.0);
  EXPECT_EQ(Integral(u"x^2", 0, 1, 2, kMidpoint), 0.3125);
  EXPECT_EQ(Integral(u"x^2", 0, 1, 2, kTrapezoid), 0.375);
  // Negative abscissae go into the text bracketed.
  EXPECT_NEAR(Integral(u"x^3", -2, -1, 2, kSimpson), -3.75, 1e-12);
  EXPECT_NEAR(Integral(u"-x^2", -1, 0, 2, kSimpson), -1.0 / 3.0, 1e-12);
}

TEST_F(IntegrateTest, VariableMatchesWholeIdentifiersInAnyCase) {
  engine::SetVarFunct(eng.core, eng.vars, u"xx", u"10", false);
  struct Case {
    const char16_t* formula;
    const char16_t* variable;
    double exact;
  };
  const Case cases[] = {
      {u"x^2", u"X", 1.0 / 3},           {u"X^2", u"x", 1.0 / 3},  {u"X^2", u"X", 1.0 / 3},
      {u"exp(x)", u"x", std::exp(1.0) - 1}, {u"EXP(X)", u"x", std::exp(1.0) - 1},
      {u"x+xx", u"x", 10.5},             {u"t*2", u"T", 1.0},   {u"x*x-X", u"x", 1.0 / 3 - 0.5},
  };
  for (const Case& c : cases)
    for (const Rule rule : kRules)
      EXPECT_NEAR(Integral(c.formula, 0, 1, 64, rule, c.variable), c.exact, 1e-3)
          << Narrow(c.formula) << " in " << Narrow(c.variable) << " rule " << Number(rule);
}

TEST_F(IntegrateTest, DegenerateAndReversedIntervals) {
  for (const Rule rule : kRules) {
    SCOPED_TRACE(Number(rule));
    EXPECT_EQ(Integral(u"x^2+1", 1.5, 1.5, 4, rule), 0.0);
    EXPECT_NEAR(Integral(u"5", 0, 2, 4, rule), 10.0, 1e-12);  // no variable: a constant
    const double forward = Integral(u"sin(x)+x^2", 0.5, 2, 8, rule);
    EXPECT_NEAR(Integral(u"sin(x)+x^2", 2, 0.5, 8, rule), -forward, 1e-9);
    EXPECT_LT(Integral(u"x^2", 1, 0, 4, rule), -0.3);
  }
}

TEST_F(IntegrateTest, FirstFailingSampleStopsTheSum) {
  struct Case {
    const char16_t* formula;
    double a, b;
    std::int32_t n;
    Rule rule;
    std::int32_t code;
    double partial;
  };
  const Case cases[] = {
      // Samples 0.25, 0.75, then 1.25 fails: 0.5 * (-1 - 2).
      {u"1/(x-1.25)", 0, 2, 4, kMidpoint, 8, -1.5},
      // Ends -2 and 2, sample 0.25 gives -4, then 0.5 fails: 0.25 * (0 - 4).
      {u"1/(x-0.5)", 0, 1, 4, kTrapezoid, 8, -1.0},
      // Ends -4 and 4/3, last odd point 0.75 gives 2, then 0.25 fails.
      {u"1/(x-0.25)", 0, 1, 4, kSimpson, 8, 0.25 / 3 * (-4 + 8 + 4.0 / 3)},
      {u"1/x", 0, 1, 4, kTrapezoid, 8, 0.0},
      {u"sqrt(x)", -1, 1, 4, kMidpoint, 13, 0.0},
      {u"ln(x)", 0, 1, 2, kSimpson, 13, 0.0},
  };
  for (const Case& c : cases) {
    double result = kUntouched;
    EXPECT_EQ(numeric::Integrate(eng, c.formula, c.a, c.b, c.n, c.rule, u"x", result), c.code)
        << Narrow(c.formula);
    EXPECT_EQ(Error(), c.code) << Narrow(c.formula);
    EXPECT_NEAR(result, c.partial, 1e-12) << Narrow(c.formula);
  }
  // The next integration starts clean.
  EXPECT_NEAR(Integral(u"x", 0, 1, 2, kTrapezoid), 0.5, 1e-15);
}

TEST_F(IntegrateTest, RefusedArguments) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double a, b;
    std::int32_t n;
    Rule rule;
    std::int32_t code;
    const char16_t* variable;
    double written;  // kUntouched: nothing written
  };
  const Case cases[] = {
      {0, 1, 0, kMidpoint, 13, u"x", kUntouched},   {0, 1, -4, kSimpson, 13, u"x", kUntouched},
      {nan, 1, 4, kTrapezoid, 13, u"x", kUntouched}, {0, inf, 4, kSimpson, 13, u"x", kUntouched},
      {-inf, 0, 4, kMidpoint, 13, u"x", kUntouched}, {0, 1, 4, kTrapezoid, 13, u"", kUntouched},
      {0, 1, 4, kSimpson, 13, u"  ", kUntouched},    {0, 1, 3, kSimpson, 22, u"x", kUntouched},
      {0, 1, 1, kSimpson, 22, u"x", kUntouched},     {0, 1, 101, kSimpson, 22, u"x", kUntouched},
  };
  for (const Case& c : cases) {
    double result = kUntouched;
    EXPECT_EQ(numeric::Integrate(eng, u"x^2", c.a, c.b, c.n, c.rule, c.variable, result), c.code)
        << "rule " << Number(c.rule) << " n " << c.n << " a " << c.a << " b " << c.b;
    EXPECT_EQ(Error(), c.code);
    EXPECT_EQ(result, c.written) << "rule " << Number(c.rule) << " n " << c.n;
  }
  EXPECT_TRUE(services.shown.empty());
  // With messages on, the odd count is explained in a box.
  eng.core.options.messageFlag = 1;
  double result = kUntouched;
  EXPECT_EQ(numeric::Integrate(eng, u"x^2", 0, 1, 3, kSimpson, u"x", result), 22);
  ASSERT_EQ(services.shown.size(), 1u);
  EXPECT_EQ(services.shown[0].title, u"Solver");
  // The other rules take odd counts (exact error terms for a square).
  EXPECT_NEAR(Integral(u"x^2", 0, 1, 3, kMidpoint), 1.0 / 3 - 1.0 / 108, 1e-9);
  EXPECT_NEAR(Integral(u"x^2", 0, 1, 3, kTrapezoid), 1.0 / 3 + 1.0 / 54, 1e-9);
}

TEST(InterpLinTest, StraightLineThroughTwoPoints) {
  struct Case {
    double x, x1, x2, y1, y2, y;
  };
  const Case cases[] = {
      {1.5, 1, 2, 10, 20, 15}, {3, 1, 2, 10, 20, 30}, {-1, 0, 4, 8, 0, 10}, {0.25, 2, 0, 5, 1, 1.5},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(numeric::InterpLin(c.x, c.x1, c.x2, c.y1, c.y2), c.y) << c.x;
  // Equal abscissae divide by zero by IEEE rules.
  EXPECT_TRUE(std::isnan(numeric::InterpLin(1, 1, 1, 10, 20)));
  EXPECT_EQ(numeric::InterpLin(2, 1, 1, 10, 20), std::numeric_limits<double>::infinity());
}

// Samples go through the compiled formula; with debug output on they all go through the text,
// which is what the output traces. Both give the same integral, bit for bit.
TEST_F(IntegrateTest, CompiledSamplingGivesTheTextPathsIntegral) {
  engine::SetVarFunct(eng.core, eng.vars, u"a", u"1.75", false);
  engine::SetVarFunct(eng.core, eng.vars, u"f", u"x*2+a", true);
  for (const char16_t* formula : {u"x^2*sin(x)", u"f/(1+x^2) - max(x;a)", u"1/(x-1.5)"}) {
    for (const Rule rule : kRules) {
      double compiled = 0.0;
      const std::int32_t compiledCode = numeric::Integrate(eng, formula, -1.0, 3.0, 1000, rule, u"x", compiled);
      eng.core.log.debugFlags = engine::kDebugSuppressed;
      double text = 0.0;
      const std::int32_t textCode = numeric::Integrate(eng, formula, -1.0, 3.0, 1000, rule, u"x", text);
      eng.core.log.debugFlags = 0;
      EXPECT_EQ(compiledCode, textCode) << Narrow(formula) << " rule " << Number(rule);
      EXPECT_EQ(std::bit_cast<std::uint64_t>(compiled), std::bit_cast<std::uint64_t>(text)) << Narrow(formula) << " rule " << Number(rule);
    }
  }
}

// Another thread's request stops a long integration between samples, through the compiled
// form and through the text alike, and the integral fails as cancelled.
TEST_F(IntegrateTest, CancelledFromAnotherThread) {
  for (const char16_t* formula : {u"x*x", u"x*x+rnd(1)*0"}) {
    eng.core.cancel->Clear();
    std::thread canceller([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      eng.core.cancel->Request();
    });
    double result = kUntouched;
    const std::int32_t code = numeric::Integrate(eng, formula, 0, 1, 2'000'000'000, kMidpoint, u"x", result);
    canceller.join();
    EXPECT_EQ(code, 26) << Narrow(formula);
    EXPECT_EQ(Error(), 26) << Narrow(formula);
  }
  eng.core.cancel->Clear();
}

}  // namespace
