// SPDX-License-Identifier: MIT
// The numbers written in selected text, and what they add up to: for a column of figures or a
// table with words between them, read the way the evaluator reads numbers.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plugin {

// Every number written in text (UTF-8): digits with at most one decimal point, "." or "," as the
// evaluator takes either, and a "-" written right before as its sign when no word or number
// stands right before that. A run of digits and points with more than one point (a date, an
// address, 1,234.5) is no number, nor are digits that are part of a word (x2, 3rd, &FF).
std::vector<double> NumbersIn(std::string_view text);

struct SelectionSum {
  std::size_t count = 0;
  double sum = 0.0;
  double average = 0.0;
  double minimum = 0.0;
  double maximum = 0.0;
};

// Nothing for no numbers.
std::optional<SelectionSum> Summarize(std::span<const double> numbers);

// "Sum = 10   Average = 2.5   Min = 1   Max = 4   Count = 4": one line, for the status bar.
std::u16string SummaryLine(const SelectionSum& summary);
// The same, one figure per line, for a call tip and the clipboard.
std::u16string SummaryLines(const SelectionSum& summary);

}  // namespace plugin
