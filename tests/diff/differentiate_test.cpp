// SPDX-License-Identifier: MIT
// The simplifier, whole differentiation runs with their error codes and trace, the help text,
// and the exported face of all three.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "diff/diff_state.h"
#include "diff/differentiate.h"
#include "diff/rules.h"
#include "diff/simplify.h"
#include "diff/tree_parser.h"
#include "morvane.h"
#include "morvane_version.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::Narrow;
using Pairs = std::initializer_list<std::pair<const char16_t*, const char16_t*>>;

class DifferentiateTest : public testing_support::EngineTest {
 protected:
  diff::DiffState state;
  diff::Diff d{eng.core, state};
  std::int32_t simplified = 0;

  // The simplified tree of text, as its root node.
  const diff::DiffNode& Simplified(std::u16string_view text) {
    diff::StartParse(state, text);
    state.Index = 0;
    const std::int32_t root = diff::GetTreeExpr(d);
    EXPECT_TRUE(state.diffErr == 0 && state.bc == 0) << "does not parse: " << Narrow(text);
    simplified = diff::Diff_Simplify(d, root);
    return state.t[static_cast<std::size_t>(simplified)];
  }
  struct Run {
    std::int32_t length;
    std::u16string result;
  };
  Run Differentiate(std::u16string_view formula, std::u16string_view variable = u"x") {
    Run run{-1, u"untouched"};
    run.length = diff::e_diff(d, formula, variable, run.result);
    return run;
  }
  static std::u16string Repeat(std::u16string_view part, int times) {
    std::u16string text;
    for (int i = 0; i < times; ++i) text += part;
    return text;
  }
  static std::u16string Num(std::size_t n) { return engine::ToU16(std::to_string(n)); }
};

TEST_F(DifferentiateTest, SimplifierRemovesNeutralOperands) {
  for (const auto& [text, expected] : Pairs{
           {u"((2)*(x)^(1)*(1))+((x)^(2)*(ln(x)*0))", u"2*x"},
           {u"0-x", u"(-x)"}, {u"x-0", u"x"}, {u"0+x", u"x"}, {u"x+0", u"x"}, {u"1*x", u"x"},
           {u"x*1", u"x"},    {u"x*0", u"0"}, {u"0*sin(x)", u"0"}, {u"0/x", u"0"}, {u"x/1", u"x"},
           {u"x^1", u"x"},    {u"x^0", u"1"}, {u"0^x", u"0"}, {u"0^0", u"0"}, {u"x/(3-2)", u"x"},
           {u"(1+1)*x^(2)", u"2*x^2"},
           {u"sqrt(-1)", u"sqrt((-1))"},  // no finite value: left written out
           {u"ln(0)", u"ln(0)"}, {u"10^400", u"10^400"}, {u"cth(0)", u"cth(0)"},
           {u"x/7^(-14)", u"x/0.000000000001474441139"},  // a tiny divisor is not zero
       }) {
    Simplified(text);
    EXPECT_EQ(diff::Diff_GetFormula(d, simplified), expected) << Narrow(text);
  }
}

TEST_F(DifferentiateTest, SimplifierFoldsConstants) {
  for (const auto& [text, value] : Pairs{
           {u"sgn(-3)", u"-1"}, {u"sgn(0)", u"0"}, {u"sign(2.5)", u"1"}, {u"heaviside(0)", u"1"},
           {u"h(-0.5)", u"0"}, {u"(-2)^3", u"-8"}, {u"(-2)^2", u"4"}, {u"2^0.5", u"1.4142135624"},
           {u"sin(1)", u"0.8414709848"}, {u"cos(0)", u"1"}, {u"tan(1)", u"1.5574077247"},
           {u"ln(1)", u"0"}, {u"exp(1)", u"2.7182818285"}, {u"log10(1000)", u"3"},
           {u"sqrt(2.25)", u"1.5"}, {u"abs(-4)", u"4"}, {u"-(3)", u"-3"}, {u"-(0)", u"0"},
           {u"1/3", u"0.3333333333"}, {u"2-5", u"-3"}, {u"0.1+0.2", u"0.3"}, {u"2*3+4/8", u"6.5"},
           {u"arctan(1)", u"0.7853981634"}, {u"arcctg(0)", u"1.5707963705"},
           {u"arcsin(1)", u"1.5707963268"}, {u"arccos(1)", u"0"}, {u"th(0)", u"0"},
           {u"ch(0)", u"1"}, {u"sh(1)", u"1.1752011936"},
           // Small values keep ten significant digits.
           {u"1/3000", u"0.0003333333333"}, {u"-(1/3000)", u"-0.0003333333333"},
           {u"7^(-14)", u"0.000000000001474441139"},
       }) {
    const diff::DiffNode& node = Simplified(text);
    EXPECT_EQ(node.opCode, diff::kNumber) << Narrow(text);
    EXPECT_EQ(node.con, value) << Narrow(text);
  }
}

TEST_F(DifferentiateTest, DivisionByConstantZero) {
  // 0^-2 is 1/0^2.
  for (const char16_t* text : {u"x/0", u"4/0", u"x/(2-2)", u"0/0", u"0^(-2)", u"(1-1)^(-0.5)"}) {
    eng.core.state.e_error = -1;
    const diff::DiffNode& node = Simplified(text);
    EXPECT_EQ(state.diffErr, 1) << Narrow(text);
    EXPECT_EQ(Error(), diff::kDivisionByZero) << Narrow(text);
    EXPECT_NE(node.opCode, diff::kNumber) << Narrow(text);  // left as it was
  }
}

TEST_F(DifferentiateTest, Derivatives) {
  for (const auto& [formula, derivative] : Pairs{
           {u"x^2", u"2*x"}, {u"sin(x)", u"cos(x)"}, {u"y", u"0"}, {u"x", u"1"}, {u"X", u"0"},
           {u"y*x", u"y"}, {u"cos(x)", u"(-sin(x))"}, {u"x^3", u"3*x^2"},
           {u"x^(-2)", u"(-2)*x^(-3)"}, {u"x^1.5", u"1.5*x^0.5"}, {u"x^n", u"n*x^n/x"},
           {u"x^x", u"x*x^x/x+x^x*ln(x)"}, {u"2^x", u"2^x*0.6931471806"}, {u"log(x)", u"1/x"},
           {u"log10(x)", u"1/x/2.302585093"}, {u"sqrt(x)", u"0.5/sqrt(x)"},
           {u"exp(2*x)", u"exp(2*x)*2"}, {u"tan(x)", u"1/(cos(x))^2"},
           {u"arcsin(x)", u"1/sqrt(1-x^2)"}, {u"arccos(x)", u"(-1)/sqrt(1-x^2)"},
           {u"abs(x)", u"sgn(x)"}, {u"sgn(x)+h(x)", u"0"}, {u"-x", u"(-1)"}, {u"1/x", u"(-1)/x^2"},
           {u"x/y", u"y/y^2"}, {u"(x+1)^2", u"2*(x+1)"}, {u"3*x^2+2*x", u"2*x*3+2"},
           {u"sin(1)*x", u"0.8414709848"}, {u"sqrt(-1)*x", u"sqrt((-1))"}, {u"sinh(x)", u"ch(x)"},
           {u"x^0", u"0"}, {u"x^1", u"1"}, {u"1e-3*x", u"0.001"}, {u"2.5E+4*x", u"25000"},
           {u"sin(x)^2", u"2*sin(x)*cos(x)"},
       }) {
    const Run run = Differentiate(formula);
    EXPECT_EQ(run.result, derivative) << Narrow(formula);
    EXPECT_EQ(run.length, static_cast<std::int32_t>(run.result.size())) << Narrow(formula);
    EXPECT_EQ(Error(), -1) << Narrow(formula);
    EXPECT_EQ(state.diffErr, 0) << Narrow(formula);
    EXPECT_EQ(state.Index, 0) << Narrow(formula);
  }
  EXPECT_EQ(Differentiate(u"t*t", u"t").result, u"t+t");
  EXPECT_EQ(Differentiate(u"alpha^2", u"alpha").result, u"2*alpha");
  EXPECT_EQ(Differentiate(Repeat(u"x+", 149) + u"x").result, u"150");
}

TEST_F(DifferentiateTest, FailedRuns) {
  const Run empty = Differentiate(u"");
  EXPECT_EQ(empty.length, 0);
  EXPECT_EQ(empty.result, u"untouched");
  EXPECT_EQ(state.diffErr, diff::kEmptyFormula);
  EXPECT_EQ(Error(), diff::kEmptyFormula);

  for (const char16_t* formula : {u"((x)", u"x)", u"2x", u"x y", u"3.e2", u"sin x", u"x^-2",
                                  u"x^(x+1)", u"x%2", u"x,y", u".5", u"x+", u"()", u" ", u"Sin(x)"}) {
    EXPECT_EQ(Differentiate(formula).length, 0) << Narrow(formula);
    EXPECT_EQ(Error(), diff::kErrorInFormula) << Narrow(formula);
    EXPECT_EQ(state.diffErr, 1) << Narrow(formula);
  }
  for (const char16_t* formula : {u"x/0", u"4/0"}) {
    const Run run = Differentiate(formula);
    EXPECT_EQ(run.length, 0) << Narrow(formula);
    EXPECT_EQ(Error(), diff::kDivisionByZero) << Narrow(formula);
    EXPECT_EQ(state.diffErr, 1) << Narrow(formula);
    EXPECT_EQ(run.result, u"0/0") << Narrow(formula);  // the text is still written
  }
  EXPECT_EQ(Differentiate(u"x^2").result, u"2*x");  // nothing stays behind
  EXPECT_EQ(Error(), -1);
}

TEST_F(DifferentiateTest, OversizedFormulasEndAsErrors) {
  for (const std::u16string& formula : {
           Repeat(u"x+", 2500) + u"x",  // more than 5000 nodes
           Repeat(u"x+", 2199) + u"x",  // fits the table, but the tree is too deep to walk
           Repeat(u"x+", 700) + u"x",   // the derivative text nests too deeply
           Repeat(u"x*", 200) + u"x",   // its derivative needs more nodes than there are
           Repeat(u"(", 1100) + u"x" + Repeat(u")", 1100),
           Repeat(u"x+", 1 << 19),  // 1 MB of text
           std::u16string(1 << 18, u'('),
           Repeat(u"sin(", 1 << 16),
       }) {
    EXPECT_EQ(Differentiate(formula).length, 0) << formula.size();
    EXPECT_EQ(Error(), diff::kErrorInFormula) << formula.size();
    EXPECT_EQ(state.diffErr, 1) << formula.size();
    EXPECT_EQ(Differentiate(u"sin(x)").result, u"cos(x)") << formula.size();
  }
}

// Each level of a power chain repeats the text below it: the run stops once the derivative
// text outgrows any table it could be read back into.
TEST_F(DifferentiateTest, LongPowerChainIsTooLong) {
  EXPECT_EQ(Differentiate(u"x" + Repeat(u"^2", 1999)).length, 0);
  EXPECT_EQ(Error(), diff::kErrorInFormula);
  EXPECT_EQ(Differentiate(u"x^2").result, u"2*x");
}

TEST_F(DifferentiateTest, TraceLines) {
  state.traceMode = 1;
  Differentiate(u"x^2");
  const std::vector<std::u16string> lines = services.appended;
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0], u"Derive.Log: 1: (1)  Formula, IN_, formula=x^2");
  EXPECT_EQ(lines[1], u"Derive.Log: 2: (1)  Nodes Expr., index=1, \\l=0, \\r=0, \\opCode=8, op=f(x), \\con=x");
  EXPECT_EQ(lines[3], u"Derive.Log: 4: (1)  Nodes Expr., index=3, \\l=1, \\r=2, \\opCode=31, op=^, \\con=");
  EXPECT_EQ(lines.back(), u"Derive.Log: " + Num(lines.size()) + u": (1)  Formula, OUT 20, der=2*x");

  // A failed run closes its entry too: the next run starts at depth 1 again, counting on.
  state.traceFile = u"my.log";
  services.appended.clear();
  Differentiate(u"2x");
  EXPECT_EQ(services.appended[0], u"my.log: " + Num(lines.size() + 1) + u": (1)  Formula, IN_, formula=2x");
  const std::size_t failed = services.appended.size();
  EXPECT_NE(services.appended[failed - 2].find(u"ERR, Error in formula."), std::u16string::npos);
  Differentiate(u"y");
  EXPECT_EQ(services.appended[failed],
            u"my.log: " + Num(lines.size() + failed + 1) + u": (1)  Formula, IN_, formula=y");

  // Mode 2 shows each line in a message box; modes 3 and 0 write nothing.
  services.appended.clear();
  state.traceMode = 2;
  Differentiate(u"x");
  ASSERT_FALSE(services.shown.empty());
  EXPECT_EQ(services.shown[0].title, u"Formula");
  EXPECT_TRUE(services.shown[0].text.ends_with(u": (1)  Formula, IN_, formula=x"));
  const std::size_t shown = services.shown.size();
  for (std::uint8_t mode : {std::uint8_t{3}, std::uint8_t{0}}) {
    state.traceMode = mode;
    Differentiate(u"x");
  }
  EXPECT_TRUE(services.appended.empty());
  EXPECT_EQ(services.shown.size(), shown);
}

TEST_F(DifferentiateTest, HelpText) {
  const std::u16string text = diff::GetDiff_OperAndFuncs();
  EXPECT_TRUE(text.starts_with(u"Library: Morvane.dll - Version:" + std::u16string(morvane::kVersionText) +
                               u" (build:1529)\r\nSupported Constants:"));
  EXPECT_NE(text.find(u"\r\n  PI\t=3.1415926536 (also #PI)\r\n  e \t=2.7182818285 (also #e)\r\n"
                      u"  to_deg\t=57.2957795131 (also #to_rad)\r\n  to_rad\t=0.0174532925 (also #to_deg)"),
            std::u16string::npos);
  EXPECT_TRUE(text.ends_with(u"(also arccotan(x))"));
  for (std::size_t i = 0; i < text.size(); ++i)
    EXPECT_FALSE(text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) << "bare line feed at " << i;
}

// The exported functions, through the library's process-wide session.
TEST(DiffExportsTest, BuffersAndErrorState) {
  std::array<char16_t, 7> buffer{u' ', u' ', u' ', 0, u'#', u'#', 0};
  EXPECT_EQ(::e_diff(u"sin(x)", u"x", buffer.data(), 3), 6);  // the full length
  EXPECT_EQ(std::u16string_view(buffer.data(), 6), std::u16string_view(u"cos\0##", 6));
  EXPECT_EQ(GetLast_diffErr(), 0);
  EXPECT_EQ(GetE_Error(), -1);

  std::u16string blanks(10, u' ');
  EXPECT_EQ(::e_diff(u"2x", u"x", blanks.data(), 10), 0);
  EXPECT_EQ(GetLast_diffErr(), 1);
  EXPECT_EQ(GetE_Error(), 6);
  EXPECT_EQ(blanks, std::u16string(10, u' '));
  EXPECT_EQ(::e_diff(u"", u"x", blanks.data(), 10), 0);
  EXPECT_EQ(GetLast_diffErr(), 7);
  EXPECT_EQ(GetE_Error(), 7);
  EXPECT_EQ(::e_diff(u"x/0", u"x", blanks.data(), 10), 0);
  EXPECT_EQ(GetE_Error(), 8);
  EXPECT_EQ(std::u16string(blanks.c_str()), u"0/0");
  EXPECT_EQ(SetDiffLogF(3, u""), 3);
  EXPECT_EQ(SetDiffLogF(0, u""), 0);

  // The help text fits the 2000 characters the plug-in reserves.
  const std::u16string help = diff::GetDiff_OperAndFuncs();
  std::u16string helpBuffer(2000, u' ');
  EXPECT_EQ(GetDiff_OperAndFuncs(helpBuffer.data()), static_cast<std::int32_t>(help.size()) + 1);
  EXPECT_EQ(std::u16string(helpBuffer.c_str()), help);
}

}  // namespace
