// SPDX-License-Identifier: MIT
// The text-level derivative of polynomials written as sums of monomials.
#include <string>

#include "engine/var_store.h"
#include "numeric/poly_dydx.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::Narrow;

struct Case {
  const char16_t* formula;
  const char16_t* variable;
  const char16_t* derivative;
};

TEST(PolyDydxTest, MonomialsAndSums) {
  const Case cases[] = {
      {u"3x^2", u"x", u"6*x"},           {u"x^3", u"x", u"3*x^2"},
      {u"4x", u"x", u"4"},               {u"x", u"x", u"1"},
      {u"x^1", u"x", u"1"},              {u"-x", u"x", u" - 1"},
      {u"-x^2", u"x", u" - 2*x"},        {u"3x^2-4x+7", u"x", u"6*x - 4"},
      {u"5x^2+2x^3", u"x", u"10*x + 6*x^2"}, {u"10x^10-x", u"x", u"100*x^9 - 1"},
      {u"x^-2", u"x", u" - 2*x^-3"},     {u"-3x^-1", u"x", u"3*x^-2"},
      {u"2.5x^2", u"x", u"4*x"},         {u"x^2.9", u"x", u"2*x"},  // integers are read
      {u"3X^2", u"x", u"6*x"},           {u"3x^2", u"X", u"6*x"},
      {u"3 x ^ 2 - 4 x", u"x", u"6*x - 4"}, {u"t^2+x", u"t", u"2*t"},
      {u"7", u"x", u"0"},                {u"", u"x", u"0"},
      {u"x^2", u"", u"0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(numeric::Poly_dydx(c.formula, c.variable), c.derivative)
        << Narrow(c.formula) << " in " << Narrow(c.variable);
}

class PolyDydxEvalTest : public testing_support::EngineTest {
 protected:
  // The derivative text evaluated at x.
  Outcome DerivativeAt(std::u16string_view formula, double x) {
    engine::SetVarFunct(eng.core, eng.vars, u"x", engine::StrD0(engine::FormatFixed(x)), false);
    return Eval(numeric::Poly_dydx(formula, u"x"));
  }
};

TEST_F(PolyDydxEvalTest, DerivativeTextEvaluatesToTheSlope) {
  struct Slope {
    const char16_t* formula;
    double x, slope;
  };
  const Slope cases[] = {
      {u"x^3-x-x", 1.5, 4.75}, {u"3*x^2", -2, -12}, {u"x^4-x^-1", 2, 32.25},
      {u"-x^3+x^2", 0.5, 0.25},
  };
  for (const Slope& c : cases) {
    const Outcome got = DerivativeAt(c.formula, c.x);
    EXPECT_EQ(got.code, 0) << Narrow(c.formula);
    EXPECT_NEAR(got.value, c.slope, 1e-12) << Narrow(c.formula);
  }
}

TEST_F(PolyDydxEvalTest, ExplicitProductsLoseTheirTrailingTimes) {
  EXPECT_EQ(numeric::Poly_dydx(u"4*x", u"x"), u"4");
  EXPECT_EQ(numeric::Poly_dydx(u"3*x^2-4*x+7", u"x"), u"6*x - 4");
  EXPECT_EQ(numeric::Poly_dydx(u"2*x^1", u"x"), u"2");
  const Outcome got = DerivativeAt(u"3*x^2-4*x", 1.5);
  EXPECT_EQ(got.code, 0);
  EXPECT_NEAR(got.value, 5.0, 1e-12);
}

}  // namespace
