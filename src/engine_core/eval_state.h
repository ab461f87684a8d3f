// SPDX-License-Identifier: MIT
// The evaluator state every engine procedure shares: the text being evaluated, the current
// token, the error code and the evaluator's switches.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "engine_core/error_codes.h"

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

// messageFlag bit: some errors (a parser syntax error, a refused switch, a bad integration
// call) are also told at once, to the debug output or in a message box.
inline constexpr std::int32_t kShowErrors = 1;

inline constexpr std::size_t kNowhere = static_cast<std::size_t>(-1);

struct EvalState {
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
  std::int32_t e_error = -1;       // current error code; -1 means no error
  std::int8_t resultType = -1;     // type of the last result: 0 number, 1 matrix, -1 none
  std::int8_t evaluating = 0;      // -1 while e_eval parses; marks matrices made meanwhile
  std::int32_t lastRows = 0;       // dimensions of the last matrix operand or result
  std::int32_t lastCols = 0;
  std::int32_t BoolSign = -1;      // value a true comparison yields: -1 or 1
  std::int32_t messageFlag = 0;    // kShowErrors and other bits set by ShowMsgs
  std::int32_t runCount = 0;       // e_eval calls since load, for the trace only
  std::int32_t nxtDepth = 0;       // nesting of the tokenizer, for trace labels
  std::int32_t prsDepth = 0;       // nesting of the parser: trace labels and the depth limit
  std::u16string nameBuf;          // lower-cased name of the current word token
  std::minstd_rand rng{20260101};  // behind rnd()

  bool ok() const { return e_error == Code(EvalError::None); }
  void Clear() { e_error = Code(EvalError::None); }
  void Fail(EvalError code) { e_error = Code(code); }
  std::size_t position() const { return expression.size() - remaining.size(); }
  // Where in expression the run's error was found: at the token being read then.
  std::size_t failurePlace() const { return reportedAt != kNowhere ? reportedAt : tokenAt; }
};

// The text of the current token's kind, as trace lines and messages show it ("num", "+", "sum").
std::u16string TokText(const EvalState& state);

// The current token's text; a resolved name shows its 10-decimal value.
std::u16string ElementText(const EvalState& state);

}  // namespace engine
