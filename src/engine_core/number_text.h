// SPDX-License-Identifier: MIT
// Number text as the engine writes and reads it: fixed 10-decimal text, its short form, and
// the lenient decimal reading used for number tokens and stored variable values.
#pragma once

#include <cmath>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine_core/formula_settings.h"

namespace engine {

// Fixed text with `decimals` digits after the point, the same on every platform. Infinities are
// written "1.#INF000000" / "-1.#INF000000" (padded to the decimals), NaN "-1.#IND000000".
std::u16string FormatFixed(double value, int decimals = 10);

// Short form of a 10-decimal text: leading junk, trailing zeros and a bare point removed.
std::u16string StrD0(std::u16string_view text);

// Appends StrD0(FormatFixed(value)) to out without building the intermediate texts: the
// per-sample text of integration and tabulation.
void AppendShortFixed(std::u16string& out, double value);

// The number AppendShortFixed's text of value reads back as (ParseDecimal), by writing it.
double ShortFixedValueOfText(double value);

// The same number for a finite value, without writing the text where it can: the value a
// sample enters a formula with. Inline, as each sample of an integration asks.
inline double ShortFixedValue(double value) {
  // Up to here |value| * 10^10 stays below 2^53: the text's digits are the integer n nearest to
  // that product, and reading them back is one correctly rounded division n / 10^10.
  constexpr double kFastLimit = 900719.0;
  const double magnitude = std::fabs(value);
  if (magnitude < kFastLimit) {
    const double product = magnitude * 1e10;
    const auto whole = static_cast<std::int64_t>(product);
    const double fraction = product - static_cast<double>(whole);  // exact below 2^53
    // Rounding up or down is a flag added, not a branch: the fraction is anyone's guess.
    const auto nearest = [&](bool up) {
      return std::copysign(static_cast<double>(whole + static_cast<std::int64_t>(up)) / 1e10, value);
    };
    if (fraction != 0.5) [[likely]] return nearest(fraction > 0.5);
    // A product that rounded onto a half: its rounding error, which fma gives exactly, says on
    // which side of the half the exact product lies. An exact half is left to the text.
    const double error = std::fma(magnitude, 1e10, -product);
    if (error != 0.0) return nearest(error > 0.0);
  }
  return ShortFixedValueOfText(value);
}

// The shortest digits that read back as value ("0.1", "6.626e-34", "1e+22"); a value that is
// not finite is written as FormatFixed writes it.
void AppendShortest(std::u16string& out, double value);

// A value written where a short number belongs (a stored result, a matrix element kept as text,
// a derivative's constant, a root): the short 10-decimal text, or in double numbers the
// shortest digits that read back to the same double.
void AppendValueText(std::u16string& out, Numbers numbers, double value);
std::u16string ValueText(Numbers numbers, double value);

// The number a finite value enters a formula with: its short 10-decimal reading, or itself.
inline double EnteredValue(Numbers numbers, double value) {
  return numbers == Numbers::Double ? value : ShortFixedValue(value);
}

// The value of the longest decimal prefix of text (blanks, sign, digits, one point, digits,
// optional exponent), or 0 when there is none; never fails.
double ParseDecimal(std::u16string_view text);

// Value of a number token (digits and points only); reads up to a second point.
double ParseNumberToken(std::u16string_view digits);

// Value of a number literal: digits with at most one point, and an exponent ("2.5e-3") where
// the caller has taken one. Too large a literal is infinite, too small a one zero.
double ParseNumberLiteral(std::u16string_view literal);

// The value as it reads back from its 10-decimal text: how variables and constants enter a
// formula. Infinities and NaN pass through unchanged.
double RoundTo10Decimals(double value);

// Truncation toward zero to a 32-bit integer, saturating; NaN gives 0.
std::int32_t TruncToInt32(double value);

std::u16string ToU16(std::string_view ascii);
// A whole number as decimal text: "-12".
template <std::integral Integer>
std::u16string IntegerText(Integer n) {
  return ToU16(std::to_string(n));
}
std::string ToNarrowLossy(std::u16string_view text);

}  // namespace engine
