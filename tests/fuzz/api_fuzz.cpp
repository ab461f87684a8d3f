// SPDX-License-Identifier: MIT
// Fuzz target: the input is a formula in UTF-8, evaluated as text and compiled with x and y as
// its parameters, in every combination of numbers and spelling. The two must agree: the same
// bits (any NaN equal to any other), or the same error at the same place. Where the compiler
// refuses the text, the text fails alike, or on its values before it comes to the place the
// compiler refused. At two points at once, the formula gives the same as the call did at each.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "morvane/api.h"

namespace {

constexpr double kX = 1.0 / 3.0;  // more digits than classic numbers keep
constexpr double kY = -2.5;
const char* const kParameters[] = {"x", "y"};

bool SameBits(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool IsFailureOfValues(int code) {
  return code == MORVANE_ERROR_DIVISION_BY_ZERO || code == MORVANE_ERROR_NOT_INTEGER ||
         code == MORVANE_ERROR_INVALID_ARGUMENT || code == MORVANE_ERROR_OVERFLOW;
}

// rnd draws anew on each evaluation, so the two need not agree.
bool DrawsRandomNumbers(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text.find("rnd") != std::string::npos;
}

void Check(const morvane_options& options, const char* text, bool compare) {
  morvane_context* context = morvane_context_new_with(&options);
  if (context == nullptr) __builtin_trap();
  morvane_error error{};
  if (morvane_set_variable(context, "x", kX, &error) != MORVANE_OK ||
      morvane_set_variable(context, "y", kY, &error) != MORVANE_OK)
    __builtin_trap();

  double expected = 0.0;
  morvane_error textError{};
  const int textCode = morvane_eval(context, text, &expected, &textError);

  morvane_error compileError{};
  morvane_formula* formula = morvane_compile(context, text, kParameters, 2, &compileError);
  if (formula == nullptr) {
    const bool failsEarlier = IsFailureOfValues(textCode) && textError.position <= compileError.position;
    if (compare && !failsEarlier &&
        (compileError.code == MORVANE_OK || textCode != compileError.code ||
         textError.position != compileError.position))
      __builtin_trap();
  } else {
    if (morvane_formula_set(formula, "x", kX, &error) != MORVANE_OK ||
        morvane_formula_set(formula, "y", kY, &error) != MORVANE_OK)
      __builtin_trap();
    double value = 0.0;
    morvane_error formulaError{};
    const int code = morvane_formula_eval(formula, &value, &formulaError);
    const bool same = code == textCode && (code == MORVANE_OK ? SameBits(value, expected)
                                                                : formulaError.position == textError.position);
    if (compare && !same) __builtin_trap();
    const double xs[] = {kX, kX};
    const double ys[] = {kY, kY};
    const double* const inputs[] = {xs, ys};
    double values[2] = {};
    std::size_t failedAt = 0;
    const int arrayCode = morvane_formula_eval_array(formula, inputs, 2, values, &failedAt, &formulaError);
    const bool sameAtOnce = arrayCode == code && failedAt == (code == MORVANE_OK ? std::size_t{2} : std::size_t{0}) &&
                            (code != MORVANE_OK || (SameBits(values[0], value) && SameBits(values[1], value)));
    if (compare && !sameAtOnce) __builtin_trap();
    morvane_formula_free(formula);
  }
  morvane_context_free(context);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The interface takes zero-terminated text: a zero byte ends the formula.
  const std::string text(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
  const bool compare = !DrawsRandomNumbers(text);
  for (const int numbers : {MORVANE_NUMBERS_DOUBLE, MORVANE_NUMBERS_CLASSIC})
    for (const int spelling : {MORVANE_SPELLING_PROGRAMMER, MORVANE_SPELLING_CLASSIC})
      Check(morvane_options{numbers, spelling}, text.c_str(), compare);
  return 0;
}
