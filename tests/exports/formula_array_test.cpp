// SPDX-License-Identifier: MIT
// A compiled formula at many points: across the blocks it is evaluated in, up to the first point
// that fails, and with the arguments a caller gets wrong.
#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <thread>
#include <vector>

#include "morvane/api.h"
#include "support/double_bits.h"

namespace {

class FormulaArrayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    context = morvane_context_new();
    ASSERT_NE(context, nullptr);
  }
  void TearDown() override {
    morvane_formula_free(formula);
    morvane_context_free(context);
  }
  void Compile(const char* text, std::vector<const char*> names) {
    formula = morvane_compile(context, text, names.data(), names.size(), &error);
    ASSERT_NE(formula, nullptr) << error.message;
  }

  morvane_context* context = nullptr;
  morvane_formula* formula = nullptr;
  morvane_error error{};
};

// 1000 points cross several blocks; the one at x = 700 divides by zero, and a value that is not
// finite fails as a parameter's would.
TEST_F(FormulaArrayTest, GivesEachPointsCallUpToTheFirstFailure) {
  Compile("sin(x)*y + 1/(x - 700)", {"x", "y"});
  std::vector<double> xs(1000), ys(1000), results(1000, -1.0);
  for (std::size_t i = 0; i < xs.size(); ++i) {
    xs[i] = static_cast<double>(i);
    ys[i] = 0.5 * static_cast<double>(i);
  }
  const double* const inputs[] = {xs.data(), ys.data()};
  std::size_t failedAt = 0;
  EXPECT_EQ(morvane_formula_eval_array(formula, inputs, xs.size(), results.data(), &failedAt, &error),
            MORVANE_ERROR_DIVISION_BY_ZERO);
  EXPECT_EQ(failedAt, 700u);
  for (std::size_t i = 0; i < 700; ++i) {
    ASSERT_EQ(morvane_formula_set(formula, "x", xs[i], &error), MORVANE_OK);
    ASSERT_EQ(morvane_formula_set(formula, "y", ys[i], &error), MORVANE_OK);
    double one = 0;
    ASSERT_EQ(morvane_formula_eval(formula, &one, &error), MORVANE_OK);
    ASSERT_PRED2(testing_support::SameBits, results[i], one) << "at " << i;
  }
  EXPECT_EQ(results[700], -1.0);  // nothing written from the failing point on

  // From x = 701 on every point is defined; an infinity among them is not a number to read.
  ys[900] = std::numeric_limits<double>::infinity();
  const double* const later[] = {xs.data() + 701, ys.data() + 701};
  EXPECT_EQ(morvane_formula_eval_array(formula, later, 299, results.data(), &failedAt, &error),
            MORVANE_ERROR_INVALID_ARGUMENT);
  EXPECT_EQ(failedAt, 199u);
  EXPECT_STREQ(error.message, "The variable 'y' is not a finite number");
}

TEST_F(FormulaArrayTest, RefusesWhatItCannotRead) {
  Compile("x + 1", {"x"});
  const double xs[] = {1, 2};
  const double* const inputs[] = {xs};
  const double* const missing[] = {nullptr};
  double results[2] = {};
  std::size_t failedAt = 7;
  EXPECT_EQ(morvane_formula_eval_array(formula, inputs, 0, nullptr, &failedAt, &error), MORVANE_OK);
  EXPECT_EQ(failedAt, 0u);
  EXPECT_EQ(morvane_formula_eval_array(formula, nullptr, 2, results, nullptr, &error), MORVANE_ERROR_NULL_ARGUMENT);
  EXPECT_EQ(morvane_formula_eval_array(formula, missing, 2, results, nullptr, &error), MORVANE_ERROR_NULL_ARGUMENT);
  EXPECT_EQ(morvane_formula_eval_array(formula, inputs, 2, nullptr, nullptr, &error), MORVANE_ERROR_NULL_ARGUMENT);
  EXPECT_EQ(morvane_formula_eval_array(nullptr, inputs, 2, results, nullptr, &error), MORVANE_ERROR_NULL_ARGUMENT);
  morvane_context_free(context);
  context = nullptr;
  EXPECT_EQ(morvane_formula_eval_array(formula, inputs, 2, results, &failedAt, &error), MORVANE_ERROR_CONTEXT_FREED);
  EXPECT_EQ(failedAt, 0u);
}

// A formula of no variables and one the compiled form leaves to the text (rnd) still give a
// value at every point.
TEST_F(FormulaArrayTest, FormulasOfNoVariablesAndOfTheTextAlone) {
  Compile("2^10", {});
  double results[3] = {};
  EXPECT_EQ(morvane_formula_eval_array(formula, nullptr, 3, results, nullptr, &error), MORVANE_OK);
  EXPECT_EQ(results[2], 1024.0);
  morvane_formula_free(formula);
  Compile("x + rnd(1) * 0", {"x"});
  const double xs[] = {1, 2, 3};
  const double* const inputs[] = {xs};
  EXPECT_EQ(morvane_formula_eval_array(formula, inputs, 3, results, nullptr, &error), MORVANE_OK);
  EXPECT_EQ(results[2], 3.0);
}

// Cancelled from another thread, a long evaluation over arrays stops with the points before
// the one it stopped at written; the context's next call runs as usual.
TEST_F(FormulaArrayTest, CancelledFromAnotherThread) {
  Compile("x*x+rnd(1)*0", {"x"});  // rnd is left to the text: about a microsecond a point
  const std::size_t n = 4'000'000;
  std::vector<double> xs(n, 2.0), results(n, -1.0);
  const double* inputs[] = {xs.data()};
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    morvane_cancel(context);
  });
  std::size_t failedAt = 0;
  EXPECT_EQ(morvane_formula_eval_array(formula, inputs, n, results.data(), &failedAt, &error), MORVANE_ERROR_CANCELLED);
  canceller.join();
  EXPECT_LT(failedAt, n);
  EXPECT_EQ(results[0], 4.0);
  EXPECT_EQ(results[failedAt], -1.0);
  EXPECT_EQ(morvane_formula_eval_array(formula, inputs, 1000, results.data(), &failedAt, &error), MORVANE_OK);
  morvane_cancel(nullptr);
}

}  // namespace
