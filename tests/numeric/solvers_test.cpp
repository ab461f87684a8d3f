// SPDX-License-Identifier: MIT
// The start search, the Newton solvers over numbers and over text, and the translation of the
// differentiator's function names.
#include <cmath>
#include <string>

#include "diff/diff_state.h"
#include "engine/var_store.h"
#include "engine_core/error_log.h"
#include "engine_core/number_text.h"
#include "numeric/solvers.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::Narrow;

class SolversTest : public testing_support::EngineTest {
 protected:
  diff::DiffState state;
  diff::Diff d{eng.core, state};

  // The variable's text as the store holds it.
  std::u16string VariableText(std::u16string_view name) const {
    const engine::VarEntry* entry = engine::LookupVariable(eng.vars, name);
    return entry ? entry->value : u"<none>";
  }
  // Step k's Newton trace line ("k, x") in the debug log, among the evaluator's own lines.
  std::u16string TraceLine(int k) const {
    const std::u16string& log = eng.core.log.debugLog;
    const std::size_t at = log.find(u"\r\n" + engine::ToU16(std::to_string(k)) + u", ");
    if (at == std::u16string::npos) return u"";
    return log.substr(at + 2, log.find(u"\r\n", at + 2) - at - 2);
  }
};

TEST_F(SolversTest, StartSearch) {
  struct Case {
    const char16_t* formula;
    double start;        // dPolySolve
    const char16_t* text;  // sPolyNewt over integer parts
  };
  const Case cases[] = {
      {u"x^2-4", 2, u"2"},       // |f(1)| = 3 stops one step on
      {u"x-10", 8, u"8"},        // right by 2 while |f| falls
      {u"x^2-100", 11, u"11"},   // stops one past the point where |f| <= 3
      {u"10+0*x", 200, u"200"},  // equal values: right by 1 each round
      {u"x+10", 1, u"1"},        // rising from 0: stays, and 0 becomes 1
      {u"2", 1, u"1"},
      {u"x-3.9", 2, u"1"},       // |-3.9| > 3, but its integer part is 3
  };
  for (const Case& c : cases) {
    EXPECT_EQ(numeric::dPolySolve(eng, c.formula, u"x"), c.start) << Narrow(c.formula);
    double result = -1;
    EXPECT_EQ(numeric::NewtSolve(eng, c.formula, u"x", &result), -1) << Narrow(c.formula);
    EXPECT_EQ(result, c.start) << Narrow(c.formula);
    EXPECT_EQ(numeric::sPolyNewt(eng, c.formula, u"x", 200), c.text) << Narrow(c.formula);
  }
  EXPECT_EQ(numeric::sPolyNewt(eng, u"x+10", u"x", 5), u"1");
  EXPECT_EQ(numeric::sPolyNewt(eng, u"10+0*x", u"x", 7), u"7");
  EXPECT_EQ(numeric::sPolyNewt(eng, u"10+0*x", u"x", 0), u"1");
  EXPECT_EQ(numeric::NewtSolve(eng, u"x-10", u"x", nullptr), 5);
  EXPECT_EQ(Error(), 5);
}

TEST_F(SolversTest, NewtonWithPolynomialDerivative) {
  eng.core.log.debugFlags = engine::kDebugToLog;
  EXPECT_EQ(numeric::dSolve(eng, u"x^2-4", u"x"), 2.0);
  EXPECT_EQ(VariableText(u"x"), u"2");
  EXPECT_EQ(TraceLine(1), u"1, 2");
  EXPECT_EQ(TraceLine(20), u"20, 2");
  EXPECT_EQ(TraceLine(21), u"") << "exactly 20 steps";

  // x^3 - 2x from the start 1: slope 1, then Newton converges to sqrt(2).
  EXPECT_NEAR(numeric::dSolve(eng, u"x^3-x-x", u"X"), std::sqrt(2.0), 1e-9);
  EXPECT_EQ(Error(), -1);
  EXPECT_NEAR(engine::ParseDecimal(VariableText(u"x")), std::sqrt(2.0), 1e-9);
  const std::u16string text = numeric::sSolve(eng, u"x^3-x-x", u"x", 20);
  EXPECT_NEAR(engine::ParseDecimal(text), std::sqrt(2.0), 1e-9);
}

TEST_F(SolversTest, ZeroDerivativeStepsByTheValue) {
  eng.core.log.debugFlags = engine::kDebugToLog;
  // x^2 - 2x starts at 1 where the slope 2*x - 1 - 1 is 0: the step is 1 - (-1).
  EXPECT_EQ(numeric::dSolve(eng, u"x^2-x-x", u"x"), 2.0);
  EXPECT_EQ(TraceLine(1), u"1, 2");
  // x^2 - 2x + 3 starts at 1 (f(0) = 3) where 2*x-2 is 0: 1 - 2.
  eng.core.log.debugLog.clear();
  double result = 0;
  EXPECT_EQ(numeric::SolveD(eng, d, u"x^2-2*x+3", u"x", &result), -1);
  EXPECT_EQ(TraceLine(1), u"1, -1");
}

TEST_F(SolversTest, DerivativeTextWithVanishedConstantStillServesNewton) {
  EXPECT_NEAR(numeric::dSolve(eng, u"x^2-2", u"x"), std::sqrt(2.0), 1e-9);
  EXPECT_EQ(Error(), -1);
  EXPECT_EQ(numeric::dSolve(eng, u"x^2-4", u"x"), 2.0);
  EXPECT_EQ(Error(), -1);
  EXPECT_NEAR(engine::ParseDecimal(numeric::sSolve(eng, u"x^3-5", u"x", 30)), std::cbrt(5.0), 1e-9);
  EXPECT_EQ(Error(), -1);
}

TEST_F(SolversTest, NewtonWithSymbolicDerivative) {
  struct Case {
    const char16_t* formula;
    const char16_t* variable;
    double root;
    double tolerance;  // the built-ins compute in single precision
  };
  const Case cases[] = {
      {u"sinh(x)-1", u"x", std::asinh(1.0), 1e-6},
      {u"x^2-2", u"x", std::sqrt(2.0), 1e-9},
      {u"tan(t)-2", u"t", std::atan(2.0), 1e-6},
      {u"cosh(x)-2", u"x", std::acosh(2.0), 1e-6},
      {u"exp(x)-5", u"x", std::log(5.0), 1e-6},
  };
  for (const Case& c : cases) {
    double result = 0;
    EXPECT_EQ(numeric::SolveD(eng, d, c.formula, c.variable, &result), -1) << Narrow(c.formula);
    EXPECT_NEAR(result, c.root, c.tolerance) << Narrow(c.formula);
  }
  // A formula the differentiator cannot read writes nothing.
  for (const char16_t* bad : {u"(x", u"x+", u""}) {
    double result = 77;
    EXPECT_EQ(numeric::SolveD(eng, d, bad, u"x", &result), -1) << Narrow(bad);
    EXPECT_NE(Error(), -1) << Narrow(bad);
    EXPECT_EQ(result, 77) << Narrow(bad);
  }
  EXPECT_EQ(numeric::SolveD(eng, d, u"x^2-4", u"x", nullptr), -1);
}

TEST_F(SolversTest, SymbolicDerivativeTakesTheVariableInAnyCase) {
  double result = 0;
  EXPECT_EQ(numeric::SolveD(eng, d, u"tan(t)-2", u"T", &result), -1);
  EXPECT_NEAR(result, std::atan(2.0), 1e-6);
  EXPECT_EQ(numeric::SolveD(eng, d, u"SINH(X)-1", u"x", &result), -1);  // names in any case too
  EXPECT_NEAR(result, std::asinh(1.0), 1e-6);
}

TEST_F(SolversTest, TextSolverTakesAtLeastOneStep) {
  // x^3 - 4x from the start 1, slope -1: one step lands on the root -2.
  for (std::int32_t steps : {1, 0, -3})
    EXPECT_EQ(numeric::sSolve(eng, u"x^3-x-x-x-x", u"x", steps), u"-2") << steps;
  EXPECT_EQ(VariableText(u"x"), u"1") << "the last value evaluated, before the step";
}

TEST(EvaluatorSpellingTest, DifferentiatorNamesBecomeEvaluatorNames) {
  struct Case {
    const char16_t* in;
    const char16_t* out;
  };
  const Case cases[] = {
      {u"sh(x)*ch(x)", u"sinh(x)*cosh(x)"},   {u"tg(x)+ctg(x)", u"tan(x)+cotan(x)"},
      {u"arctg(x)-arcctg(x)", u"atan(x)-arccotan(x)"},
      {u"th(x)/cth(x)", u"tanh(x)/cotanh(x)"}, {u"tgh(2*x)+ctgh(x)", u"tanh(2*x)+cotanh(x)"},
      {u"sign(x)", u"sgn(x)"},                 {u"1/ch(x)^2", u"1/cosh(x)^2"},
      {u"shx+chi+tgx+x*th2", u"shx+chi+tgx+x*th2"},  // only whole names
      {u"2*x-2", u"2*x-2"},                    {u"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(numeric::EvaluatorSpelling(c.in), c.out) << Narrow(c.in);
}

}  // namespace
