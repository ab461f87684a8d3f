// SPDX-License-Identifier: MIT
// Derivative rules as text, the two ways of writing a tree back, and number text trimming.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "diff/diff_state.h"
#include "diff/rules.h"
#include "diff/tree_parser.h"
#include "support/diff_fixture.h"

namespace {

using testing_support::Narrow;

class RulesTest : public testing_support::DiffTest {
 protected:
  // The rules need a tree, so a text that does not parse fails the test.
  std::int32_t Parse(std::u16string_view text) {
    const std::int32_t root = DiffTest::Parse(text);
    EXPECT_FALSE(Rejected()) << "does not parse: " << Narrow(text);
    return root;
  }
  std::u16string DfOf(std::u16string_view text, std::u16string_view variable = u"x") {
    state.varName = variable;
    return diff::Df(d, Parse(text));
  }
};

TEST_F(RulesTest, DerivativeText) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"y*x", u"((0)*(x)+(1)*(y))"},  // names other than the variable are constants
      {u"X", u"0"},                    // compared case-sensitively
      {u"x/y", u"((1)*(y)-(0)*(x))/(y)^2"},
      {u"ctg(2*x)", u"(-1/(sin(((2)*(x)))^2)*(((0)*(x)+(1)*(2))))"},
      {u"log10(x)", u"(1/(x)*(1))/(2.302585093)"},  // ln 10 written out
      {u"cth(x)", u"(-1/(sh(x)^2)*(1))"},
      {u"abs(-x)", u"(sgn((-(x)))*((-(1))))"},
      // Power rule: a numeric exponent is written decremented, a name n as b^n/b.
      {u"x^2", u"((2)*(x)^(1)*(1))+((x)^(2)*(ln(x)*0))"},
      {u"x^3", u"((3)*(x)^(2)*(1))+((x)^(3)*(ln(x)*0))"},
      {u"x^(-2)", u"((-2)*(x)^(-3)*(1))+((x)^(-2)*(ln(x)*0))"},
      {u"x^1.5", u"((1.5)*(x)^(0.5)*(1))+((x)^(1.5)*(ln(x)*0))"},
      {u"x^0.5", u"((0.5)*(x)^(-0.5)*(1))+((x)^(0.5)*(ln(x)*0))"},
      {u"x^n", u"((n)*(x)^(n)/(x)*(1))+((x)^(n)*(ln(x)*0))"},
      {u"2^x", u"((x)*(2)^(x)/(2)*(0))+((2)^(x)*(ln(2)*1))"},
  };
  for (const auto& [formula, derivative] : cases) EXPECT_EQ(DfOf(formula), derivative) << Narrow(formula);
  EXPECT_EQ(DfOf(u"t*t", u"t"), u"((1)*(t)+(1)*(t))");
  EXPECT_EQ(diff::Df(d, 0), u"0");
  EXPECT_EQ(diff::Df_GetFormula(d, Parse(u"-(a+b)*c^2")), u"(-(((((a)+(b)))*(((c)^(2))))))");
  EXPECT_EQ(diff::Df_GetFormula(d, 0), u"");
}

TEST_F(RulesTest, ResultTextBrackets) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"x*(-2)", u"x*(-2)"},       {u"-x", u"(-x)"},
      {u"-(a+b)", u"(-(a+b))"},     {u"-x^2", u"(-x^2)"},
      {u"-2*x", u"(-2)*x"},         {u"a-(b-c)", u"a-(b-c)"},
      {u"a-b*c", u"a-b*c"},         {u"a-(-2)", u"a-(-2)"},
      {u"a+(b+c)", u"a+b+c"},       {u"(a+b)*(c-d)", u"(a+b)*(c-d)"},
      {u"a/(b*c)", u"a/(b*c)"},     {u"(a*b)/c", u"a*b/c"},
      {u"(a-b)/c", u"(a-b)/c"},     {u"a/b^2", u"a/b^2"},
      {u"a/sin(b)", u"a/sin(b)"},   {u"(x+1)^2", u"(x+1)^2"},
      {u"sin(x)^2", u"(sin(x))^2"}, {u"x^2^3", u"(x^2)^3"},
      {u"x^(-2)", u"x^(-2)"},       {u"(-2)^x", u"(-2)^x"},
      {u"ln(-3)", u"ln((-3))"},     {u"tan(x)", u"tan(x)"},
  };
  for (const auto& [formula, expected] : cases) {
    const std::u16string text = diff::Diff_GetFormula(d, Parse(formula));
    EXPECT_EQ(text, expected) << Narrow(formula);
    // What is printed reads back and prints the same again.
    EXPECT_EQ(diff::Diff_GetFormula(d, Parse(text)), text) << Narrow(formula);
  }
  EXPECT_EQ(diff::Diff_GetFormula(d, 0), u"");
}

TEST_F(RulesTest, TrimNumberText) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"2.5000", u"2.5"},    {u"0.50", u"0.5"},         {u"3", u"3"},
      {u"007", u"7"},         {u"100", u"100"},          {u"-3.0000000000", u"-3"},
      {u"-0.25", u"-0.25"},   {u"0", u"0"},              {u"-0", u"0"},
      {u"0.0000", u"0"},      {u"1e3", u"1000"},         {u"0.00000000004", u"0"},
      {u"0.99999999999", u"1"}, {u"1.23456789012", u"1.2345678901"}, {u"abc", u"0"},
  };
  for (const auto& [text, trimmed] : cases) EXPECT_EQ(diff::TrimNumberText(text), trimmed) << Narrow(text);
}

}  // namespace
