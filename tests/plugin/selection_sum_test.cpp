// SPDX-License-Identifier: MIT
// Which numbers a selection holds: the cases where text around them could mislead.
#include "plugin/selection_sum.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(SelectionSumTest, NumbersAmongWords) {
  struct Case {
    const char* text;
    std::vector<double> numbers;
  };
  const Case cases[] = {
      {"rent 1200.50, food 310 and bus 45,5.", {1200.5, 310, 45.5}},  // list commas and a full stop
      {"x = -3, y = (-2) and 4-1", {-3, -2, 4, 1}},                     // a minus after a word or number is no sign
      {".5 and 0,25", {0.5, 0.25}},
      {"x2 v10a 3rd &FF !101 #pi", {}},                                 // digits inside words
      {"2026.12.08 192.168.0.1 1,234.5", {}},                          // more than one point
      {"größe 7 °C 12", {7, 12}},                                      // letters of any script
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(plugin::NumbersIn(c.text), c.numbers) << c.text;
}

TEST(SelectionSumTest, SummaryOfNumbers) {
  EXPECT_FALSE(plugin::Summarize({}));
  const std::vector<double> numbers = {4, -1.5, 0.5};
  const plugin::SelectionSum sum = *plugin::Summarize(numbers);
  EXPECT_EQ(sum.count, 3U);
  EXPECT_EQ(sum.sum, 3.0);
  EXPECT_EQ(sum.average, 1.0);
  EXPECT_EQ(sum.minimum, -1.5);
  EXPECT_EQ(sum.maximum, 4.0);
  EXPECT_EQ(plugin::SummaryLine(sum), u"Sum = 3   Average = 1   Min = -1.5   Max = 4   Count = 3");
}

}  // namespace
