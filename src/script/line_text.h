// SPDX-License-Identifier: MIT
// The one renderer of line records: the output text a script run writes, every caption, blank
// and line end of it, and the one-line note that live results show beside a line.
#pragma once

#include <cstdint>
#include <string>

#include "engine_core/formula_settings.h"
#include "script/line_record.h"

namespace script {

struct TextStyle {
  std::int32_t decimals = 4;  // decimals of every number in classic numbers
  engine::Numbers numbers = engine::Numbers::Classic;
  bool bare = false;          // captions left out of the results
  bool quiet = false;         // echo lines only for lines that failed
};

// Appends the record's output text: its echo line, its result and the blank line after it.
void AppendLineText(std::u16string& out, const LineRecord& record, const TextStyle& style);

// The record's answer on one line, without the echo of the line itself: lines are joined by
// " | ", tabs and runs of blanks go, and a text over maxChars ends in "...". Empty for a line
// that answers nothing (a definition other than a variable's, a setting).
std::u16string NoteText(const LineRecord& record, const TextStyle& style, std::size_t maxChars);

// A number as results write it: every digit it needs in double numbers, else the decimals.
std::u16string NumberText(double value, const TextStyle& style);

// A matrix's elements as results list them: "V(i)=" for a vector, "A(i,j)=" and a tab for each
// element of a matrix, rows on lines of their own.
std::u16string ElementListing(const MatrixValue& matrix, const TextStyle& style);

// "ERROR n. = 3: Parser syntax error (Module: eval)", the error as results show it.
std::u16string FailureText(const LineFailure& failure);

}  // namespace script
