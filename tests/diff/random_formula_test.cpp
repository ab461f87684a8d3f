// SPDX-License-Identifier: MIT
// Random formulas from the differentiator's grammar, differentiated and checked against a
// central difference of the formula evaluated by the engine. A mismatch is a fault in a
// derivative rule or in the simplifier.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "diff/differentiate.h"
#include "engine/evaluator.h"
#include "engine/var_store.h"
#include "engine_core/text_util.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::EngineTest;
using testing_support::Narrow;

// Every spelling the differentiator reads, with the evaluator's name for it ("" for the step
// function, which the evaluator writes as a comparison).
struct Function {
  const char16_t* diffName;
  const char16_t* evalName;
};

constexpr Function kFunctions[] = {
    {u"cos", u"cos"},       {u"sin", u"sin"},         {u"tg", u"tan"},         {u"tan", u"tan"},
    {u"ctg", u"cotan"},     {u"cotan", u"cotan"},     {u"abs", u"abs"},        {u"sgn", u"sgn"},
    {u"sign", u"sgn"},      {u"sqrt", u"sqrt"},       {u"sqr", u"sqrt"},       {u"ln", u"ln"},
    {u"log", u"ln"},        {u"exp", u"exp"},         {u"arcsin", u"arcsin"},  {u"arccos", u"arccos"},
    {u"arctg", u"atan"},    {u"arctan", u"atan"},     {u"arcctg", u"arccotan"}, {u"arccotan", u"arccotan"},
    {u"sh", u"sinh"},       {u"sinh", u"sinh"},       {u"ch", u"cosh"},        {u"cosh", u"cosh"},
    {u"th", u"tanh"},       {u"tanh", u"tanh"},       {u"tgh", u"tanh"},       {u"cth", u"cotanh"},
    {u"cotanh", u"cotanh"}, {u"ctgh", u"cotanh"},     {u"heaviside", u""},     {u"h", u""},
    {u"log10", u"log10"},
};

// A formula in the differentiator's spelling and the same formula in the evaluator's.
struct Formula {
  std::u16string diff;
  std::u16string eval;
};

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  // sum -> product { (+|-) product }
  Formula Sum(int depth) {
    Formula f = Product(depth);
    for (int terms = Pick(3); terms > 0; --terms) {
      const char16_t* op = Pick(2) ? u"+" : u"-";
      Formula g = Product(depth);
      f = {f.diff + op + g.diff, f.eval + op + g.eval};
    }
    return f;
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  Formula Product(int depth) {
    Formula f = Factor(depth);
    for (int factors = Pick(2); factors > 0; --factors) {
      const char16_t* op = Pick(2) ? u"*" : u"/";
      Formula g = Factor(depth);
      f = {f.diff + op + g.diff, f.eval + op + g.eval};
    }
    return f;
  }

  // Small constants and exponents: single-precision built-ins cannot resolve a step of 1e-3
  // in the argument of cos(16384 + ...), and such points would only measure that.
  std::u16string Number() {
    static constexpr const char16_t* kNumbers[] = {u"2", u"3", u"0.5", u"1.5", u"0.25"};
    return kNumbers[Pick(5)];
  }

  std::u16string Exponent() {
    static constexpr const char16_t* kExponents[] = {u"2", u"3", u"0.5", u"1.5", u"(-1)", u"(-2)"};
    return kExponents[Pick(6)];
  }

  // factor -> x | number | a | (sum) | function(sum), optionally raised to a number or to a
  Formula Factor(int depth) {
    Formula f;
    const int kind = depth <= 0 ? Pick(3) : Pick(6);
    if (kind == 0) {
      f = {u"x", u"x"};
    } else if (kind == 1) {
      f = {Number(), Number()};
      f.eval = f.diff;
    } else if (kind == 2) {
      f = {u"a", u"a"};
    } else if (kind == 3) {
      Formula inner = Sum(depth - 1);
      f = {u"(" + inner.diff + u")", u"(" + inner.eval + u")"};
    } else {
      const Function& fn = kFunctions[Pick(static_cast<int>(std::size(kFunctions)))];
      Formula inner = Sum(depth - 1);
      f.diff = std::u16string(fn.diffName) + u"(" + inner.diff + u")";
      // The step function as a comparison: true is -1, so 0 minus it is 1.
      f.eval = *fn.evalName ? std::u16string(fn.evalName) + u"(" + inner.eval + u")"
                            : u"(0-(0<=(" + inner.eval + u")))";
    }
    const int power = Pick(6);
    if (power == 0) {
      const std::u16string n = Exponent();
      f = {f.diff + u"^" + n, u"(" + f.eval + u")^" + n};
    } else if (power == 1 && f.diff == u"x") {
      f = {u"x^a", u"x^a"};
    }
    return f;
  }

  std::mt19937 random_;
};

// The derivative text in the evaluator's spelling: the rules write sh, ch and the user's own
// function names; the step function becomes its comparison.
std::u16string ToEvaluator(std::u16string_view text) {
  std::u16string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!engine::IsAsciiLetter(text[i])) {
      out.push_back(text[i++]);
      continue;
    }
    std::size_t j = i;
    while (j < text.size() && (engine::IsAsciiLetter(text[j]) || engine::IsAsciiDigit(text[j]))) ++j;
    std::u16string_view word = text.substr(i, j - i);
    const Function* fn = nullptr;
    for (const Function& f : kFunctions)
      if (word == f.diffName && j < text.size() && text[j] == u'(') fn = &f;
    if (fn == nullptr) {
      out.append(word);
      i = j;
    } else if (*fn->evalName) {
      out.append(fn->evalName);
      i = j;
    } else {
      std::size_t close = j;
      for (int open = 0; close < text.size(); ++close) {
        open += text[close] == u'(' ? 1 : text[close] == u')' ? -1 : 0;
        if (open == 0) break;
      }
      out += u"(0-(0<=" + ToEvaluator(text.substr(j, close + 1 - j)) + u"))";
      i = close + 1;
    }
  }
  return out;
}

class RandomFormulaTest : public EngineTest {
 protected:
  diff::DiffState state;
  diff::Diff d{eng.core, state};

  // The formula's value at x, or NaN when the engine reports an error there.
  double At(const std::u16string& formula, double x) {
    engine::SetVarFunct(eng.core, eng.vars, u"x", engine::FormatFixed(x), false);
    double value = 0;
    return engine::e_eval(eng, formula, &value, false) == engine::kNumber ? value : std::nan("");
  }
};

TEST_F(RandomFormulaTest, DerivativesAgreeWithCentralDifferences) {
  engine::SetVarFunct(eng.core, eng.vars, u"a", u"1.7", false);
  Generator generator(20261208);
  constexpr double kStep = 1e-3;
  const double points[] = {0.3, 0.7, 1.1, 1.6, 2.3};
  int formulas = 0;
  int checkedFormulas = 0;
  int mismatches = 0;
  int zeroDivisors = 0;
  for (int i = 0; i < 3000; ++i) {
    const Formula f = generator.Sum(2);
    std::u16string derivative;
    if (diff::e_diff(d, f.diff, u"x", derivative) == 0) {
      // A constant zero divisor, written or made by a rule (the 0.5/sqrt(0) of a constant
      // square root), is reported as such.
      if (Error() == diff::kDivisionByZero) {
        ++zeroDivisors;
        continue;
      }
      ADD_FAILURE() << "no derivative for " << Narrow(f.diff) << ": code " << Error();
      continue;
    }
    ++formulas;
    const std::u16string derivativeEval = ToEvaluator(derivative);
    bool checked = false;
    for (double x : points) {
      const double fx = At(f.eval, x);
      const double symbolic = At(derivativeEval, x);
      if (!std::isfinite(fx) || !std::isfinite(symbolic)) continue;
      if (std::fabs(fx) > 1e4 || std::fabs(symbolic) > 1e3) continue;
      // Central differences at three steps. The built-ins compute in single precision, so a
      // large intermediate (tan of 16384.3) leaves values that move in steps, and kinks (abs,
      // sgn) make differences that depend on the step: such points are skipped, not judged.
      double numeric[3] = {};
      bool defined = true;
      for (int k = 0; k < 3; ++k) {
        const double h = kStep * (k == 0 ? 1.0 : k == 1 ? 0.5 : 2.0);
        const double hi = At(f.eval, x + h);
        const double lo = At(f.eval, x - h);
        defined = defined && std::isfinite(hi) && std::isfinite(lo) && hi != lo;
        numeric[k] = (hi - lo) / (2 * h);
      }
      if (!defined) continue;
      const double noise = 2e-3 * (1 + std::fabs(fx)) + 1e-2 * std::fabs(numeric[0]);
      if (std::fabs(numeric[0] - numeric[1]) > noise || std::fabs(numeric[0] - numeric[2]) > noise)
        continue;
      checked = true;
      if (std::fabs(numeric[0] - symbolic) > 2 * noise + 1e-3 * std::fabs(symbolic)) {
        if (++mismatches <= 10)
          ADD_FAILURE() << "f(x) = " << Narrow(f.diff) << "\nf'(x) = " << Narrow(derivative)
                        << "\nat x = " << x << ": symbolic " << symbolic << ", numeric " << numeric[0];
      }
    }
    checkedFormulas += checked ? 1 : 0;
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(formulas + zeroDivisors, 3000);
  EXPECT_LT(zeroDivisors, 60);
  // Most formulas must be checkable somewhere, or the check proves nothing.
  EXPECT_GT(checkedFormulas, 1800) << "formulas checked at one point or more";
}

}  // namespace
