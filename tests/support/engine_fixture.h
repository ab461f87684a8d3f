// SPDX-License-Identifier: MIT
// A fresh engine per test, with helpers that keep each case to one line.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine_core/error_log.h"
#include "engine_core/number_text.h"
#include "support/recording_services.h"

namespace testing_support {

// Printable form of UTF-16 text in assertion messages.
inline std::string Narrow(std::u16string_view text) { return engine::ToNarrowLossy(text); }

class EngineTest : public ::testing::Test {
 protected:
  RecordingServices services;
  engine::Engine eng{services};

  // The code e_eval returns (0 number, 1 matrix, else an error code) and the value.
  struct Outcome {
    std::int32_t code;
    double value;
  };
  Outcome Eval(std::u16string_view expr, bool checkFuncs = false) {
    double value = -12345.0;
    std::int32_t code = engine::e_eval(eng, expr, &value, checkFuncs);
    return {code, value};
  }
  std::int32_t Error() const { return eng.core.state.e_error; }
  const std::u16string& Log() const { return eng.core.log.messages; }
};

}  // namespace testing_support

// The formula evaluates to a number equal to value (to 1e-9 relative).
#define EXPECT_EVAL(expr, expected)                                                         \
  do {                                                                                      \
    auto outcome_ = Eval(expr);                                                             \
    EXPECT_EQ(outcome_.code, 0) << "formula: " << testing_support::Narrow(expr);            \
    EXPECT_NEAR(outcome_.value, (expected), 1e-9 * (1.0 + std::fabs(double(expected))))     \
        << "formula: " << testing_support::Narrow(expr);                                    \
  } while (0)

// The formula fails with the given evaluator code.
#define EXPECT_EVAL_ERROR(expr, expectedCode)                                               \
  do {                                                                                      \
    auto outcome_ = Eval(expr);                                                             \
    EXPECT_EQ(outcome_.code, (expectedCode)) << "formula: " << testing_support::Narrow(expr); \
    EXPECT_EQ(Error(), (expectedCode)) << "formula: " << testing_support::Narrow(expr);     \
  } while (0)
