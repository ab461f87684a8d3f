// SPDX-License-Identifier: MIT
// The two settings of a session that change what a formula means: how numbers are held and how
// formulas are spelled. One tokenizer, parser and evaluator serve every combination; each reads
// the setting where it matters.
#pragma once

#include <cstdint>

namespace engine {

enum class Numbers : std::uint8_t {
  // Values pass through their 10-decimal text and built-ins compute in single precision: the
  // numbers every saved script and caller of the process-wide exports has.
  Classic,
  // IEEE doubles end to end: values keep every bit, built-ins are the C library's, number
  // literals take an exponent and texts write the shortest digits that read back the same.
  Double,
};

enum class Spelling : std::uint8_t {
  // "," is a decimal point as "." is, ";" separates arguments, a true comparison is BoolSign.
  Classic,
  // "." is the decimal point and "," separates arguments as ";" does; "==", "!=", "&&" and
  // "||" stand beside "=", "<>", "and" and "or"; the plain function names (asin, pow, atan2,
  // floor, ...) are there too. A true comparison is 1.
  Programmer,
};

struct FormulaSettings {
  Numbers numbers = Numbers::Classic;
  Spelling spelling = Spelling::Classic;

  bool exact() const { return numbers == Numbers::Double; }
  bool programmer() const { return spelling == Spelling::Programmer; }
};

}  // namespace engine
