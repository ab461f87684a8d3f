// SPDX-License-Identifier: MIT
// What a session's numbers and spelling change, and that the classic ones stay as they were.
#include <cmath>
#include <numbers>
#include <vector>

#include "engine/compiled_formula.h"
#include "engine/var_store.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::EngineTest;
using testing_support::Narrow;

class FormulaSettingsTest : public EngineTest {
 protected:
  void Use(engine::Numbers numbers, engine::Spelling spelling) { engine::SetFormulaSettings(eng, {numbers, spelling}); }
  // The value bits of a formula that must succeed.
  double Exact(std::u16string_view expr) {
    const Outcome outcome = Eval(expr);
    EXPECT_EQ(outcome.code, 0) << Narrow(expr);
    return outcome.value;
  }
};

TEST_F(FormulaSettingsTest, DoubleNumbersKeepEveryBit) {
  Use(engine::Numbers::Double, engine::Spelling::Classic);
  EXPECT_EQ(Exact(u"sin(1)"), std::sin(1.0));
  EXPECT_EQ(Exact(u"exp(1) + sqrt(2)"), std::exp(1.0) + std::sqrt(2.0));
  EXPECT_EQ(Exact(u"pi"), std::numbers::pi);
  EXPECT_EQ(Exact(u"#pi"), std::numbers::pi);
  EXPECT_EQ(Exact(u"1e5 + 2.5E-3 - 6.02e+23"), 1e5 + 2.5e-3 - 6.02e23);
  EXPECT_EQ(Exact(u"2,5"), 2.5);  // the classic spelling's decimal comma
  engine::SetVariable(eng.core, eng.vars, u"h", 6.626e-34);
  EXPECT_EQ(Exact(u"h*2"), 6.626e-34 * 2);
  EXPECT_EVAL_ERROR(u"1e400", 19);
  EXPECT_EVAL_ERROR(u"-exp(1000)", 19);  // either sign of infinity is an overflow here
  EXPECT_EVAL_ERROR(u"sinh(-1000)", 19);
  EXPECT_EVAL_ERROR(u"arctanh(1)", 13);  // a pole is outside the domain
  EXPECT_EVAL_ERROR(u"ln(0)", 13);
}

TEST_F(FormulaSettingsTest, ClassicNumbersStayAsTheyWere) {
  EXPECT_EQ(Exact(u"sin(1)"), double{std::sin(1.0f)});
  EXPECT_EQ(Exact(u"pi"), 3.1415926536);
  engine::SetVariable(eng.core, eng.vars, u"h", 6.626e-34);
  EXPECT_EQ(Exact(u"h"), 0.0);
  EXPECT_NE(Eval(u"1e5").code, 0);  // no exponents: the name e5 follows the number
  EXPECT_EQ(Eval(u"-10^400").value, -HUGE_VAL);
}

TEST_F(FormulaSettingsTest, ProgrammerSpellingReadsWhatProgrammersWrite) {
  Use(engine::Numbers::Double, engine::Spelling::Programmer);
  const std::pair<const char16_t*, double> cases[] = {
      {u"min(3, 1, 2)", 1},         {u"max(3; 4)", 4},         {u"atan2(1, 2)", std::atan2(1.0, 2.0)},
      {u"pow(2, 0.5)", std::sqrt(2.0)}, {u"hypot(3, 4)", 5},   {u"1 == 1", 1},
      {u"1 != 1", 0},               {u"1 < 2 && 2 < 1", 0},    {u"0 || 2 > 1", 1},
      {u"asin(1) - arcsin(1)", 0},  {u"floor(-2.5) + ceil(2.1) + round(2.5)", 3},
      {u"log2(8) + log10(100) + log(1)", 5},  {u"!1010 + &F", 25},  {u"1.5", 1.5},
  };
  for (const auto& [expr, value] : cases) EXPECT_EQ(Exact(expr), value) << Narrow(expr);
  EXPECT_EVAL_ERROR(u"1,5", 2);         // "," separates arguments, so it is left over here
  EXPECT_EVAL_ERROR(u"sin(1, 2)", 6);   // one argument too many
  EXPECT_EVAL_ERROR(u"pow(2)", 6);      // one too few
}

TEST_F(FormulaSettingsTest, ClassicSpellingHasNoneOfIt) {
  EXPECT_EVAL_ERROR(u"pow(2;3)", 4);
  EXPECT_EVAL_ERROR(u"floor(2)", 4);
  EXPECT_NE(Eval(u"1 == 1").code, 0);
  EXPECT_EQ(Exact(u"1 < 2"), -1);
  EXPECT_EQ(Exact(u"min(1,5;2)"), 1.5);
}

// A compiled formula reads its variables where evaluation reads variables: it accepts the same
// texts and sees its variables in user functions' bodies.
TEST_F(FormulaSettingsTest, CompiledVariablesReadAsVariables) {
  Use(engine::Numbers::Double, engine::Spelling::Programmer);
  engine::SetVarFunct(eng.core, eng.vars, u"f", u"x*2", true);
  const std::u16string_view names[] = {u"x", u"y"};
  const auto compiled = engine::CompiledFormula::Compile(eng, u"f + y", names, engine::CompiledFormula::Placement::AsVariables);
  ASSERT_TRUE(compiled.has_value());
  std::vector<double> frame = compiled->NewFrame();
  frame[0] = 1e-11;
  frame[1] = 0.1;
  double value = 0;
  ASSERT_TRUE(compiled->Evaluate(frame, 1.0, value));
  EXPECT_EQ(value, 1e-11 * 2 + 0.1);
  engine::CompiledFormula::ReadFailure failure;
  EXPECT_FALSE(engine::CompiledFormula::Compile(eng, u"cos x + sin y", names,
                                                engine::CompiledFormula::Placement::AsVariables, &failure));
  EXPECT_EQ(failure.code, 6);
  EXPECT_EQ(failure.position, 4u);
}

}  // namespace
