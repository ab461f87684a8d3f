// SPDX-License-Identifier: MIT
// Sampling through a compiled formula must give, bit for bit, what evaluating the text with
// the value written in gives: random formulas of the whole number grammar at many points, the
// value each point enters with, and every integration rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "engine/evaluator.h"
#include "engine/point_evaluator.h"
#include "engine/substitution.h"
#include "engine/var_store.h"
#include "engine_core/error_log.h"
#include "engine_core/number_text.h"
#include "support/engine_fixture.h"

namespace {

using engine::PointEvaluator;
using testing_support::EngineTest;
using testing_support::Narrow;

// Formulas in x (written in either case) of every kind the text reads as a number: literals,
// constants, variables, user functions, built-ins, list functions, unary and binary operators.
class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  std::u16string Formula(int depth) {
    std::u16string f = Operand(depth);
    for (int more = Pick(3); more > 0; --more) f += Pick(kOperators) + Operand(depth);
    return f;
  }

 private:
  static constexpr const char16_t* kOperators[] = {
      u"+", u"-", u"*", u"/", u"^", u"\\", u" mod ", u"=", u"<", u">", u"<>", u"<=", u">=", u" and ", u" or ", u" xor "};
  static constexpr const char16_t* kLeaves[] = {
      u"x", u"X", u"x", u"2", u"0.5", u"3,25", u"10", u"0", u"&1F", u"!101", u"pi", u"#e", u"a", u"f"};
  static constexpr const char16_t* kFunctions[] = {
      u"sin", u"cos", u"tan", u"sqrt", u"log", u"ln", u"log10", u"exp", u"abs", u"int", u"fix", u"sgn",
      u"arcsin", u"arccos", u"sec", u"cotan", u"sinh", u"cosh", u"arccosh", u"arctanh", u"atn"};
  static constexpr const char16_t* kLists[] = {u"sum", u"min", u"max", u"avg", u"median", u"stddev", u"count", u"prod"};

  std::u16string Operand(int depth) {
    if (depth <= 0) return Pick(kLeaves);
    switch (Pick(7)) {
      case 0: return u"(" + Formula(depth - 1) + u")";
      case 1: return u"-" + Operand(depth - 1);
      case 2: return u"not " + Operand(depth - 1);
      case 3: return std::u16string(Pick(kFunctions)) + u"(" + Formula(depth - 1) + u")";
      case 4: {
        std::u16string list = std::u16string(Pick(kLists)) + u"(" + Formula(depth - 1);
        for (int more = Pick(3); more > 0; --more) list += u";" + Formula(depth - 1);
        return list + u")";
      }
      default: return Pick(kLeaves);
    }
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  template <std::size_t N>
  const char16_t* Pick(const char16_t* const (&from)[N]) { return from[Pick(static_cast<int>(N))]; }

  std::mt19937 random_;
};

class CompiledFormulaTest : public EngineTest {
 protected:
  void SetUp() override {
    engine::SetVarFunct(eng.core, eng.vars, u"a", u"1.75", false);
    // A body naming x sees the stored x, never the sampled one.
    engine::SetVarFunct(eng.core, eng.vars, u"x", u"0.3", false);
    engine::SetVarFunct(eng.core, eng.vars, u"f", u"x*2+a", true);
  }

  // What the text path gives at x: the value written into the formula, the text evaluated.
  Outcome TextAt(const std::u16string& formula, double x) {
    std::u16string value = u"(";
    engine::AppendShortFixed(value, x);
    value += u")";
    std::u16string text;
    engine::SubstitutionTemplate(formula, u"x").Fill(text, value);
    return Eval(text);
  }
};

double RandomPoint(std::mt19937& random) {
  switch (std::uniform_int_distribution<int>(0, 3)(random)) {
    case 0: return std::uniform_real_distribution<double>(-3.0, 3.0)(random);
    case 1: return std::uniform_int_distribution<int>(-4, 4)(random) / 2.0;  // integers and halves
    case 2: return std::ldexp(std::uniform_real_distribution<double>(-1.0, 1.0)(random), std::uniform_int_distribution<int>(-40, 60)(random));
    default:  // on and beside the halves of the tenth decimal
      return static_cast<double>(std::uniform_int_distribution<std::int64_t>(-99999999999, 99999999999)(random)) / 2e10;
  }
}

TEST(ShortFixedValueTest, ReadsAsTheTextItStandsFor) {
  std::mt19937 random(7);
  for (int i = 0; i < 200000; ++i) {
    const double x = RandomPoint(random);
    std::u16string text;
    engine::AppendShortFixed(text, x);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(engine::ShortFixedValue(x)),
              std::bit_cast<std::uint64_t>(engine::ParseDecimal(text)))
        << "x = " << x << " text " << Narrow(text);
  }
}

// Long formulas besides the random ones: many constants and working values, so that registers
// lie far from the first, and a quotient by zero inside a finite result.
std::vector<std::u16string> TestFormulas() {
  std::vector<std::u16string> formulas;
  for (unsigned seed = 0; seed < 400; ++seed) formulas.push_back(Generator(seed).Formula(3));
  std::u16string sum = u"x";
  std::u16string nested = u"x";
  for (int k = 1; k <= 40; ++k) {
    const std::u16string c = engine::IntegerText(k) + u".5";
    sum += u"+x*" + c + u"/(x-" + c + u")";
    nested = u"(" + c + u"-x*" + nested + u")^2/" + c;
  }
  formulas.insert(formulas.end(), {sum, nested, u"1/(1/x)+2", u"-x*0", u"x^2^0.5-sqrt(x)*2"});
  return formulas;
}

TEST_F(CompiledFormulaTest, RandomFormulasGiveTheTextPathsNumbers) {
  std::mt19937 points(11);
  for (const std::u16string& formula : TestFormulas()) {
    std::vector<double> xs(25);
    for (double& x : xs) x = RandomPoint(points);
    PointEvaluator sampled(eng, formula, u"x");
    std::size_t firstFailure = xs.size();
    std::vector<double> ys(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
      const bool ok = sampled.At(xs[i], ys[i]);
      const std::int32_t status = sampled.status();
      const Outcome text = TextAt(formula, xs[i]);
      ASSERT_EQ(ok, text.code == 0) << Narrow(formula) << " at " << xs[i];
      ASSERT_EQ(status, text.code) << Narrow(formula) << " at " << xs[i];
      if (ok) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>(ys[i]), std::bit_cast<std::uint64_t>(text.value)) << Narrow(formula) << " at " << xs[i];
      } else {
        firstFailure = std::min(firstFailure, i);
      }
    }
    // All the points at once: the same numbers, up to the same first failure.
    std::vector<double> block(xs.size());
    ASSERT_EQ(PointEvaluator(eng, formula, u"x").AtEach(xs, block), firstFailure) << Narrow(formula);
    for (std::size_t i = 0; i < firstFailure; ++i)
      ASSERT_EQ(std::bit_cast<std::uint64_t>(block[i]), std::bit_cast<std::uint64_t>(ys[i])) << Narrow(formula) << " at " << xs[i];
  }
}

TEST_F(CompiledFormulaTest, StoredVariableIsSeenByFunctionBodiesAndKeepsTheLastValue) {
  PointEvaluator stored(eng, u"f + x^2", u"x", PointEvaluator::Binding::Stored);
  double y = 0.0;
  ASSERT_TRUE(stored.At(1.5, y));
  EXPECT_EQ(y, 1.5 * 2 + 1.75 + 1.5 * 1.5);
  EXPECT_EVAL(u"x", 1.5);
}

TEST_F(CompiledFormulaTest, FailingPointsReportAsTheTextDoes) {
  PointEvaluator sampled(eng, u"1/(x-2) + sqrt(x)", u"x");
  double y = 0.0;
  EXPECT_FALSE(sampled.At(2.0, y));
  EXPECT_EQ(sampled.status(), 8);
  EXPECT_NE(Log().find(u"CalcMatrixDivMult"), std::u16string::npos);
  EXPECT_FALSE(sampled.At(-1.0, y));
  EXPECT_EQ(sampled.status(), 13);
  EXPECT_TRUE(sampled.At(3.0, y));
}

}  // namespace
