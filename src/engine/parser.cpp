// SPDX-License-Identifier: MIT
#include "engine/parser.h"

#include <string>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/builtins.h"
#include "engine/engine.h"
#include "engine/list_functions.h"
#include "engine/tokenizer.h"
#include "engine/trace.h"
#include "engine_core/number_text.h"
#include "engine_core/scoped_depth.h"
#include "matrix/matrix_ops.h"

namespace engine {
namespace {

struct Binary {
  BinaryOp op;
  int threshold;   // applied by a call whose level is at most this
  int rightLevel;  // level its right operand is parsed at
};

// The binary operator the current token stands for, with its precedence.
Binary BinaryAt(const EvalState& s) {
  switch (s.e_tok) {
    case Tok::Char:
      switch (s.tokChar) {
        case u'^': return {BinaryOp::Pow, 11, 12};
        case u'*': return {BinaryOp::Mul, 10, 11};
        case u'/': return {BinaryOp::Div, 10, 11};
        case u'\\': return {BinaryOp::IntDiv, 9, 10};
        case u'+': return {BinaryOp::Add, 7, 8};
        case u'-': return {BinaryOp::Sub, 7, 8};
        case u'=': return {BinaryOp::Eq, 6, 7};
        default: return {BinaryOp::None, 0, 0};
      }
    case Tok::Mod: return {BinaryOp::Mod, 8, 9};
    case Tok::Lt: return {BinaryOp::Lt, 6, 7};
    case Tok::Gt: return {BinaryOp::Gt, 6, 7};
    case Tok::Ne: return {BinaryOp::Ne, 6, 7};
    case Tok::Le: return {BinaryOp::Le, 6, 7};
    case Tok::Ge: return {BinaryOp::Ge, 6, 7};
    case Tok::And: return {BinaryOp::And, 5, 6};
    case Tok::Or: return {BinaryOp::Or, 4, 5};
    case Tok::Xor: return {BinaryOp::Xor, 3, 4};
    default: return {BinaryOp::None, 0, 0};
  }
}

bool IsChar(const EvalState& s, char16_t c) { return s.e_tok == Tok::Char && s.tokChar == c; }

bool IsListFunction(Tok t) { return t >= Tok::Min && t <= Tok::Mean; }
bool IsMatrixFunction(Tok t) { return t >= Tok::Det && t <= Tok::Vcoeff; }

void Fail(Engine& engine, EvalError code, std::u16string_view message) {
  if (!engine.core.state.ok()) return;
  engine.core.state.Fail(code);
  ReportEvalError(engine.core, site::kParser, message);
}

// hex -> "&" digits: the value of the hexadecimal digits up to the first other character, as a
// 64-bit integer that wraps on overflow.
double HexValue(std::u16string_view element) {
  std::uint64_t value = 0;
  for (char16_t c : element.substr(1)) {
    int digit = c >= u'0' && c <= u'9'   ? c - u'0'
                : c >= u'a' && c <= u'f' ? c - u'a' + 10
                : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                         : -1;
    if (digit < 0) break;
    value = value * 16 + static_cast<std::uint64_t>(digit);
  }
  return static_cast<double>(static_cast<std::int64_t>(value));
}

// bin -> "!" digits: a "1" at 1-based position i of a text of length L adds 2^(L-i); any digit
// other than 0 and 1 makes the whole value 0.
double BinToDec(std::u16string_view element) {
  double value = 0.0;
  double weight = 1.0;
  for (std::size_t i = element.size(); i-- > 1;) {
    if (element[i] == u'1') value += weight;
    else if (element[i] != u'0') return 0.0;
    weight *= 2.0;
  }
  return value;
}

// An unexpected token where an operand belongs: code 3, shown only when the caller asked.
void OperandExpected(Engine& engine) {
  Core& core = engine.core;
  if (!core.state.ok()) return;
  if (core.state.messageFlag & kShowErrors) {
    std::u16string report(ReportEvalError(core, site::kParser, u""));
    DebugAdd(core,
             u"Procedure: e_prs\r\nSyntax error, token = '" + ElementText(core.state) +
                 u"'\r\n\r\nDebug:\r\n" + report,
             u"EqParser: Error", true);
  }
  core.state.Fail(EvalError::ParserSyntax);
}

double MatrixFunction(Engine& engine, std::int8_t& type) {
  EvalState& s = engine.core.state;
  const std::u16string name = TokText(s);
  const Tok fn = s.e_tok;
  e_nxt(engine);
  e_match(engine, Tok::Char, u'(');
  double a = e_prs(engine, 1, type);
  double b = 0.0;
  double c = 0.0;
  std::int8_t typeB = 0;
  std::int8_t typeC = 0;
  double value = a;
  if (fn == Tok::Syst || fn == Tok::Vcoeff) {
    e_nxt(engine);  // the separator, whatever it is
    b = e_prs(engine, 1, typeB);
  }
  if (fn == Tok::Vcoeff) {
    e_nxt(engine);
    c = e_prs(engine, 1, typeC);
  }
  // An error in an argument stands: nothing is computed.
  if (s.ok() && fn == Tok::Vcoeff && typeC != 0) {
    s.Fail(EvalError::InvalidArgument);
    std::u16string report(ReportEvalError(engine.core, site::kParser, u""));
    DebugAdd(engine.core,
             u"Procedure: e_prs\r\nLast parameter must be numeric.\r\n\r\nDebug:\r\n" + report,
             u"EqParser: Error", true);
  } else if (s.ok()) {
    value = matrix::CalcMatrFunct(engine.core, engine.matrices, name, a, b, c, type, typeB, typeC);
  }
  e_match(engine, Tok::Char, u')');
  return value;
}

// operand -> number | hex | bin | matrix | const | "(" expr ")" | ("-" | "+") operand
//          | "not" operand | name "(" expr ")" | listfn "(" expr {";" expr} ")"
//          | matrfn "(" args ")"
double Operand(Engine& engine, std::int8_t& type) {
  EvalState& s = engine.core.state;
  double value = 0.0;
  switch (s.e_tok) {
    case Tok::Hex:
      value = HexValue(s.element);
      type = 0;
      e_nxt(engine);
      return value;
    case Tok::Bin:
      value = BinToDec(s.element);
      type = 0;
      e_nxt(engine);
      return value;
    case Tok::Num:
      value = s.elementIsValue ? s.tokenValue : ParseNumberToken(s.element);
      type = 0;
      e_nxt(engine);
      return value;
    case Tok::Const:
      value = e_function(engine.core, std::u16string(s.element), 0.0);
      type = 0;
      e_nxt(engine);
      return value;
    case Tok::Id: {
      const int builtin = s.builtin;
      e_nxt(engine);
      e_match(engine, Tok::Char, u'(');
      std::int8_t argType = 0;
      double argument = e_prs(engine, 1, argType);
      e_match(engine, Tok::Char, u')');
      type = 0;
      return CallBuiltin(engine.core, builtin, argument);
    }
    case Tok::Not:
      e_nxt(engine);
      value = e_prs(engine, 6, type);
      type = 0;
      return static_cast<double>(~TruncToInt32(value));
    default: break;
  }
  if (IsChar(s, u'-')) {
    e_nxt(engine);
    value = e_prs(engine, 11, type);
    if (type == 0) return -value;
    return matrix::CalcMatrixDivMult(engine.core, engine.matrices, u'*', value, -1.0, type, 0);
  }
  if (IsChar(s, u'+')) {
    e_nxt(engine);
    return e_prs(engine, 11, type);
  }
  if (IsChar(s, u'(')) {
    e_nxt(engine);
    value = e_prs(engine, 1, type);
    e_match(engine, Tok::Char, u')');
    return value;
  }
  if (IsListFunction(s.e_tok)) {
    const Tok fn = s.e_tok;
    e_nxt(engine);
    e_match(engine, Tok::Char, u'(');
    value = e_listfn(engine, fn);
    type = 0;
    e_match(engine, Tok::Char, u')');
    return value;
  }
  if (IsMatrixFunction(s.e_tok)) return MatrixFunction(engine, type);
  if (s.e_tok == Tok::Matrix) {
    value = matrix::MatrixOperand(engine.core, engine.matrices, s.element, s.matrSuffix);
    if (!s.ok()) {
      ReportEvalError(engine.core, site::kParser, u"");
      return s.e_error;
    }
    type = 1;
    e_nxt(engine);
    return value;
  }
  OperandExpected(engine);
  return value;
}

// A matrix operand of "^ * / + -" goes to the matrix operations; every other operator reads
// its operands as numbers.
double Apply(Engine& engine, BinaryOp op, double value, double b, std::int8_t& type, std::int8_t typeB) {
  Core& core = engine.core;
  if (type != 0 || typeB != 0) {
    switch (op) {
      case BinaryOp::Pow: return matrix::CalcMatrixDivMult(core, engine.matrices, u'^', value, b, type, typeB);
      case BinaryOp::Mul: return matrix::CalcMatrixDivMult(core, engine.matrices, u'*', value, b, type, typeB);
      case BinaryOp::Div: return matrix::CalcMatrixDivMult(core, engine.matrices, u'/', value, b, type, typeB);
      case BinaryOp::Add: return matrix::CalcMatrixSumSubt(core, engine.matrices, u'+', value, b, type, typeB);
      case BinaryOp::Sub: return matrix::CalcMatrixSumSubt(core, engine.matrices, u'-', value, b, type, typeB);
      default: break;
    }
  }
  type = 0;
  return NumberArithmetic(core, op, value, b);
}

}  // namespace

std::int32_t e_match(Engine& engine, Tok expected, char16_t expectedChar) {
  EvalState& s = engine.core.state;
  if (s.ok() && (s.e_tok != expected || (expected == Tok::Char && s.tokChar != expectedChar))) {
    s.Fail(EvalError::TokenMatch);
    EvalState wanted;
    wanted.e_tok = expected;
    wanted.tokChar = expectedChar;
    ReportEvalError(engine.core, site::kTokenMatch,
                    u"Expected " + TokText(wanted) + u", got '" + ElementText(s) + u"'\r\n");
  }
  e_nxt(engine);
  return s.e_error;
}

// expr(level) -> operand { binop expr(rightLevel of binop) }   while threshold >= level
double e_prs(Engine& engine, int level, std::int8_t& type) {
  EvalState& s = engine.core.state;
  const ScopedDepth depth(s.prsDepth);  // also labels the trace
  const bool tracing = DebugOn(engine.core.log);
  if (tracing) TraceParser(engine.core, true, 0.0);
  if (depth.deeperThan(kMaxNesting)) {
    Fail(engine, EvalError::ParserSyntax, u"Nesting deeper than 256 levels\r\n");
    return 0.0;
  }

  std::int8_t valueType = type;
  double value = Operand(engine, valueType);
  while (s.ok() && s.e_tok != Tok::End) {
    const Binary binary = BinaryAt(s);
    if (binary.op == BinaryOp::None || binary.threshold < level) break;
    e_nxt(engine);
    std::int8_t typeB = 0;
    double b = e_prs(engine, binary.rightLevel, typeB);
    if (!s.ok()) break;
    value = Apply(engine, binary.op, value, b, valueType, typeB);
  }
  type = valueType;
  if (tracing) TraceParser(engine.core, false, value);
  return value;
}

double e_listfn(Engine& engine, Tok name) {
  EvalState& s = engine.core.state;
  std::vector<double> values;
  values.reserve(12);
  std::int8_t type = 0;
  values.push_back(e_prs(engine, 1, type));
  while (s.ok() && IsChar(s, u';')) {
    e_match(engine, Tok::Char, u';');
    values.push_back(e_prs(engine, 1, type));
  }
  return ListFunctionValue(name, values);
}

}  // namespace engine
