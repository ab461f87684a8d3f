// SPDX-License-Identifier: MIT
// The differentiator's state: its node table, the text being parsed and its trace switch.
// One differentiation runs at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace engine {
struct Core;
}

namespace diff {

// Token and node kinds.
enum NodeCode : std::int32_t {
  kEnd = 0, kOpen = 1, kClose = 2, kPlus = 3, kMinus = 4, kTimes = 5, kDivide = 6,
  kNumber = 7, kName = 8, kNegate = 9,
  kCos = 10, kSin = 11, kTg = 12, kCtg = 13, kAbs = 14, kSgn = 15, kSqrt = 16, kLn = 17,
  kExp = 18, kArcsin = 19, kArccos = 20, kArctg = 21, kArcctg = 22, kSh = 23, kCh = 24,
  kTh = 25, kCth = 26, kHeaviside = 27, kLog10 = 28, kLastFunction = 30,
  kPower = 31,
};

inline bool IsFunction(std::int32_t code) { return code >= kCos && code <= kLastFunction; }

// What a failed differentiation leaves in the shared error code; its own numbering, described
// by the differentiator's rows of the error table.
enum DiffFailure : std::int32_t {
  kTooLong = 1,
  kWrongNumber = 2,
  kWrongFirstOperand = 3,
  kWrongBrackets = 4,
  kWrongPower = 5,
  kErrorInFormula = 6,
  kEmptyFormula = 7,
  kDivisionByZero = 8,
};

inline constexpr std::int32_t kMaxNodes = 5000;

struct DiffNode {
  std::int32_t opCode = 0;  // node kind (NodeCode)
  std::u16string con;       // number text, name, or function name as written
  std::int32_t l = 0;       // left operand, function argument, negated operand, power base
  std::int32_t r = 0;       // right operand or exponent
};

struct DiffState {
  std::int32_t Index = 0;                  // nodes in use, numbered from 1
  std::u16string formula = u"0";           // the text being parsed
  std::u16string varName = u"t";           // variable of differentiation
  std::uint8_t diffErr = 0;                // 0, 1 error while parsing or simplifying, 7 empty formula
  std::int32_t bc = 0;                     // open brackets not yet closed
  std::int32_t prevTok = 0;                // code of the token before lgtNum
  std::int32_t lgtNum = 0;                 // code of the last token read
  std::size_t pos = 0;                     // 0-based read position in formula
  std::int32_t rootExpr = 0;               // root of the parsed formula
  std::int32_t rootDiff = 0;               // root of the parsed derivative
  std::int32_t depth = 0;                  // recursion depth of the parser and the tree walkers
  bool tooLong = false;                    // a walk went too deep or its text too long: stop
  std::vector<DiffNode> t = std::vector<DiffNode>(kMaxNodes + 1);  // the node table
  std::uint8_t traceMode = 0;              // 0 off, 1 file, 2 message boxes, 3 counted only
  std::u16string traceFile;                // trace file; "Derive.Log" when empty
  std::int32_t traceLine = 0;              // trace lines written
  std::u16string callPath;                 // "/"-separated titles of open trace entries
  std::u16string indent;                   // one blank per open trace entry
};

// What every differentiator procedure works on.
struct Diff {
  engine::Core& core;  // the shared error code, logs and platform services
  DiffState& s;
};

// Nesting deeper than this, in the parser or a tree walk, ends the run as a too long formula.
inline constexpr std::int32_t kMaxDepth = 1000;

// Marks an error: diffErr 1 and a trace entry "ERR, " + message.
void DiffError(Diff& d, std::u16string_view message);

// Writes one trace line (title, text) when the trace is on.
void DiffTrace(Diff& d, std::u16string_view title, std::u16string_view text);

// Index, roots and the formula back to their start values.
void ResetDiffTree(DiffState& s);

}  // namespace diff
