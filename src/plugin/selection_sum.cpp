// SPDX-License-Identifier: MIT
#include "plugin/selection_sum.h"

#include <algorithm>

#include "engine_core/number_text.h"

namespace plugin {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsPoint(char c) { return c == '.' || c == ','; }
// Letters of any script count as word characters: UTF-8 bytes above 0x7F are never digits.
bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '&' || c == '!' || c == '#' ||
         static_cast<unsigned char>(c) > 0x7F;
}

// A number's text as the evaluator writes it: the decimal comma as a point.
double ValueOf(std::string_view digits) {
  std::u16string text(digits.begin(), digits.end());
  std::replace(text.begin(), text.end(), u',', u'.');
  return engine::ParseDecimal(text);
}

// The value with 10 decimals and no trailing zeros, as results are shown.
std::u16string Shown(double value) {
  std::u16string text;
  engine::AppendShortFixed(text, value);
  return text;
}

}  // namespace

std::vector<double> NumbersIn(std::string_view text) {
  std::vector<double> numbers;
  std::size_t i = 0;
  while (i < text.size()) {
    const bool startsNumber = IsDigit(text[i]) || (IsPoint(text[i]) && i + 1 < text.size() && IsDigit(text[i + 1]));
    if (!startsNumber) {
      ++i;
      continue;
    }
    // The run of digits and points, taken whole so that a date or 1,234.5 is never half read.
    std::size_t end = i;
    std::size_t points = 0;
    while (end < text.size() && (IsDigit(text[end]) || IsPoint(text[end]))) points += IsPoint(text[end++]) ? 1 : 0;
    // A point that ends the run ends a sentence or a list item: "3, 4 and 5."
    std::size_t digitsEnd = end;
    if (IsPoint(text[digitsEnd - 1])) {
      --digitsEnd;
      --points;
    }
    const bool partOfWord = (i > 0 && (IsWordChar(text[i - 1]) || IsDigit(text[i - 1]))) ||
                            (end < text.size() && IsWordChar(text[end]));
    if (!partOfWord && points <= 1) {
      const bool negative = i > 0 && text[i - 1] == '-' &&
                            (i == 1 || !(IsWordChar(text[i - 2]) || IsDigit(text[i - 2]) || IsPoint(text[i - 2]) ||
                                         text[i - 2] == ')'));
      const double value = ValueOf(text.substr(i, digitsEnd - i));
      numbers.push_back(negative ? -value : value);
    }
    i = end;
  }
  return numbers;
}

std::optional<SelectionSum> Summarize(std::span<const double> numbers) {
  if (numbers.empty()) return std::nullopt;
  SelectionSum summary;
  summary.count = numbers.size();
  summary.minimum = *std::ranges::min_element(numbers);
  summary.maximum = *std::ranges::max_element(numbers);
  for (double number : numbers) summary.sum += number;
  summary.average = summary.sum / static_cast<double>(summary.count);
  return summary;
}

std::u16string SummaryLine(const SelectionSum& s) {
  return u"Sum = " + Shown(s.sum) + u"   Average = " + Shown(s.average) + u"   Min = " + Shown(s.minimum) +
         u"   Max = " + Shown(s.maximum) + u"   Count = " + engine::IntegerText(s.count);
}

std::u16string SummaryLines(const SelectionSum& s) {
  return u"Sum = " + Shown(s.sum) + u"\r\nAverage = " + Shown(s.average) + u"\r\nMin = " + Shown(s.minimum) +
         u"\r\nMax = " + Shown(s.maximum) + u"\r\nCount = " + engine::IntegerText(s.count);
}

}  // namespace plugin
