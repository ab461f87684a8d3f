// SPDX-License-Identifier: MIT
// A compiled formula must be its text evaluated again: the same bits, or the same error at the
// same place. Random formulas over the whole grammar, some of them broken, in every combination
// of numbers and spelling, with parameters given by value and by binding; evaluated at all the
// points at once, it must give what the calls one point at a time gave.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "morvane/api.h"
#include "support/double_bits.h"
#include "support/seeded_random.h"

namespace {

using Random = testing_support::SeededRandom;

const char* const kParameters[] = {"a", "b", "x", "y"};
// Names the formulas meet besides the parameters: a context variable, user functions that read
// the parameters (which a compiled formula must see as its own) and a name nobody defined.
const char* const kOtherNames[] = {"k", "f", "g", "pi", "e", "#pi", "deg", "nobody"};
// Spellings of every setting: where a setting does not know one, both paths must refuse it alike.
const char* const kUnary[] = {"sin",   "cos",   "tan",    "asin",   "acos",   "atan",   "atn",   "sinh",
                              "cosh",  "tanh",  "asinh",  "acosh",  "atanh",  "arcsin", "arccos", "arctanh",
                              "sec",   "cosec", "cotan",  "arcsec", "sech",   "cotanh", "exp",   "log",
                              "ln",    "log10", "log2",   "sqrt",   "sqr",    "abs",    "int",   "fix",
                              "sgn",   "floor", "ceil",   "round",  "to_deg", "to_rad", "not"};
const char* const kBinary[] = {"pow", "atan2", "hypot"};
const char* const kList[] = {"min", "max", "sum", "avg", "count", "median", "stddev", "mean", "prod", "sum2"};
const char* const kOperators[] = {"+",  "-",  "*",  "/",  "^",   "\\", " mod ", "=",  "==",  "<",   ">",   "<=",
                                  ">=", "<>", "!=", "&&", "||",  " and ", " or ", " xor ", " eqv ", " imp "};
const char* const kJunk[] = {"*", ")", "(", ",", ";", "1..2", "#", "$", "\xC3\xA9", "1e", "2E+", "&FF", "!101", "[m]"};

std::string Digits(Random& random, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + random.Below(10));
  return digits;
}

std::string Literal(Random& random, bool classicSpelling) {
  const char* point = classicSpelling && random.Percent(50) ? "," : ".";
  switch (random.Below(4)) {
    case 0: return std::to_string(random.Below(1000));
    case 1: return Digits(random, 1 + static_cast<int>(random.Below(3))) + point + Digits(random, 1 + static_cast<int>(random.Below(14)));
    case 2: return point + Digits(random, 2);
    default: {
      // Exponents, which classic numbers refuse.
      const int exponent = static_cast<int>(random.Below(80)) - 40;
      return Digits(random, 1) + point + Digits(random, 3) + random.Pick({"e", "E"}) + std::to_string(exponent);
    }
  }
}

std::string Generate(Random& random, int depth, bool classicSpelling) {
  if (random.Percent(2)) return random.Pick(kJunk);
  if (depth == 0 || random.Percent(20)) {
    const auto pick = random.Below(10);
    if (pick < 4) return Literal(random, classicSpelling);
    if (pick < 8) return random.Pick(kParameters);
    return random.Pick(kOtherNames);
  }
  const auto next = [&] { return Generate(random, depth - 1, classicSpelling); };
  const char* separator = classicSpelling || random.Percent(20) ? ";" : ",";
  switch (random.Below(8)) {
    case 0:
    case 1:
    case 2: {
      std::string left = next();
      return left + random.Pick(kOperators) + next();
    }
    case 3: return "-" + next();
    case 4: return "(" + next() + ")";
    case 5: return std::string(random.Pick(kUnary)) + "(" + next() + ")";
    case 6: {
      // The classic spelling knows none of these: a few are enough to see both refuse them.
      if (classicSpelling && !random.Percent(20)) return "(" + next() + ")";
      std::string first = next();
      return std::string(random.Pick(kBinary)) + "(" + first + separator + next() + ")";
    }
    default: {
      std::string text = std::string(random.Pick(kList)) + "(";
      const auto count = 1 + random.Below(4);
      for (std::uint64_t i = 0; i < count; ++i) text += (i ? separator : "") + next();
      return text + ")";
    }
  }
}

double Value(Random& random) {
  switch (random.Below(6)) {
    case 0: return static_cast<double>(random.Below(7)) - 3.0;
    case 1:
    case 2: return 20.0 * random.Unit() - 10.0;
    case 3: return random.Unit();
    case 4: {
      const double magnitude = std::pow(10.0, 80.0 * random.Unit() - 40.0);
      return random.Percent(50) ? magnitude : -magnitude;
    }
    default: return random.Pick({-0.0, 0.5, 1.0, 1e-11, 123456.78901234567, 1e300});
  }
}

using testing_support::Hex;
using testing_support::SameBits;

// Failures that depend on the values met, not on the text alone.
bool IsFailureOfValues(int code) {
  return code == MORVANE_ERROR_DIVISION_BY_ZERO || code == MORVANE_ERROR_NOT_INTEGER ||
         code == MORVANE_ERROR_INVALID_ARGUMENT || code == MORVANE_ERROR_OVERFLOW;
}

struct ContextDeleter {
  void operator()(morvane_context* context) const { morvane_context_free(context); }
};
struct FormulaDeleter {
  void operator()(morvane_formula* formula) const { morvane_formula_free(formula); }
};

struct Setting {
  int numbers;
  int spelling;
};

// What the calls one point at a time gave, to compare with an evaluation at all the points.
struct Calls {
  static constexpr std::size_t kPoints = 3;
  double inputs[4][kPoints] = {};
  double values[kPoints] = {};
  std::size_t firstFailure = kPoints;
  int code = MORVANE_OK;
  std::string message;

  void Record(int point, int callCode, double value, const morvane_error& error) {
    const auto p = static_cast<std::size_t>(point);
    values[p] = value;
    if (callCode == MORVANE_OK || firstFailure < p) return;
    firstFailure = p;
    code = callCode;
    message = error.message;
  }

  bool AgreeAtOnce(morvane_formula* formula) const {
    const double* const columns[4] = {inputs[0], inputs[1], inputs[2], inputs[3]};
    double results[kPoints] = {};
    std::size_t failedAt = 99;
    morvane_error error{};
    const int got = morvane_formula_eval_array(formula, columns, kPoints, results, &failedAt, &error);
    bool agree = got == code && failedAt == firstFailure && (code == MORVANE_OK || message == error.message);
    for (std::size_t p = 0; p < firstFailure; ++p) agree = agree && SameBits(results[p], values[p]);
    if (!agree)
      std::fprintf(stderr, "at once: %d at %zu (%s); one at a time: %d at %zu (%s)\n", got, failedAt, error.message,
                   code, firstFailure, message.c_str());
    return agree;
  }
};

class CompiledAgreementTest : public ::testing::TestWithParam<Setting> {};

TEST_P(CompiledAgreementTest, CompiledFormulasGiveTheTextsBitsOrItsErrorAtItsPlace) {
  const morvane_options options{GetParam().numbers, GetParam().spelling};
  const bool classicSpelling = options.spelling == MORVANE_SPELLING_CLASSIC;
  std::unique_ptr<morvane_context, ContextDeleter> context{morvane_context_new_with(&options)};
  ASSERT_TRUE(context);
  morvane_error error{};
  ASSERT_EQ(morvane_set_variable(context.get(), "k", 2.5, &error), MORVANE_OK);
  ASSERT_EQ(morvane_set_function(context.get(), "f", "x*k - y", &error), MORVANE_OK);
  ASSERT_EQ(morvane_set_function(context.get(), "g", classicSpelling ? "min(a; 1/b)" : "min(a, 1/b)", &error),
            MORVANE_OK);

  constexpr int kFormulas = 3000;
  constexpr int kPoints = static_cast<int>(Calls::kPoints);
  Random random(77 + 2 * static_cast<std::uint64_t>(options.numbers) + static_cast<std::uint64_t>(options.spelling));
  int numbers = 0;
  int failures = 0;
  for (int f = 0; f < kFormulas && failures < 20; ++f) {
    const std::string text = Generate(random, 1 + static_cast<int>(random.Below(5)), classicSpelling);
    morvane_error compileError{};
    std::unique_ptr<morvane_formula, FormulaDeleter> formula{
        morvane_compile(context.get(), text.c_str(), kParameters, std::size(kParameters), &compileError)};
    // Half the formulas read their parameters through bindings.
    double bound[4] = {};
    const bool binding = f % 2 == 1;
    if (formula && binding) {
      for (std::size_t i = 0; i < 4; ++i)
        ASSERT_EQ(morvane_formula_bind(formula.get(), kParameters[i], &bound[i], &error), MORVANE_OK);
    }
    Calls calls;
    for (int p = 0; p < kPoints; ++p) {
      std::string where;
      for (std::size_t i = 0; i < 4; ++i) {
        const double value = Value(random);
        ASSERT_EQ(morvane_set_variable(context.get(), kParameters[i], value, &error), MORVANE_OK);
        if (formula && binding) {
          bound[i] = value;
        } else if (formula) {
          ASSERT_EQ(morvane_formula_set(formula.get(), kParameters[i], value, &error), MORVANE_OK);
        }
        where += std::string(i ? ", " : " at ") + kParameters[i] + " = " + Hex(value);
        calls.inputs[i][p] = value;
      }
      double expected = 0.0;
      morvane_error textError{};
      const int textCode = morvane_eval(context.get(), text.c_str(), &expected, &textError);
      if (!formula) {
        // The compiler's refusal is the text's, unless the text, evaluated as it is read, fails
        // on these values before it comes to the place the compiler refused.
        const bool failsEarlier = IsFailureOfValues(textCode) && textError.position <= compileError.position;
        if (!failsEarlier && (textCode != compileError.code || textError.position != compileError.position)) {
          ADD_FAILURE() << text << where << ": compiling gives " << compileError.code << " at "
                        << compileError.position << " (" << compileError.message << "), the text " << textCode
                        << " at " << textError.position << " (" << textError.message << ")";
          ++failures;
        }
        continue;
      }
      double value = 0.0;
      morvane_error formulaError{};
      const int code = morvane_formula_eval(formula.get(), &value, &formulaError);
      if (code != textCode || (code == MORVANE_OK && !SameBits(value, expected)) ||
          (code != MORVANE_OK && formulaError.position != textError.position)) {
        ADD_FAILURE() << text << where << ": compiled " << code << " " << Hex(value) << " at "
                      << formulaError.position << " (" << formulaError.message << "), the text " << textCode << " "
                      << Hex(expected) << " at " << textError.position << " (" << textError.message << ")";
        ++failures;
      }
      if (code == MORVANE_OK) ++numbers;
      calls.Record(p, code, value, formulaError);
    }
    if (formula && !calls.AgreeAtOnce(formula.get())) {
      ADD_FAILURE() << text << " at all points at once";
      ++failures;
    }
  }
  // Enough formulas must reach a number for the bits to be compared at all.
  EXPECT_GT(numbers, kFormulas * kPoints / 5);
}

// A parameter moving between the zeros of either sign is read anew each time: the sign shows
// in b*2, and makes atan2(0, b) 0 or pi.
TEST_P(CompiledAgreementTest, ParametersKeepTheSignOfZero) {
  const morvane_options options{GetParam().numbers, GetParam().spelling};
  std::unique_ptr<morvane_context, ContextDeleter> context{morvane_context_new_with(&options)};
  const char* text = options.spelling == MORVANE_SPELLING_CLASSIC ? "b*2" : "atan2(0, b)";
  morvane_error error{};
  std::unique_ptr<morvane_formula, FormulaDeleter> set{morvane_compile(context.get(), text, kParameters + 1, 1, &error)};
  std::unique_ptr<morvane_formula, FormulaDeleter> bound{morvane_compile(context.get(), text, kParameters + 1, 1, &error)};
  ASSERT_TRUE(set && bound) << error.message;
  double b = 0.0;
  ASSERT_EQ(morvane_formula_bind(bound.get(), "b", &b, &error), MORVANE_OK);
  for (const double value : {0.0, -0.0, 0.0, 1.0, -0.0}) {
    b = value;
    ASSERT_EQ(morvane_formula_set(set.get(), "b", value, &error), MORVANE_OK);
    ASSERT_EQ(morvane_set_variable(context.get(), "b", value, &error), MORVANE_OK);
    double expected = 0.0;
    ASSERT_EQ(morvane_eval(context.get(), text, &expected, &error), MORVANE_OK) << error.message;
    for (morvane_formula* formula : {set.get(), bound.get()}) {
      double compiled = 0.0;
      ASSERT_EQ(morvane_formula_eval(formula, &compiled, &error), MORVANE_OK) << error.message;
      EXPECT_PRED2(SameBits, compiled, expected) << "b = " << Hex(value);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EverySetting, CompiledAgreementTest,
                         ::testing::Values(Setting{MORVANE_NUMBERS_DOUBLE, MORVANE_SPELLING_PROGRAMMER},
                                           Setting{MORVANE_NUMBERS_DOUBLE, MORVANE_SPELLING_CLASSIC},
                                           Setting{MORVANE_NUMBERS_CLASSIC, MORVANE_SPELLING_PROGRAMMER},
                                           Setting{MORVANE_NUMBERS_CLASSIC, MORVANE_SPELLING_CLASSIC}),
                         [](const ::testing::TestParamInfo<Setting>& setting) {
                           return std::string(setting.param.numbers == MORVANE_NUMBERS_DOUBLE ? "Double" : "Classic") +
                                  "Numbers" +
                                  (setting.param.spelling == MORVANE_SPELLING_PROGRAMMER ? "Programmer" : "Classic") +
                                  "Spelling";
                         });

}  // namespace
