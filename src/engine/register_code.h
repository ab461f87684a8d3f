// SPDX-License-Identifier: MIT
// A compiled formula as a machine of numbered registers and one accumulator: each step reads its
// operands from registers or from the accumulator, which holds the value computed last, and
// leaves its result in the accumulator. A chain of operations thus passes its values in the
// processor's registers, and a constant or a variable is an operand where it stands, not a
// value pushed and popped. The registers are the formula's slots first, then its constants, then
// the working values a later step reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/builtins.h"
#include "engine/formula_recorder.h"
#include "engine_core/formula_settings.h"

namespace engine {

struct Step {
  // The binary operators first, in BinaryOp's order and numbers.
  enum class Op : std::uint8_t {
    None, Pow, Mul, Div, IntDiv, Mod, Add, Sub, Eq, Lt, Gt, Ne, Le, Ge, And, Or, Xor,
    Negate,
    Not,
    Builtin,   // the one-argument built-in functions[fn]
    Builtin2,  // the two-argument built-in of index fn
    List,      // the list function `list` of registers[a .. a + b)
    Spill,     // registers[dst] = the accumulator, which a step is about to take
    Move,      // registers[dst] = registers[a], for a list's values
  };
  // Where the operands are: R a register (registers[a], then registers[b]), A the accumulator.
  // A unary step reads the first.
  enum class Form : std::uint8_t { RR, AR, RA, AA };
  Op op = Op::Move;
  Form form = Form::RR;
  std::uint8_t key = 0;  // Key(op, form), what the machine chooses by; set when lowered
  Tok list = Tok::End;
  std::uint16_t fn = 0;
  std::uint32_t dst = 0;
  std::uint32_t a = 0;
  std::uint32_t b = 0;
};

static_assert(static_cast<int>(Step::Op::Xor) == static_cast<int>(BinaryOp::Xor));
constexpr Step::Op StepOp(BinaryOp op) { return static_cast<Step::Op>(op); }

// A step's operation and the form of its operands, as one number to choose by.
constexpr std::uint8_t Key(Step::Op op, Step::Form form) {
  return static_cast<std::uint8_t>(static_cast<unsigned>(op) * 4 + static_cast<unsigned>(form));
}
static_assert(static_cast<unsigned>(Step::Op::Move) * 4 + 3 <= 0xFF);

struct RegisterCode {
  std::vector<Step> steps;
  std::vector<BuiltinLanes> functions;  // the one-argument built-ins the steps call
  std::vector<double> constants;        // registers slots .. slots + constants.size()
  std::vector<char> slotsRead;          // whether any step reads slot k
  std::size_t slots = 0;
  std::size_t registers = 0;
  std::size_t longestList = 0;          // the most values a List step takes
  std::uint32_t result = 0;             // the register holding the formula's value at the end,
  bool resultInAccumulator = false;     // unless the accumulator does
  bool exact = false;                   // double numbers
};

// The recorder's code for a formula of `slots` slots, in the settings it was read in; nothing
// when it is too large for the machine's numbering.
std::optional<RegisterCode> LowerToRegisters(std::span<const Instruction> code, std::size_t slots,
                                             const FormulaSettings& settings);

}  // namespace engine
