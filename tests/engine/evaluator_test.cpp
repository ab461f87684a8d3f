// SPDX-License-Identifier: MIT
// The entry points, tabulation and the user-function pre-passes.
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "engine/evaluator.h"
#include "engine/var_store.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::EngineTest;
using testing_support::Narrow;

class EvaluatorTest : public EngineTest {
 protected:
  void DefineFunctions(std::initializer_list<std::pair<const char16_t*, const char16_t*>> defs) {
    for (const auto& [name, body] : defs) engine::SetVarFunct(eng.core, eng.vars, name, body, true);
  }
  std::string Expanded(std::u16string_view text) {
    return Narrow(engine::ReplaceFunctions(eng, text));
  }

  // One tabulation over x: the return code, points and statistics.
  struct Table {
    std::int32_t code;
    std::vector<double> xs, ys;
    std::array<double, 5> stats{};
  };
  Table Tabulate(std::u16string_view expr, double x0, double x1, std::int32_t n) {
    const std::size_t points = static_cast<std::size_t>(n < 0 ? 1 : n + 1);
    Table t{0, std::vector<double>(points, -99), std::vector<double>(points, -99), {}};
    t.code = engine::e_evals(eng, expr, x0, u"x", x1, n, t.xs, t.ys, t.stats);
    return t;
  }
};

TEST_F(EvaluatorTest, ResultsAndFailures) {
  EXPECT_EVAL(u"2,5*2", 5);  // a comma is a decimal point
  auto outcome = Eval(u"1/0");
  EXPECT_EQ(outcome.code, 8);
  EXPECT_EQ(outcome.value, -12345.0);
  EXPECT_EQ(engine::e_eval(eng, u"2+2", nullptr, false), 0);
  EXPECT_EVAL_ERROR(u"10^400", 19);  // a positive infinite result is an overflow
  EXPECT_EQ(Eval(u"-10^400").value, -HUGE_VAL);
  EXPECT_EQ(eng.core.state.resultType, 0);
}

TEST_F(EvaluatorTest, DeEvalReturnsTheValueOrTheCode) {
  EXPECT_EQ(engine::de_eval(eng, u"1+2*3", false), 7.0);
  EXPECT_EQ(engine::de_eval(eng, u"1/0", false), 8.0);
  EXPECT_EQ(engine::de_eval(eng, u"2 3", false), 2.0);
  EXPECT_NE(Log().find(u"'de_eval (Line: 1010)'"), std::u16string::npos);
  EXPECT_EQ(engine::de_eval(eng, u"10^400", false), HUGE_VAL);  // no overflow check here
  EXPECT_EQ(Error(), -1);
}

TEST_F(EvaluatorTest, StandingErrorSurvivesLaterCallsAndNames) {
  engine::SetVarFunct(eng.core, eng.vars, u"v", u"1", false);
  EXPECT_EVAL_ERROR(u"max(1/0;v)", 8);
  EXPECT_EVAL_ERROR(u"sum(1/0;nosuch(1))", 8);
  EXPECT_EVAL_ERROR(u"sum(sqrt(-1);frob(2))", 13);
}

TEST_F(EvaluatorTest, StandingErrorSurvivesMatrixFunctions) {
  EXPECT_EVAL_ERROR(u"det(1/0)", 8);
  EXPECT_EVAL_ERROR(u"trace(sqrt(-1))", 13);
  std::u16string deep;
  for (int i = 0; i < 300; ++i) deep += u"det(";
  EXPECT_EVAL_ERROR(deep + u"1", 3);  // too deep: a parse error
}

TEST_F(EvaluatorTest, ResetClearsEverythingButTheBoolSign) {
  engine::SetVarFunct(eng.core, eng.vars, u"a", u"1", false);
  DefineFunctions({{u"f", u"2"}});
  engine::SetBoolSign(eng, 1);
  engine::ShowMsgs(eng.core, 1);
  eng.core.log.debugFlags = engine::kDebugMessageBox;
  engine::SetBoolSign(eng, 2);  // refused, and said so since messages were asked for
  ASSERT_EQ(services.shown.size(), 1u);
  EXPECT_EQ(Narrow(services.shown[0].text),
            "Procedure: SetBoolSign\r\nWrong parameter. Must be 1 or -1");
  Eval(u"1/0");
  engine::ReSetEqParser(eng);
  EXPECT_EQ(eng.core.state.resultType, -1);
  EXPECT_EQ(eng.core.options.messageFlag, 0);
  EXPECT_TRUE(Log().empty() && eng.core.log.extended.empty());
  EXPECT_TRUE(eng.vars.vars.entries.empty() && eng.vars.sFuncts.entries.empty());
  EXPECT_EVAL(u"1<2", 1);
}

TEST_F(EvaluatorTest, VariablesEnterRoundedToTenDecimals) {
  const std::pair<const char16_t*, const char16_t*> vars[] = {
      {u"tiny", u"0.000000000001"}, {u"third", u"0.66666666666666"}, {u"junk", u"abc"},
      {u"big", u"1e400"}};
  for (const auto& [name, value] : vars)
    engine::SetVarFunct(eng.core, eng.vars, name, value, false);
  EXPECT_EQ(Eval(u"tiny").value, 0.0);
  EXPECT_EQ(Eval(u"third*1").value, 0.6666666667);
  EXPECT_EQ(Eval(u"1/tiny").code, 8);
  EXPECT_EVAL(u"junk+1", 1);
  // An infinite value stays infinite: it compares, and a positive result is an overflow.
  EXPECT_EVAL(u"big>10^300", -1);
  EXPECT_EVAL_ERROR(u"big", 19);
  EXPECT_EQ(Eval(u"-big").value, -HUGE_VAL);
}

TEST_F(EvaluatorTest, TabulatesEveryPointUpToTheLast) {
  Table t = Tabulate(u"x^2", 0, 1, 4);
  EXPECT_EQ(t.code, -1);
  EXPECT_EQ(t.xs, (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
  EXPECT_EQ(t.ys, (std::vector<double>{0, 0.0625, 0.25, 0.5625, 1}));
  EXPECT_EQ(t.stats, (std::array<double, 5>{0, 0, 0, 1, 1}));
  // Accumulating 0.1 three times overshoots 0.3; the last point is x1 itself.
  t = Tabulate(u"X*10", 0, 0.3, 3);
  EXPECT_EQ(t.xs.back(), 0.3);
  EXPECT_DOUBLE_EQ(t.ys.back(), 3);
  // Negative points are bracketed, so signs and powers combine correctly.
  t = Tabulate(u"x^2-x", -1, 1, 2);
  EXPECT_EQ(t.ys, (std::vector<double>{2, 0, 0}));
  EXPECT_EQ(t.stats, (std::array<double, 5>{0, -1, 0, 1, 2}));
  EXPECT_EQ(Tabulate(u"x+1", 5, 9, 0).ys, std::vector<double>{6});  // a single point at x0
  // Whole names only, in any case: the x of exp stays, x0 is a name of its own.
  EXPECT_NEAR(Tabulate(u"exp(X)*x", 0, 1, 1).ys[1], std::exp(1.0), 1e-6);
  EXPECT_EQ(Tabulate(u"exp(X)+x0", 1, 2, 1).code, 4);
}

TEST_F(EvaluatorTest, TabulationFailures) {
  // A failed point keeps the previous value; only the last point decides the outcome.
  Table t = Tabulate(u"1/x", -1, 1, 2);
  EXPECT_EQ(t.code, -1);
  EXPECT_EQ(t.ys, (std::vector<double>{-1, -1, 1}));
  EXPECT_EQ(t.stats, (std::array<double, 5>{0, -1, -1, 1, 1}));
  t = Tabulate(u"1/x", -1, 0, 1);
  EXPECT_EQ(t.code, 8);
  EXPECT_NE(Log().find(u"Procedure : 'e_evals (Line: 0)'"), std::u16string::npos);
  EXPECT_EQ(Tabulate(u"x", 0, 1, -1).code, 13);
  EXPECT_EQ(Tabulate(u"x", -HUGE_VAL, 1, 4).code, 13);
  EXPECT_EQ(Tabulate(u"x", 0, std::nan(""), 4).code, 13);
}

TEST_F(EvaluatorTest, CheckFunctionsFindsNamesInsideOtherDefinitions) {
  eng.core.state.e_error = 5;
  EXPECT_EQ(engine::CheckFunctions(eng), 5);  // nothing to check: the code stands
  DefineFunctions({{u"f", u"x"}, {u"ff", u"2"}});
  EXPECT_EQ(engine::CheckFunctions(eng), 1);
  EXPECT_NE(Log().find(u"Procedure : 'CheckFunctions (Line: 223)'"), std::u16string::npos);
  EXPECT_NE(Log().find(u"sFuncts: f=x;ff=2;\r\nFunct: f"), std::u16string::npos);
  EXPECT_EQ(Eval(u"1+1", true).code, 1);
  EXPECT_EVAL(u"1+1", 2);  // without the check the formula runs
  engine::ClearVarFuncList(eng.vars, engine::ListKind::Functions);
  DefineFunctions({{u"f", u"2"}, {u"g", u"3"}});
  EXPECT_EQ(Eval(u"f*g", true).value, 6);
}

TEST_F(EvaluatorTest, ExpansionAppliesDefinitionsInOrder) {
  DefineFunctions({{u"g", u"f+1"}, {u"f", u"x^2"}});
  EXPECT_EQ(Expanded(u"g*2"), "((x^2)+1)*2");
  engine::ClearVarFuncList(eng.vars, engine::ListKind::Functions);
  DefineFunctions({{u"f", u"x^2"}, {u"g", u"f+1"}});
  EXPECT_EQ(Expanded(u"g*2"), "(f+1)*2");
  engine::ClearVarFuncList(eng.vars, engine::ListKind::Functions);
  DefineFunctions({{u"f", u"2+3"}});
  EXPECT_EVAL(u"F*2", 10);  // the body is bracketed
}

TEST_F(EvaluatorTest, ExpansionReplacesWholeIdentifiersOutsideLiterals) {
  DefineFunctions({{u"f", u"x^2"}});
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"fix(2.5)", "fix(2.5)"}, {u"F+f", "(x^2)+(x^2)"}, {u"[f]*f", "[f]*(x^2)"},
      {u"&f+#f", "&f+#f"},       {u"f_1+f1", "f_1+f1"},   {u"sin(f)", "sin((x^2))"},
      {u"2f", "2(x^2)"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Expanded(in), out) << Narrow(in);
  EXPECT_EVAL(u"fix(2.5)", 2);
  EXPECT_EVAL(u"&f", 15);
}

TEST_F(EvaluatorTest, RunawayExpansionIsRefused) {
  // f expands to 20000 copies of g's 2000-character body: 40 million characters.
  std::u16string manyG, longG;
  for (int i = 0; i < 20000; ++i) manyG += u"g*";
  for (int i = 0; i < 1000; ++i) longG += u"1*";
  DefineFunctions({{u"f", manyG.c_str()}, {u"g", longG.c_str()}});
  EXPECT_EVAL_ERROR(u"f", 13);
  EXPECT_NE(Log().find(u"Procedure : 'ReplaceFunctions"), std::u16string::npos);
  EXPECT_LT(Log().size(), 100000u);
}

}  // namespace
