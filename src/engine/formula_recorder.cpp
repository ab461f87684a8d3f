// SPDX-License-Identifier: MIT
#include "engine/formula_recorder.h"

#include <algorithm>

#include "engine/builtins.h"
#include "engine/list_functions.h"
#include "engine_core/number_text.h"

namespace engine {

FormulaRecorder::Piece FormulaRecorder::Refuse() {
  refused_ = true;
  // Any code stops the parse; the compiling engine is thrown away afterwards.
  if (state_.ok()) state_.Fail(EvalError::Undefined);
  return {};
}

FormulaRecorder::Piece FormulaRecorder::Emit(Instruction instruction) {
  code_.push_back(instruction);
  return {};
}

FormulaRecorder::Piece FormulaRecorder::Fold(std::size_t count, double value) {
  code_.resize(code_.size() - count);
  Emit({.kind = Instruction::Kind::Constant, .value = value});
  return {true, value};
}

FormulaRecorder::Piece FormulaRecorder::Number(double value) {
  Emit({.kind = Instruction::Kind::Constant, .value = value});
  return {true, value};
}

FormulaRecorder::Piece FormulaRecorder::Parameter(std::int32_t slot, double) {
  return Emit({.kind = Instruction::Kind::Slot, .index = slot});
}

FormulaRecorder::Piece FormulaRecorder::Builtin(int index, Piece argument) {
  // rnd draws from the state at each call, so only the evaluating parser may call it.
  if (index < 0 || IsRandomBuiltin(index)) return Refuse();
  if (argument.constant) {
    // A domain failure is left to the evaluation, which hands it to the text path to report.
    if (const std::optional<double> value = BuiltinValue(index, argument.value)) return Fold(1, *value);
  }
  return Emit({.kind = Instruction::Kind::Builtin, .index = index});
}

FormulaRecorder::Piece FormulaRecorder::Builtin2(int index, Piece a, Piece b) {
  if (a.constant && b.constant) return Fold(2, BuiltinValue2(index, a.value, b.value));
  return Emit({.kind = Instruction::Kind::Builtin2, .index = index});
}

FormulaRecorder::Piece FormulaRecorder::Not(Piece value) {
  if (value.constant) return Fold(1, static_cast<double>(~TruncToInt32(value.value)));
  return Emit({.kind = Instruction::Kind::Not});
}

FormulaRecorder::Piece FormulaRecorder::Negate(Piece value, std::int8_t&) {
  if (value.constant) return Fold(1, -value.value);
  return Emit({.kind = Instruction::Kind::Negate});
}

FormulaRecorder::Piece FormulaRecorder::Binary(BinaryOp op, Piece a, Piece b, std::int8_t& type, std::int8_t) {
  type = 0;
  // A comparison's true is the sign set when it is evaluated, so comparisons are never folded.
  const bool comparison = op >= BinaryOp::Eq && op <= BinaryOp::Ge;
  if (a.constant && b.constant && !comparison) {
    if (const std::optional<double> value = NumberResult(op, a.value, b.value, 0.0, settings_.exact())) return Fold(2, *value);
  }
  return Emit({.kind = Instruction::Kind::Binary, .op = op});
}

FormulaRecorder::Piece FormulaRecorder::List(Tok fn, std::span<const Piece> values) {
  const bool constant = std::ranges::all_of(values, &Piece::constant);
  if (constant) {
    std::vector<double> numbers;
    numbers.reserve(values.size());
    for (const Piece& piece : values) numbers.push_back(piece.value);
    return Fold(values.size(), ListFunctionValue(fn, numbers));
  }
  const auto count = static_cast<int>(values.size());
  return Emit({.kind = Instruction::Kind::List, .list = fn, .index = count});
}

}  // namespace engine
