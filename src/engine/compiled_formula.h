// SPDX-License-Identifier: MIT
// A formula read once and evaluated many times with new values for its variables, without
// reading text again. The same tokenizer and parser read it as evaluation does, with the
// variables as the caller's parameters, so it accepts exactly the texts evaluation accepts and
// gives exactly the numbers evaluation gives.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "engine/native_code.h"
#include "engine/register_code.h"
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

  // The registers a scalar evaluation works in, kept by the caller across evaluations: the
  // slots first, for the caller to write, then the constants, already in place.
  std::vector<double> NewFrame() const;

  // The value with the slots' numbers (frame from NewFrame, slot k at frame[k], entered as the
  // formula's numbers read a value) into value, a true comparison worth boolSign; false when the
  // text path would fail there (a zero divisor, a domain error, an overflow), so that it can say
  // why. A formula that folded to one number (no comparison, no variable) is that number, given
  // without entering the machine: inline, so that such a call costs a load and a test. (A bool
  // and a double rather than an optional: compilers pass that pair through the stack.)
  bool Evaluate(std::span<double> frame, double boolSign, double& value) const {
    if (folded_) {
      value = *folded_;
      return true;
    }
    if (code_.steps.empty()) {  // the formula is one of its variables
      value = frame[code_.result];
      return !IsOverflow(settings_, value);
    }
    if (native_) {
      value = native_->Run(frame.data(), boolSign);
      if (!std::isnan(value) && !IsOverflow(settings_, value)) [[likely]]
        return true;
    }
    return Interpret(frame.data(), boolSign, value);
  }

  // The registers and marks of an evaluation at many points, made once for many calls.
  struct Block {
    std::vector<double> registers;
    std::vector<char> failed;
    std::vector<double> gather;
  };
  Block NewBlock() const;

  // The formula at n points: columns[k][i] is slot k's value at point i, as the caller gives
  // it (entered here as Evaluate's frame would hold it). ys[i] is what Evaluate gives at point
  // i, for each point before the first it gives nothing for, which is returned (n when there is
  // none); a value that is not finite gives nothing, as no text holds it. Only the columns of
  // slots the formula reads are looked at.
  std::size_t EvaluateEach(std::span<const double* const> columns, std::size_t n, double* ys, double boolSign,
                           Block& block) const;

  // Whether an evaluation reads slot k at all (constant parts folded away may not).
  bool Reads(std::size_t slot) const { return code_.slotsRead[slot] != 0; }

 private:
  bool Interpret(double* frame, double boolSign, double& value) const;

  FormulaSettings settings_;
  RegisterCode code_;
  // The value of a formula that folded to one number; an overflow there is left to Interpret,
  // which tells it the same way as any other.
  std::optional<double> folded_;
  // The code in the processor's instructions, where it could be made; shared by copies, as
  // it never changes.
  std::shared_ptr<const NativeCode> native_;
};

}  // namespace engine
