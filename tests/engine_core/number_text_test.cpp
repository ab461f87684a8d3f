// SPDX-License-Identifier: MIT
// Fixed 10-decimal text, its short form, and the lenient decimal reading.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "engine_core/number_text.h"
#include "support/engine_fixture.h"

namespace {

using engine::FormatFixed;
using engine::ParseDecimal;
using testing_support::Narrow;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NumberTextTest, FormatFixedWritesTenDecimals) {
  const std::pair<double, const char*> cases[] = {
      {1.0 / 3, "0.3333333333"}, {2.0 / 3, "0.6666666667"}, {2, "2.0000000000"},
      {-0.0, "-0.0000000000"},   {1e-11, "0.0000000000"},   {0.00000000006, "0.0000000001"},
      {123456789.125, "123456789.1250000000"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(Narrow(FormatFixed(value)), text) << value;
  EXPECT_EQ(Narrow(FormatFixed(3.14159, 2)), "3.14");
  // Huge values are written in full, with no exponent.
  std::u16string huge = FormatFixed(1e300);
  EXPECT_EQ(huge.size(), 301u + 11u);
  EXPECT_EQ(Narrow(huge.substr(0, 4)), "1000");
}

TEST(NumberTextTest, NonFiniteValuesFillTheDecimalsWithTheirMarker) {
  // "#INF" and "#IND" take four of the decimal places.
  EXPECT_EQ(Narrow(FormatFixed(kInf)), "1.#INF000000");
  EXPECT_EQ(Narrow(FormatFixed(-kInf)), "-1.#INF000000");
  EXPECT_EQ(Narrow(FormatFixed(kNaN)), "-1.#IND000000");
  EXPECT_EQ(Narrow(FormatFixed(kInf, 6)), "1.#INF00");
}

TEST(NumberTextTest, StrD0ShortensTenDecimalText) {
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"2.5000000000", "2.5"},   {u"100.0000000000", "100"}, {u"0.0000000000", "0"},
      {u" -3.1400000000", "-3.14"}, {u".5000000000", "0.5"},  {u"-0.0000000000", "-0"},
      {u"1.#INF000000", "1.#INF"}, {u"abc", "0"},             {u"", "0"},
      {u"x=12.0100000000", "12.01"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Narrow(engine::StrD0(in)), out) << Narrow(in);
}

TEST(NumberTextTest, ParseDecimalReadsTheLongestNumberPrefix) {
  const std::pair<const char16_t*, double> cases[] = {
      {u"  -3.5abc", -3.5}, {u"+2", 2},  {u".5", 0.5},       {u"1.2.3", 1.2}, {u"1e3", 1000},
      {u"2.5E-1", 0.25},    {u"1e+", 1}, {u"abc", 0},        {u"", 0},        {u"-.", 0},
      {u"0.1", 0.1},        {u"3.14159265358979323846", 3.141592653589793},
      {u"12345678901234567890", 12345678901234567890.0},     {u"1e-400", 0},  {u"1e400", kInf},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseDecimal(text), value) << Narrow(text);
}

TEST(NumberTextTest, ParseDecimalUnderflowsToZero) {
  // A value below the smallest double is 0 however it is written; infinity would turn a
  // negligible term into an overflow.
  EXPECT_EQ(ParseDecimal(u"1E-400"), 0.0);
  EXPECT_EQ(engine::ParseNumberToken(u"0." + std::u16string(400, u'0') + u"1"), 0.0);
}

TEST(NumberTextTest, RoundTo10DecimalsIsTheValueFormulasSee) {
  EXPECT_EQ(engine::RoundTo10Decimals(1e-12), 0.0);
  EXPECT_TRUE(std::signbit(engine::RoundTo10Decimals(-1e-12)));
  EXPECT_EQ(engine::RoundTo10Decimals(2.0 / 3), 0.6666666667);
  EXPECT_EQ(engine::RoundTo10Decimals(1e20), 1e20);
  EXPECT_EQ(engine::RoundTo10Decimals(-kInf), -kInf);
  EXPECT_TRUE(std::isnan(engine::RoundTo10Decimals(kNaN)));
}

TEST(NumberTextTest, TruncToInt32SaturatesAndTruncatesTowardZero) {
  const std::pair<double, std::int32_t> cases[] = {
      {kNaN, 0},   {1e10, INT32_MAX}, {-1e10, INT32_MIN}, {kInf, INT32_MAX},
      {-2.7, -2},  {2.999, 2},        {-0.5, 0},          {-2147483648.0, INT32_MIN},
  };
  for (const auto& [value, expected] : cases)
    EXPECT_EQ(engine::TruncToInt32(value), expected) << value;
}

}  // namespace
