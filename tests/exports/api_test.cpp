// SPDX-License-Identifier: MIT
// The UTF-8 interface as a program uses it: contexts, errors with their places, compiled
// formulas, and what it does with bad arguments.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "morvane.h"
#include "morvane/api.h"

namespace {

struct ContextDeleter {
  void operator()(morvane_context* context) const { morvane_context_free(context); }
};
struct FormulaDeleter {
  void operator()(morvane_formula* formula) const { morvane_formula_free(formula); }
};
using Context = std::unique_ptr<morvane_context, ContextDeleter>;
using Formula = std::unique_ptr<morvane_formula, FormulaDeleter>;

class ApiTest : public ::testing::Test {
 protected:
  double Eval(const char* text) {
    double value = NAN;
    EXPECT_EQ(morvane_eval(context.get(), text, &value, &error), MORVANE_OK) << text << ": " << error.message;
    return value;
  }
  // The failure of text: its code, with the place in error.
  int Failure(const char* text) {
    double value = 0.0;
    return morvane_eval(context.get(), text, &value, &error);
  }
  Formula Compile(const char* text, std::initializer_list<const char*> variables) {
    return Formula(morvane_compile(context.get(), text, std::data(variables), variables.size(), &error));
  }

  Context context{morvane_context_new()};
  morvane_error error{};
};

TEST_F(ApiTest, ErrorsSayWhatAndWhereInCharactersAndBytes) {
  EXPECT_EQ(Failure("1+*2"), MORVANE_ERROR_PARSER_SYNTAX);
  EXPECT_EQ(error.position, 2);
  EXPECT_STREQ(error.message, "Parser syntax error");
  // "é" is one character of two bytes.
  EXPECT_EQ(Failure("\xC3\xA9 + 1"), MORVANE_ERROR_PARSER_SYNTAX);
  EXPECT_EQ(Failure("1 + 2 + \xE2\x82\xAC"), MORVANE_ERROR_PARSER_SYNTAX);
  EXPECT_EQ(error.position, 8);
  EXPECT_EQ(error.byte_offset, 8);
  EXPECT_EQ(Failure("(\xC3\xA9\xC3\xA9) + foo"), MORVANE_ERROR_PARSER_SYNTAX);
  EXPECT_EQ(Failure("sin(1) + foo"), MORVANE_ERROR_UNDEFINED_VARIABLE);
  EXPECT_EQ(error.position, 9);
  EXPECT_STREQ(error.message, "Unknown variable 'foo'");
  EXPECT_EQ(Failure("x + foo (1)"), MORVANE_ERROR_UNDEFINED_VARIABLE);
  EXPECT_STREQ(error.message, "Unknown variable 'x'");
  EXPECT_EQ(Failure("1 + foo (1)"), MORVANE_ERROR_UNDEFINED_FUNCTION);
  EXPECT_STREQ(error.message, "Unknown function 'foo'");
  // A place after an expanded user function is put back where the caller wrote it.
  ASSERT_EQ(morvane_set_function(context.get(), "f", "2*(3+4)", &error), MORVANE_OK);
  EXPECT_EQ(Failure("f + foo"), MORVANE_ERROR_UNDEFINED_VARIABLE);
  EXPECT_EQ(error.position, 4);
  EXPECT_EQ(Failure("1/0"), MORVANE_ERROR_DIVISION_BY_ZERO);
  // Bad text and arguments.
  EXPECT_EQ(Failure("1 + \xC3"), MORVANE_ERROR_INVALID_UTF8);
  EXPECT_EQ(error.byte_offset, 4);
  EXPECT_EQ(Failure(nullptr), MORVANE_ERROR_NULL_ARGUMENT);
  double value = 0.0;
  EXPECT_EQ(morvane_eval(nullptr, "1", &value, &error), MORVANE_ERROR_NULL_ARGUMENT);
  EXPECT_EQ(morvane_eval(context.get(), "1", nullptr, nullptr), MORVANE_ERROR_NULL_ARGUMENT);
  // A message too long for its room is cut at a character's boundary.
  const std::string longName = "v" + std::string(300, 'x');
  EXPECT_EQ(Failure((longName + "+1").c_str()), MORVANE_ERROR_UNDEFINED_VARIABLE);
  EXPECT_EQ(std::string(error.message).size(), sizeof error.message - 1);
}

TEST_F(ApiTest, ContextsKeepTheirOwnNamesApartFromTheProcessWideState) {
  ASSERT_EQ(morvane_set_variable(context.get(), "Rate", 0.25, &error), MORVANE_OK);
  ASSERT_EQ(morvane_set_function(context.get(), "area", "rate*100", &error), MORVANE_OK);
  EXPECT_EQ(Eval("area + 1"), 26.0);
  double value = 0.0;
  EXPECT_EQ(morvane_get_variable(context.get(), "rate", &value, &error), MORVANE_OK);
  EXPECT_EQ(value, 0.25);
  const char* body = nullptr;
  EXPECT_EQ(morvane_get_function(context.get(), "AREA", &body, &error), MORVANE_OK);
  EXPECT_STREQ(body, "rate*100");
  EXPECT_EQ(morvane_get_variable(context.get(), "nothing", &value, &error), MORVANE_ERROR_NOT_FOUND);
  for (const char* name : {"a b", "1a", "gr\xC3\xB6\xC3\x9F" "e", ""})
    EXPECT_EQ(morvane_set_variable(context.get(), name, 1.0, &error), MORVANE_ERROR_INVALID_ARGUMENT) << name;
  EXPECT_EQ(morvane_set_variable(context.get(), "big", INFINITY, &error), MORVANE_ERROR_INVALID_ARGUMENT);

  Context other{morvane_context_new()};
  EXPECT_EQ(morvane_eval(other.get(), "rate", &value, &error), MORVANE_ERROR_UNDEFINED_VARIABLE);
  EXPECT_EQ(e_eval(u"rate", &value, 0), 4) << "the process-wide state has no such name either";
  EXPECT_EQ(morvane_reset(context.get(), &error), MORVANE_OK);
  EXPECT_EQ(Failure("rate"), MORVANE_ERROR_UNDEFINED_VARIABLE);
}

TEST_F(ApiTest, DiffIntegrateAndSolve) {
  const char* derivative = nullptr;
  ASSERT_EQ(morvane_diff(context.get(), "x^3+sin(x)", "x", &derivative, &error), MORVANE_OK);
  EXPECT_STREQ(derivative, "3*x^2+cos(x)");
  EXPECT_EQ(morvane_diff(context.get(), "x^^3", "x", &derivative, &error), MORVANE_ERROR_TOKEN);

  double integral = 0.0;
  ASSERT_EQ(morvane_integrate(context.get(), "x^2", "x", 0, 3, 100, MORVANE_SIMPSON, &integral, &error), MORVANE_OK);
  EXPECT_NEAR(integral, 9.0, 1e-9);
  EXPECT_EQ(morvane_integrate(context.get(), "x^2", "x", 0, 3, 7, MORVANE_SIMPSON, &integral, &error),
            MORVANE_ERROR_INVALID_ARGUMENT);
  EXPECT_EQ(morvane_integrate(context.get(), "1/x", "x", -1, 1, 10, MORVANE_TRAPEZOID, &integral, &error),
            MORVANE_ERROR_DIVISION_BY_ZERO);
  EXPECT_EQ(morvane_integrate(context.get(), "x+*2", "x", 0, 1, 10, MORVANE_MIDPOINT, &integral, &error),
            MORVANE_ERROR_PARSER_SYNTAX);
  EXPECT_EQ(error.position, 2);

  double root = 0.0;
  ASSERT_EQ(morvane_solve(context.get(), "x^2-2", "x", &root, &error), MORVANE_OK);
  EXPECT_NEAR(root, std::sqrt(2.0), 1e-9);
  // No real root: the steps end somewhere, and that is not reported as one.
  EXPECT_EQ(morvane_solve(context.get(), "x^2+1", "x", &root, &error), MORVANE_ERROR_NOT_CONVERGED);
}

TEST_F(ApiTest, CompiledFormulasGiveWhatTheTextGives) {
  ASSERT_EQ(morvane_set_function(context.get(), "g", "2*k", &error), MORVANE_OK);
  ASSERT_EQ(morvane_set_variable(context.get(), "k", 5, &error), MORVANE_OK);
  Formula formula = Compile("x*y + g - sqrt(abs(x))", {"x", "Y"});
  ASSERT_TRUE(formula) << error.message;
  double y = 0.0;
  ASSERT_EQ(morvane_formula_bind(formula.get(), "y", &y, &error), MORVANE_OK);
  for (const double x : {0.1, 1.0 / 3.0, -2.5e-11, 12345.678901234567}) {
    for (y = -3.0; y <= 3.0; y += 0.7) {
      ASSERT_EQ(morvane_formula_set(formula.get(), "X", x, &error), MORVANE_OK);
      double compiled = 0.0;
      ASSERT_EQ(morvane_formula_eval(formula.get(), &compiled, &error), MORVANE_OK);
      ASSERT_EQ(morvane_set_variable(context.get(), "x", x, &error), MORVANE_OK);
      ASSERT_EQ(morvane_set_variable(context.get(), "y", y, &error), MORVANE_OK);
      EXPECT_EQ(compiled, Eval("x*y + g - sqrt(abs(x))")) << x << ", " << y;
    }
  }
  // A value the compiled form cannot take goes through the text, which says why.
  Formula quotient = Compile("1 + x/y", {"x", "y"});
  ASSERT_EQ(morvane_formula_set(quotient.get(), "x", 1.0, &error), MORVANE_OK);
  double value = 0.0;
  EXPECT_EQ(morvane_formula_eval(quotient.get(), &value, &error), MORVANE_ERROR_UNBOUND_VARIABLE);
  ASSERT_EQ(morvane_formula_set(quotient.get(), "y", 0.0, &error), MORVANE_OK);
  EXPECT_EQ(morvane_formula_eval(quotient.get(), &value, &error), MORVANE_ERROR_DIVISION_BY_ZERO);
  EXPECT_EQ(error.position, 7);
  // A constant that overflows is reported as the text path reports it.
  Formula overflow = Compile("10^400", {});
  EXPECT_EQ(morvane_formula_eval(overflow.get(), &value, &error), MORVANE_ERROR_OVERFLOW);
  // rnd only the text path evaluates.
  Formula random = Compile("rnd(1) * 0 + x", {"x"});
  ASSERT_TRUE(random) << error.message;
  ASSERT_EQ(morvane_formula_set(random.get(), "x", 2.0, &error), MORVANE_OK);
  EXPECT_EQ(morvane_formula_eval(random.get(), &value, &error), MORVANE_OK);
  EXPECT_EQ(value, 2.0);
}

TEST_F(ApiTest, CompiledFormulasRefuseWhatTheyCannotUse) {
  EXPECT_FALSE(Compile("x + * y", {"x", "y"}));
  EXPECT_EQ(error.code, MORVANE_ERROR_PARSER_SYNTAX);
  EXPECT_EQ(error.position, 4);
  EXPECT_FALSE(Compile("x + y", {"x", "x"}));
  EXPECT_EQ(error.code, MORVANE_ERROR_INVALID_ARGUMENT);

  Formula formula = Compile("x + 1", {"x"});
  double value = 0.0;
  EXPECT_EQ(morvane_formula_bind(formula.get(), "x", nullptr, &error), MORVANE_ERROR_NULL_ARGUMENT);
  EXPECT_EQ(morvane_formula_eval(formula.get(), &value, &error), MORVANE_ERROR_UNBOUND_VARIABLE);
  EXPECT_EQ(morvane_formula_set(formula.get(), "z", 1.0, &error), MORVANE_ERROR_NOT_FOUND);
  EXPECT_EQ(morvane_formula_set(formula.get(), "x", NAN, &error), MORVANE_OK);
  EXPECT_EQ(morvane_formula_eval(formula.get(), &value, &error), MORVANE_ERROR_INVALID_ARGUMENT);
  ASSERT_EQ(morvane_formula_set(formula.get(), "x", 1.0, &error), MORVANE_OK);
  // Its context gone, the formula says so and can still be freed.
  context.reset();
  EXPECT_EQ(morvane_formula_eval(formula.get(), &value, &error), MORVANE_ERROR_CONTEXT_FREED);
  EXPECT_EQ(morvane_formula_eval(nullptr, &value, &error), MORVANE_ERROR_NULL_ARGUMENT);
}

}  // namespace
