// SPDX-License-Identifier: MIT
// What the parser does with each piece of a formula it compiles: it writes instructions in the
// order the evaluating parser computes, folding the parts that are constant.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/arithmetic.h"
#include "engine_core/eval_state.h"
#include "engine_core/token_cursor.h"

namespace engine {

struct Engine;

struct Instruction {
  enum class Kind : std::uint8_t { Constant, Slot, Builtin, Builtin2, Not, Negate, Binary, List };
  Kind kind = Kind::Constant;
  BinaryOp op = BinaryOp::None;         // Binary
  Tok list = Tok::End;                  // List
  std::int32_t index = 0;               // Slot: its number; Builtin(2): the function; List: the count
  double value = 0.0;                   // Constant
};

class FormulaRecorder {
 public:
  struct Piece {
    bool constant = false;  // its instructions are one Constant
    double value = 0.0;
  };
  using Value = Piece;

  // Slot k is the caller's parameter k (Parameters).
  // Folds constants as the settings compute.
  FormulaRecorder(EvalState& state, const FormulaSettings& settings) : state_(state), settings_(settings) {}

  // Whether the formula held something only the evaluating parser does (matrices, rnd).
  bool refused() const { return refused_; }
  std::vector<Instruction> TakeCode() { return std::move(code_); }

  bool Tracing() const { return false; }
  static double Traced(const Piece&) { return 0.0; }
  Piece Number(double value);
  Piece Parameter(std::int32_t slot, double value);
  Piece Builtin(int index, Piece argument);
  Piece Builtin2(int index, Piece a, Piece b);
  Piece Not(Piece value);
  Piece Negate(Piece value, std::int8_t& type);
  Piece Binary(BinaryOp op, Piece a, Piece b, std::int8_t& type, std::int8_t typeB);
  Piece List(Tok fn, std::span<const Piece> values);
  Piece MatrixFunction(std::u16string_view, Piece, Piece, Piece, std::int8_t&, std::int8_t, std::int8_t) { return Refuse(); }
  Piece MatrixOperand(std::u16string_view, char16_t, std::int8_t&) { return Refuse(); }

 private:
  Piece Refuse();
  Piece Emit(Instruction instruction);
  // Replaces the last `count` Constants by one holding value.
  Piece Fold(std::size_t count, double value);

  EvalState& state_;
  FormulaSettings settings_;
  std::vector<Instruction> code_;
  bool refused_ = false;
};

// Parses the tokenizer's stream from its current token as a whole formula, recording it.
FormulaRecorder::Piece RecordFormula(Engine& engine, FormulaRecorder& recorder, std::int8_t& type);

}  // namespace engine
