// SPDX-License-Identifier: MIT
// Two threads at once: on the process-wide session the exports take turns, and sessions of
// their own, each on its thread, never meet (not even in the files they replace).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine/var_store.h"
#include "exports/session.h"
#include "morvane.h"
#include "morvane/api.h"

namespace {

constexpr int kCalls = 400'000;

// Runs both at the same time, each on a thread of its own; their answers, in order.
std::pair<int, int> OnTwoThreads(const std::function<int()>& first, const std::function<int()>& second) {
  std::pair<int, int> answers{-1, -1};
  std::thread one([&] { answers.first = first(); });
  std::thread two([&] { answers.second = second(); });
  one.join();
  two.join();
  return answers;
}

// How many of kCalls evaluations did not give the expected number.
int WrongResults(const std::function<std::int32_t(double&)>& evaluate, double expected) {
  int wrong = 0;
  for (int i = 0; i < kCalls; ++i) {
    double value = 0;
    if (evaluate(value) != engine::kNumber || value != expected) ++wrong;
  }
  return wrong;
}

TEST(ThreadsTest, ExportsCalledFromTwoThreadsTakeTurns) {
  ReSetEqParser();
  const auto [first, second] = OnTwoThreads(
      [] { return WrongResults([](double& v) { return e_eval(u"1+2*3", &v, 0); }, 7.0); },
      [] { return WrongResults([](double& v) { return e_eval(u"(2^10-24)/8", &v, 0); }, 125.0); });
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 0);
}

// Each evaluation follows its own setting of x, so a session that saw the other's x would fail.
int WrongWithOwnX(exports::Session& session, std::u16string_view x, std::u16string_view formula, double expected) {
  engine::Engine& e = session.engine;
  return WrongResults(
      [&](double& v) {
        engine::SetVarFunct(e.core, e.vars, u"x", x, false);
        return engine::e_eval(e, formula, &v, false);
      },
      expected);
}

TEST(ThreadsTest, SessionsOfTheirOwnOnTwoThreadsNeverMeet) {
  exports::Session one;
  exports::Session two;
  const auto [first, second] = OnTwoThreads([&] { return WrongWithOwnX(one, u"2", u"x*x+1", 5.0); },
                                            [&] { return WrongWithOwnX(two, u"10", u"x/4-1", 1.5); });
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 0);
}

// Contexts of the UTF-8 interface, one per thread, each with a variable and a compiled formula.
int WrongInContextOfItsOwn(double k) {
  morvane_context* context = morvane_context_new();
  morvane_error error;
  morvane_set_variable(context, "k", k, &error);
  const char* x = "x";
  morvane_formula* formula = morvane_compile(context, "k*x + 1", &x, 1, &error);
  int wrong = 0;
  for (int i = 0; i < kCalls / 4; ++i) {
    double value = 0.0;
    if (morvane_formula_set(formula, "x", i, &error) != MORVANE_OK ||
        morvane_formula_eval(formula, &value, &error) != MORVANE_OK || value != k * i + 1)
      ++wrong;
    if (morvane_eval(context, "k*2", &value, &error) != MORVANE_OK || value != k * 2) ++wrong;
  }
  morvane_formula_free(formula);
  morvane_context_free(context);
  return wrong;
}

TEST(ThreadsTest, ContextsOnTwoThreadsNeverMeet) {
  const auto [first, second] = OnTwoThreads([] { return WrongInContextOfItsOwn(3); },
                                            [] { return WrongInContextOfItsOwn(-7); });
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 0);
}

// Sessions on two threads replacing the same file: what is left is one of the two texts whole.
TEST(ThreadsTest, SessionsReplacingOneFileEachWriteItWhole) {
  const std::u16string path = u"threads_test_replaced.txt";  // in the build's own folder
  const std::string texts[] = {std::string(100'000, 'a'), std::string(50'000, 'b')};
  exports::Session one;
  exports::Session two;
  auto failedWrites = [&](exports::Session& session, const std::string& text) {
    int failed = 0;
    for (int i = 0; i < 200; ++i) failed += session.services->WriteFile(path, text, false) ? 0 : 1;
    return failed;
  };
  [[maybe_unused]] const auto [first, second] = OnTwoThreads([&] { return failedWrites(one, texts[0]); },
                                                             [&] { return failedWrites(two, texts[1]); });
#ifndef _WIN32
  // rename replaces atomically, so every replacement succeeds. Windows refuses to replace a file
  // that another thread is replacing at that moment: such a write fails, and says so.
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 0);
#endif
  const std::optional<std::string> left = one.services->ReadFile(path);
  EXPECT_TRUE(left == texts[0] || left == texts[1]);
  std::filesystem::remove(std::filesystem::path(path));
}

}  // namespace
