// SPDX-License-Identifier: MIT
#include "engine/parser.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/builtins.h"
#include "engine/formula_recorder.h"
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
  BinaryOp op = BinaryOp::None;
  int threshold = 0;   // applied by a call whose level is at most this
  int rightLevel = 0;  // level its right operand is parsed at
};

struct OperatorTables {
  std::array<Binary, static_cast<std::size_t>(Tok::Char) + 1> byToken{};
  std::array<Binary, 128> byChar{};  // the one-character operators
};

// Looked up rather than chosen by comparisons: every operand of every formula asks.
constexpr OperatorTables kOperators = [] {
  OperatorTables t;
  const auto set = [](Binary& entry, BinaryOp op, int threshold) { entry = {op, threshold, threshold + 1}; };
  set(t.byChar[u'^'], BinaryOp::Pow, 11);
  set(t.byChar[u'*'], BinaryOp::Mul, 10);
  set(t.byChar[u'/'], BinaryOp::Div, 10);
  set(t.byChar[u'\\'], BinaryOp::IntDiv, 9);
  set(t.byChar[u'+'], BinaryOp::Add, 7);
  set(t.byChar[u'-'], BinaryOp::Sub, 7);
  set(t.byChar[u'='], BinaryOp::Eq, 6);
  const auto token = [&](Tok tok) -> Binary& { return t.byToken[static_cast<std::size_t>(tok)]; };
  set(token(Tok::Mod), BinaryOp::Mod, 8);
  set(token(Tok::Lt), BinaryOp::Lt, 6);
  set(token(Tok::Gt), BinaryOp::Gt, 6);
  set(token(Tok::Ne), BinaryOp::Ne, 6);
  set(token(Tok::Le), BinaryOp::Le, 6);
  set(token(Tok::Ge), BinaryOp::Ge, 6);
  set(token(Tok::And), BinaryOp::And, 5);
  set(token(Tok::Or), BinaryOp::Or, 4);
  set(token(Tok::Xor), BinaryOp::Xor, 3);
  return t;
}();

// The binary operator the current token stands for, with its precedence (op None for none).
inline Binary BinaryAt(const TokenCursor& cursor) {
  if (cursor.e_tok != Tok::Char) return kOperators.byToken[static_cast<std::size_t>(cursor.e_tok)];
  return cursor.tokChar < kOperators.byChar.size() ? kOperators.byChar[cursor.tokChar] : Binary{};
}

bool IsChar(const TokenCursor& cursor, char16_t c) { return cursor.e_tok == Tok::Char && cursor.tokChar == c; }

// Arguments are separated by ";", and in the programmer spelling by "," too.
bool IsSeparator(const Engine& engine) {
  const TokenCursor& cursor = engine.core.cursor;
  return IsChar(cursor, u';') || (engine.core.settings.programmer() && IsChar(cursor, u','));
}

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
  // The place is kept before the call or list around the missing operand reads on.
  if (core.cursor.reportedAt == kNowhere) core.cursor.reportedAt = core.cursor.tokenAt;
  if (core.options.messageFlag & kShowErrors) {
    std::u16string report(ReportEvalError(core, site::kParser, u""));
    DebugAdd(core,
             u"Procedure: e_prs\r\nSyntax error, token = '" + ElementText(core.cursor) +
                 u"'\r\n\r\nDebug:\r\n" + report,
             u"EqParser: Error", true);
  }
  core.state.Fail(EvalError::ParserSyntax);
}

// What the parser does with each piece it reads when it evaluates as it reads: the value at
// once, matrices handed to the matrix operations.
class Evaluation {
 public:
  using Value = double;

  explicit Evaluation(Engine& engine) : engine_(engine) {}

  bool Tracing() const { return DebugOn(engine_.core.log); }
  static double Traced(double value) { return value; }
  static double Number(double value) { return value; }
  static double Parameter(std::int32_t, double value) { return value; }
  double Builtin(int index, double argument) { return CallBuiltin(engine_.core, index, argument); }
  double Builtin2(int index, double a, double b) { return CallBuiltin2(engine_.core, index, a, b); }
  static double Not(double value) { return static_cast<double>(~TruncToInt32(value)); }
  double Negate(double value, std::int8_t& type) {
    if (type == 0) return -value;
    return matrix::CalcMatrixDivMult(engine_.core, engine_.matrices, u'*', value, -1.0, type, 0);
  }
  // A matrix operand of "^ * / + -" goes to the matrix operations; every other operator reads
  // its operands as numbers.
  double Binary(BinaryOp op, double a, double b, std::int8_t& type, std::int8_t typeB) {
    Core& core = engine_.core;
    matrix::MatrixStore& store = engine_.matrices;
    if (type != 0 || typeB != 0) {
      switch (op) {
        case BinaryOp::Pow: return matrix::CalcMatrixDivMult(core, store, u'^', a, b, type, typeB);
        case BinaryOp::Mul: return matrix::CalcMatrixDivMult(core, store, u'*', a, b, type, typeB);
        case BinaryOp::Div: return matrix::CalcMatrixDivMult(core, store, u'/', a, b, type, typeB);
        case BinaryOp::Add: return matrix::CalcMatrixSumSubt(core, store, u'+', a, b, type, typeB);
        case BinaryOp::Sub: return matrix::CalcMatrixSumSubt(core, store, u'-', a, b, type, typeB);
        default: break;
      }
    }
    type = 0;
    return NumberArithmetic(core, op, a, b);
  }
  static double List(Tok fn, std::span<const double> values) { return ListFunctionValue(fn, values); }
  double MatrixFunction(std::u16string_view name, double a, double b, double c, std::int8_t& type,
                        std::int8_t typeB, std::int8_t typeC) {
    return matrix::CalcMatrFunct(engine_.core, engine_.matrices, name, a, b, c, type, typeB, typeC);
  }
  double MatrixOperand(std::u16string_view name, char16_t suffix, std::int8_t& type) {
    const double value = matrix::MatrixOperand(engine_.core, engine_.matrices, name, suffix);
    if (!engine_.core.state.ok()) {
      ReportEvalError(engine_.core, site::kParser, u"");
      return engine_.core.state.e_error;
    }
    type = 1;
    return value;
  }

 private:
  Engine& engine_;
};

// The grammar of formulas, read by precedence climbing over the tokenizer's stream; what
// becomes of each piece is the semantics' business.
template <typename Semantics>
class Parser {
 public:
  using Value = typename Semantics::Value;

  Parser(Engine& engine, Semantics& semantics) : engine_(engine), s_(engine.core.state), cursor_(engine.core.cursor), sem_(semantics) {}

  // expr(level) -> operand { binop expr(rightLevel of binop) }   while threshold >= level
  Value Expression(int level, std::int8_t& type) {
    const ScopedDepth depth(s_.prsDepth);  // also labels the trace
    const bool tracing = sem_.Tracing();
    if (tracing) TraceParser(engine_.core, true, 0.0);
    if (depth.deeperThan(kMaxNesting)) {
      Fail(engine_, EvalError::ParserSyntax, u"Nesting deeper than 256 levels\r\n");
      return Value{};
    }

    std::int8_t valueType = type;
    Value value = Operand(valueType);
    while (s_.ok() && cursor_.e_tok != Tok::End) {
      const Binary binary = BinaryAt(cursor_);
      if (binary.op == BinaryOp::None || binary.threshold < level) break;
      e_nxt(engine_);
      std::int8_t typeB = 0;
      Value b = Expression(binary.rightLevel, typeB);
      if (!s_.ok()) break;
      value = sem_.Binary(binary.op, value, b, valueType, typeB);
    }
    type = valueType;
    if (tracing) TraceParser(engine_.core, false, sem_.Traced(value));
    return value;
  }

 private:
  // operand -> number | hex | bin | matrix | const | "(" expr ")" | ("-" | "+") operand
  //          | "not" operand | name "(" expr [sep expr] ")" | listfn "(" expr {sep expr} ")"
  //          | matrfn "(" args ")"
  Value Operand(std::int8_t& type) {
    switch (cursor_.e_tok) {
      case Tok::Hex: return Number(HexValue(cursor_.element), type);
      case Tok::Bin: return Number(BinToDec(cursor_.element), type);
      case Tok::Num:
        if (cursor_.slot >= 0) {
          const std::int32_t slot = cursor_.slot;
          const double value = cursor_.tokenValue;
          type = 0;
          e_nxt(engine_);
          return sem_.Parameter(slot, value);
        }
        return Number(cursor_.elementIsValue ? cursor_.tokenValue : ParseNumberLiteral(cursor_.element), type);
      case Tok::Const: return Number(e_function(engine_.core, std::u16string(cursor_.element), 0.0), type);
      case Tok::Id: return Call(type);
      case Tok::Not: {
        e_nxt(engine_);
        Value value = Expression(6, type);
        type = 0;
        return sem_.Not(value);
      }
      default: break;
    }
    if (IsChar(cursor_, u'-')) {
      e_nxt(engine_);
      Value value = Expression(11, type);
      return sem_.Negate(value, type);
    }
    if (IsChar(cursor_, u'+')) {
      e_nxt(engine_);
      return Expression(11, type);
    }
    if (IsChar(cursor_, u'(')) {
      e_nxt(engine_);
      Value value = Expression(1, type);
      e_match(engine_, Tok::Char, u')');
      return value;
    }
    if (IsListFunction(cursor_.e_tok)) {
      const Tok fn = cursor_.e_tok;
      e_nxt(engine_);
      e_match(engine_, Tok::Char, u'(');
      Value value = ListFunction(fn);
      type = 0;
      e_match(engine_, Tok::Char, u')');
      return value;
    }
    if (IsMatrixFunction(cursor_.e_tok)) return MatrixFunction(type);
    if (cursor_.e_tok == Tok::Matrix) {
      Value value = sem_.MatrixOperand(cursor_.element, cursor_.matrSuffix, type);
      if (s_.ok()) e_nxt(engine_);
      return value;
    }
    OperandExpected(engine_);
    return Value{};
  }

  // name "(" expr ")", or name "(" expr separator expr ")" for a function of two arguments.
  Value Call(std::int8_t& type) {
    const int builtin = cursor_.builtin;
    e_nxt(engine_);
    e_match(engine_, Tok::Char, u'(');
    std::int8_t argType = 0;
    Value argument = Expression(1, argType);
    RequireNumber(argType);
    std::optional<Value> second;
    if (BuiltinArguments(builtin) == 2) {
      MatchSeparator();
      second = Expression(1, argType);
      RequireNumber(argType);
    }
    e_match(engine_, Tok::Char, u')');
    type = 0;
    return second ? sem_.Builtin2(builtin, argument, *second) : sem_.Builtin(builtin, argument);
  }

  void MatchSeparator() {
    if (IsSeparator(engine_)) e_nxt(engine_);
    else e_match(engine_, Tok::Char, u';');
  }

  Value Number(double value, std::int8_t& type) {
    type = 0;
    e_nxt(engine_);
    return sem_.Number(value);
  }

  // The list functions (min, max, sum, ...) over ";"-separated arguments; the caller has
  // consumed the "(" and consumes the ")".
  Value ListFunction(Tok fn) {
    std::vector<Value> values;
    values.reserve(12);
    std::int8_t type = 0;
    values.push_back(Expression(1, type));
    RequireNumber(type);
    while (s_.ok() && IsSeparator(engine_)) {
      e_nxt(engine_);
      values.push_back(Expression(1, type));
      RequireNumber(type);
    }
    return sem_.List(fn, values);
  }

  // A matrix stands for its store handle, which is no number: a built-in or list function
  // given one refuses it rather than compute with the handle.
  void RequireNumber(std::int8_t& type) {
    if (type == 0) return;
    type = 0;
    if (!s_.ok()) return;
    s_.Fail(EvalError::InvalidArgument);
    ReportEvalError(engine_.core, site::kParser, u"A matrix where a number belongs\r\n");
  }

  Value MatrixFunction(std::int8_t& type) {
    const std::u16string name = TokText(cursor_);
    const Tok fn = cursor_.e_tok;
    e_nxt(engine_);
    e_match(engine_, Tok::Char, u'(');
    Value a = Expression(1, type);
    Value b{};
    Value c{};
    std::int8_t typeB = 0;
    std::int8_t typeC = 0;
    Value value = a;
    if (fn == Tok::Syst || fn == Tok::Vcoeff) {
      e_nxt(engine_);  // the separator, whatever it is
      b = Expression(1, typeB);
    }
    if (fn == Tok::Vcoeff) {
      e_nxt(engine_);
      c = Expression(1, typeC);
    }
    // An error in an argument stands: nothing is computed.
    if (s_.ok() && fn == Tok::Vcoeff && typeC != 0) {
      s_.Fail(EvalError::InvalidArgument);
      std::u16string report(ReportEvalError(engine_.core, site::kParser, u""));
      DebugAdd(engine_.core,
               u"Procedure: e_prs\r\nLast parameter must be numeric.\r\n\r\nDebug:\r\n" + report,
               u"EqParser: Error", true);
    } else if (s_.ok()) {
      value = sem_.MatrixFunction(name, a, b, c, type, typeB, typeC);
    }
    e_match(engine_, Tok::Char, u')');
    return value;
  }

  Engine& engine_;
  EvalState& s_;
  TokenCursor& cursor_;
  Semantics& sem_;
};

}  // namespace

std::int32_t e_match(Engine& engine, Tok expected, char16_t expectedChar) {
  EvalState& s = engine.core.state;
  TokenCursor& cursor = engine.core.cursor;
  if (s.ok() && (cursor.e_tok != expected || (expected == Tok::Char && cursor.tokChar != expectedChar))) {
    s.Fail(EvalError::TokenMatch);
    TokenCursor wanted;
    wanted.e_tok = expected;
    wanted.tokChar = expectedChar;
    ReportEvalError(engine.core, site::kTokenMatch,
                    u"Expected " + TokText(wanted) + u", got '" + ElementText(cursor) + u"'\r\n");
  }
  e_nxt(engine);
  return s.e_error;
}

double e_prs(Engine& engine, int level, std::int8_t& type) {
  Evaluation evaluation(engine);
  return Parser<Evaluation>(engine, evaluation).Expression(level, type);
}

FormulaRecorder::Piece RecordFormula(Engine& engine, FormulaRecorder& recorder, std::int8_t& type) {
  return Parser<FormulaRecorder>(engine, recorder).Expression(1, type);
}

}  // namespace engine
