// SPDX-License-Identifier: MIT
// The tokenizer's cursor: the text being evaluated, what is left of it, and the current token.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace engine {

// Kinds of token left in e_tok. Words of the three fixed name lists have a kind each; any
// other single character is Char with the character in tokChar.
enum class Tok : std::uint8_t {
  End,
  Matrix, Const, Hex, Bin, Num, Id,
  // matrix functions
  Det, Trace, Syst, Vcoeff,
  // list functions
  Min, Max, Avg, Sum, Sum2, Prod, Prod2, Stddev, Count, GeomMean, Median, Mean,
  // operator words
  And, Eqv, Imp, Mod, Not, Or, Xor,
  // two-character and bracket-led comparisons
  Lt, Le, Ne, Gt, Ge, Shr,
  Char,
};

inline constexpr std::size_t kNowhere = static_cast<std::size_t>(-1);

struct TokenCursor {
  std::u16string expression;       // the whole text being evaluated, after the pre-passes
  std::u16string_view remaining;   // the not yet tokenized rest of expression
  Tok e_tok = Tok::End;            // kind of the current token
  char16_t tokChar = 0;            // the character of a Tok::Char token
  std::u16string_view element;     // text of the current token (into expression or nameBuf)
  std::size_t tokenAt = 0;         // where the current token starts in expression
  std::size_t reportedAt = kNowhere;  // tokenAt at the run's first error report
  bool elementIsValue = false;     // element stands for tokenValue (a resolved name)
  char16_t matrSuffix = 0;         // 'I', 'T', 'D' written right after a matrix name, else 0
  double tokenValue = 0.0;         // value of a variable or constant found by the tokenizer
  std::int32_t slot = -1;          // the caller's parameter a number token reads, -1 for none
  std::int32_t builtin = -1;       // built-in function an Id token names, -1 for none
  std::int32_t nxtDepth = 0;       // nesting of the tokenizer, for trace labels
  std::u16string nameBuf;          // lower-cased name of the current word token

  std::size_t position() const { return expression.size() - remaining.size(); }
  // Where in expression the run's error was found: at the token being read then.
  std::size_t failurePlace() const { return reportedAt != kNowhere ? reportedAt : tokenAt; }
};

// The text of the current token's kind, as trace lines and messages show it ("num", "+", "sum").
std::u16string TokText(const TokenCursor& cursor);

// The current token's text; a resolved name shows its 10-decimal value.
std::u16string ElementText(const TokenCursor& cursor);

}  // namespace engine
