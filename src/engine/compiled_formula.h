// SPDX-License-Identifier: MIT
// A formula read once and evaluated many times with new values for its variables, without
// reading text again. The same tokenizer and parser read it as evaluation does, with the
// variables as the caller's parameters, so it accepts exactly the texts evaluation accepts and
// gives exactly the numbers evaluation gives.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "engine/formula_recorder.h"
#include "engine_core/formula_settings.h"

namespace engine {

struct Engine;

class CompiledFormula {
 public:
  // Where the variables are read, as the two ways the text path gives them values.
  enum class Placement {
    // Where the formula's text names them, before user functions are expanded, as a sampled
    // value is written into the text: a function's body does not see them.
    IntoText,
    // Wherever they are named, function bodies included, as stored variables are read.
    AsVariables,
  };

  // Why a text does not read as a formula: the error code, and the place in the text where the
  // reading stood when it was found.
  struct ReadFailure {
    std::int32_t code = -1;
    std::size_t position = 0;
  };

  // The formula compiled with variables[k] read from slot k, in the engine's settings; nothing
  // when the text holds what only the evaluating parser does (matrices, rnd) or does not read
  // as a formula, which failure, when given, then tells.
  static std::optional<CompiledFormula> Compile(Engine& engine, std::u16string_view text,
                                                std::span<const std::u16string_view> variables,
                                                Placement placement, ReadFailure* failure = nullptr);

  // The value with the slots' numbers, a true comparison worth boolSign; nothing when the text
  // path would fail there (a zero divisor, a domain error, an overflow), so that it can say why.
  // A formula that folded to one number (no comparison, no variable) is that number, given
  // without entering the interpreter: inline, so that such a call costs a load and a test.
  std::optional<double> Evaluate(std::span<const double> slots, double boolSign) const {
    if (folded_) return *folded_;
    return Interpret(slots, boolSign);
  }

  // A formula of one slot at many values at once, each operation applied to all of them before
  // the next, so that reading the instructions costs little per value: ys[i] is Evaluate at
  // xs[i] for each i before the first value Evaluate gives nothing for; returns that index
  // (xs.size() when there is none).
  // scratch holds the block's stack; kept by the caller, it is allocated once for many blocks.
  struct Scratch {
    std::vector<double> values;
    std::vector<char> failed;
  };
  std::size_t EvaluateEach(std::span<const double> xs, std::span<double> ys, double boolSign, Scratch& scratch) const;

  // Whether an evaluation reads slot k at all (constant parts folded away may not).
  bool Reads(std::size_t slot) const {
    return std::ranges::any_of(code_, [&](const Instruction& in) {
      return static_cast<std::size_t>(in.index) == slot &&
             (in.kind == Instruction::Kind::Slot ||
              (in.kind == Instruction::Kind::Binary && in.operand == Instruction::Operand::Slot));
    });
  }

 private:
  std::optional<double> Interpret(std::span<const double> slots, double boolSign) const;
  std::optional<double> Run(double* stack, std::span<const double> slots, double boolSign) const;
  std::optional<double> Result(double top) const;

  FormulaSettings settings_;
  std::vector<Instruction> code_;
  std::vector<std::uint8_t> steps_;  // what code_[i] does, operation and operand in one
  std::size_t deepestStack_ = 0;
  // The value of a formula that folded to one number; an overflow there is left to Interpret,
  // which tells it the same way as any other.
  std::optional<double> folded_;
};

}  // namespace engine
