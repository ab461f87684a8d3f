// SPDX-License-Identifier: MIT
// The differentiator's tokenizer and parser: lexemes, tree shapes, rejected formulas and the
// node and nesting limits.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "diff/diff_state.h"
#include "diff/tree_parser.h"
#include "support/diff_fixture.h"

namespace {

using testing_support::Narrow;

class TreeParserTest : public testing_support::DiffTest {
 protected:
  const diff::DiffNode& Node(std::int32_t n) const { return state.t[static_cast<std::size_t>(n)]; }

  // The tree as text: leaves as written, "(l op r)", "neg[..]" for a unary minus and
  // "name[..]" for a function.
  std::string Show(std::int32_t n) const {
    const diff::DiffNode& node = Node(n);
    if (node.opCode == diff::kNumber || node.opCode == diff::kName) return Narrow(node.con);
    if (node.opCode == diff::kNegate) return "neg[" + Show(node.l) + "]";
    if (diff::IsFunction(node.opCode)) return Narrow(node.con) + "[" + Show(node.l) + "]";
    return "(" + Show(node.l) + Narrow(diff::CodeName(node.opCode)) + Show(node.r) + ")";
  }
  std::string ShowParsed(std::u16string_view text) {
    const std::int32_t root = Parse(text);
    EXPECT_FALSE(Rejected()) << Narrow(text);
    return Show(root);
  }
  static std::u16string Repeat(std::u16string_view part, int times) {
    std::u16string text;
    for (int i = 0; i < times; ++i) text += part;
    return text;
  }
};

TEST_F(TreeParserTest, TreeShapes) {
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"-x^2", "neg[(x^2)]"},        // the minus covers the power
      {u"-a*b/c", "neg[((a*b)/c)]"},  // ... and the whole product
      {u"(-2)*x", "(-2*x)"},          // a number lexeme after "(" ...
      {u"-2*x", "(-2*x)"},            // ... and at the start
      {u"2-3", "(2-3)"},              // after a number the minus is an operator
      {u"a-b-c", "((a-b)-c)"},        {u"a+b*c/d", "(a+((b*c)/d))"},
      {u"x^2^3", "((x^2)^3)"},        {u"x^(-2)", "(x^-2)"},
      {u"x^(n)*y", "((x^n)*y)"},      {u"+x", "x"},
      {u"2*(-x)", "(2*neg[x])"},      {u"sin(-3)+cos(- 3)", "(sin[-3]+cos[neg[3]])"},
      {u" 1e-3 + 2.5E+4 ", "(1e-3+2.5E+4)"}, {u"x1*_y", "(x1*_y)"},
      {u"((x))", "x"},                {u"sqr(tan(x))", "sqr[tan[x]]"},
  };
  for (const auto& [text, tree] : cases) EXPECT_EQ(ShowParsed(text), tree) << Narrow(text);
}

TEST_F(TreeParserTest, FunctionSpellingsAreExactAndKeepTheirText) {
  const std::pair<const char16_t*, std::int32_t> cases[] = {
      {u"cos", diff::kCos},      {u"tg", diff::kTg},         {u"tan", diff::kTg},
      {u"cotan", diff::kCtg},    {u"sign", diff::kSgn},      {u"sqr", diff::kSqrt},
      {u"log", diff::kLn},       {u"ln", diff::kLn},         {u"arccos", diff::kArccos},
      {u"arctan", diff::kArctg}, {u"arccotan", diff::kArcctg}, {u"sinh", diff::kSh},
      {u"cosh", diff::kCh},      {u"tgh", diff::kTh},        {u"cotanh", diff::kCth},
      {u"h", diff::kHeaviside},  {u"log10", diff::kLog10},   {u"Sin", diff::kName},
      {u"LOG", diff::kName},     {u"sinx", diff::kName},     {u"log1", diff::kName},
  };
  for (const auto& [name, code] : cases) {
    diff::StartParse(state, name);
    std::int32_t lexCode = -1;
    std::u16string text;
    diff::GetLex(d, lexCode, text);
    EXPECT_EQ(lexCode, code) << Narrow(name);
    EXPECT_EQ(text, name);
  }
  EXPECT_EQ(Node(Parse(u"log(x)")).con, u"log");
  EXPECT_EQ(Node(Parse(u"ln(x)")).con, u"ln");
}

TEST_F(TreeParserTest, NumberSyntax) {
  // The number text read, and whether it is a sound number.
  const std::tuple<const char16_t*, const char16_t*, bool> cases[] = {
      {u"1e-3", u"1e-3", true}, {u"2.5E+4", u"2.5E+4", true}, {u"12.5x", u"12.5", true},
      {u"3.e2", u"3.", false},  {u"7.", u"7.", false},        {u"1e", u"1e", false},
      {u"1e+", u"1e+", false},  {u"2ex", u"2e", false},
  };
  for (const auto& [text, lexeme, ok] : cases) {
    diff::StartParse(state, text);
    eng.core.state.e_error = -1;
    EXPECT_EQ(diff::GetNumber(d), lexeme) << Narrow(text);
    EXPECT_EQ(state.diffErr == 0, ok) << Narrow(text);
    EXPECT_EQ(Error(), ok ? -1 : diff::kWrongNumber) << Narrow(text);
  }
}

TEST_F(TreeParserTest, RejectedFormulas) {
  // Parsing goes on after an error, so the first fault shows in the trace.
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"x^-2", "Power Symbol"},  {u"x^(x+1)", "Power Symbol"}, {u"x^((2))", "Power Symbol"},
      {u"sin x", "Wrong brackets"}, {u"2x", "Wrong first operand"}, {u"x y", "Wrong first operand"},
      {u"3.e2", "Wrong number."}, {u"x+", "Wrong first operand"}, {u"()", "Wrong first operand"},
      {u"Sin(x)", ""}, {u"x%2", ""}, {u"x,y", ""}, {u".5", ""}, {u"x^.5", ""}, {u" ", ""},
  };
  state.traceMode = 1;
  for (const auto& [text, message] : cases) {
    services.appended.clear();
    Parse(text);
    EXPECT_EQ(state.diffErr, 1) << Narrow(text);
    bool found = false;
    for (const std::u16string& line : services.appended)
      found = found || (line.find(u"ERR, ") != std::u16string::npos &&
                        Narrow(line).find(message) != std::string::npos);
    EXPECT_TRUE(found) << Narrow(text) << " has no error line with '" << message << "'";
  }
  // Where the fault is the last one, its code stays.
  const std::pair<const char16_t*, std::int32_t> last[] = {
      {u"x^", diff::kWrongPower},  {u"2*x^(a", diff::kWrongPower}, {u"x+3.", diff::kWrongNumber},
      {u"x*", diff::kWrongFirstOperand}, {u"sin+x)", diff::kWrongBrackets},
  };
  for (const auto& [text, code] : last) {
    Parse(text);
    EXPECT_TRUE(Rejected()) << Narrow(text);
    EXPECT_EQ(Error(), code) << Narrow(text);
  }
}

TEST_F(TreeParserTest, UnbalancedBrackets) {
  Parse(u"((x)");
  EXPECT_EQ(state.diffErr, 0);
  EXPECT_EQ(state.bc, 1);
  EXPECT_EQ(Show(Parse(u"x)+y")), "x");  // the parse ends at the stray ")"
  EXPECT_EQ(state.diffErr, 0);
  EXPECT_EQ(state.bc, -1);
  EXPECT_EQ(ShowParsed(u"(x^(2))"), "(x^2)");  // an exponent's brackets are not counted
}

TEST_F(TreeParserTest, NodeTableLimit) {
  // n terms of a sum take 2n - 1 nodes: 2500 fit, 2501 do not.
  Parse(u"x" + Repeat(u"+x", 2499));
  EXPECT_FALSE(Rejected());
  EXPECT_EQ(state.Index, diff::kMaxNodes - 1);
  Parse(u"x" + Repeat(u"+x", 2500));
  EXPECT_EQ(state.diffErr, 1);
  EXPECT_EQ(Error(), diff::kTooLong);
  EXPECT_EQ(ShowParsed(u"a*b"), "(a*b)");  // the table is reused from its start
  EXPECT_EQ(state.Index, 3);
}

TEST_F(TreeParserTest, NestingLimit) {
  EXPECT_EQ(ShowParsed(Repeat(u"(", 900) + u"x" + Repeat(u")", 900)), "x");
  Parse(Repeat(u"sin(", 900) + u"x" + Repeat(u")", 900));
  EXPECT_FALSE(Rejected());
  for (const std::u16string& text : {Repeat(u"(", 1100) + u"x" + Repeat(u")", 1100),
                                     Repeat(u"sin(", 1100) + u"x" + Repeat(u")", 1100),
                                     std::u16string(200000, u'(')}) {
    Parse(text);
    EXPECT_TRUE(Rejected());
    EXPECT_EQ(state.depth, 0);  // the nesting count unwinds
  }
}

}  // namespace
