// SPDX-License-Identifier: MIT
#include "engine/register_code.h"

#include <limits>

namespace engine {
namespace {

// Working registers are numbered by the stack depth they stand for while lowering, marked by
// this bit, and renumbered after the constants once their count is known.
constexpr std::uint32_t kWorking = 0x80000000u;
// While lowering, the operand that is the accumulator's value (no register holds it).
constexpr std::uint32_t kAccumulator = 0xFFFFFFFFu;

constexpr bool InAccumulator(std::uint32_t operand) { return operand == kAccumulator; }

class Lowering {
 public:
  Lowering(std::size_t slots, const FormulaSettings& settings) {
    code_.slots = slots;
    code_.slotsRead.assign(slots, 0);
    code_.exact = settings.exact();
  }

  bool Add(const Instruction& in) {
    switch (in.kind) {
      case Instruction::Kind::Constant: Push(Constant(in.value)); return true;
      case Instruction::Kind::Slot:
        code_.slotsRead[static_cast<std::size_t>(in.index)] = 1;
        Push(static_cast<std::uint32_t>(in.index));
        return true;
      case Instruction::Kind::Builtin: {
        if (code_.functions.size() > std::numeric_limits<std::uint16_t>::max()) return false;
        const auto fn = static_cast<std::uint16_t>(code_.functions.size());
        code_.functions.push_back(BuiltinLanesOf(in.index));
        Unary({.op = Step::Op::Builtin, .fn = fn});
        return true;
      }
      case Instruction::Kind::Builtin2:
        Binary({.op = Step::Op::Builtin2, .fn = static_cast<std::uint16_t>(in.index)});
        return true;
      case Instruction::Kind::Not: Unary({.op = Step::Op::Not}); return true;
      case Instruction::Kind::Negate: Unary({.op = Step::Op::Negate}); return true;
      case Instruction::Kind::Binary: BinaryOperator(in.op); return true;
      case Instruction::Kind::List: List(in.list, static_cast<std::size_t>(in.index)); return true;
    }
    return false;
  }

  // The code, its working registers numbered after the constants.
  RegisterCode Finish() {
    const auto working = static_cast<std::uint32_t>(code_.slots + code_.constants.size());
    const auto place = [&](std::uint32_t& r) {
      if (r & kWorking) r = working + (r & ~kWorking);
    };
    for (Step& step : code_.steps) {
      step.key = Key(step.op, step.form);
      place(step.dst);
      place(step.a);
      if (step.op != Step::Op::List) place(step.b);
    }
    if (!operands_.empty() && InAccumulator(operands_.back())) {
      code_.resultInAccumulator = true;
    } else {
      code_.result = operands_.empty() ? 0 : operands_.back();
      place(code_.result);
    }
    code_.registers = working + deepest_;
    return std::move(code_);
  }

 private:
  std::uint32_t Constant(double value) {
    code_.constants.push_back(value);
    return static_cast<std::uint32_t>(code_.slots + code_.constants.size() - 1);
  }
  std::uint32_t Working(std::size_t depth) {
    deepest_ = std::max(deepest_, depth + 1);
    return kWorking | static_cast<std::uint32_t>(depth);
  }
  void Push(std::uint32_t r) { operands_.push_back(r); }
  std::uint32_t Pop() {
    const std::uint32_t r = operands_.back();
    operands_.pop_back();
    return r;
  }

  // A unary step on the top operand, its result in the accumulator.
  void Unary(Step step) {
    const std::uint32_t a = Pop();
    step.form = InAccumulator(a) ? Step::Form::AR : Step::Form::RR;
    step.a = InAccumulator(a) ? 0 : a;
    Emit(step);
  }
  // A binary step on the two top operands, its result in the accumulator.
  void Binary(Step step) {
    const std::uint32_t b = Pop();
    const std::uint32_t a = Pop();
    step.form = InAccumulator(a) ? (InAccumulator(b) ? Step::Form::AA : Step::Form::AR)
                                 : (InAccumulator(b) ? Step::Form::RA : Step::Form::RR);
    step.a = InAccumulator(a) ? 0 : a;
    step.b = InAccumulator(b) ? 0 : b;
    Emit(step);
  }
  // The step after its operands were taken: a value in the accumulator that it did not take is
  // kept in the working register of its depth first.
  void Emit(const Step& step) {
    SpillBelow(operands_.size());
    code_.steps.push_back(step);
    Push(kAccumulator);
  }
  void SpillBelow(std::size_t depth) {
    for (std::size_t k = 0; k < depth; ++k) {
      if (!InAccumulator(operands_[k])) continue;
      operands_[k] = Working(k);
      code_.steps.push_back({.op = Step::Op::Spill, .dst = operands_[k]});
    }
  }

  void BinaryOperator(BinaryOp op) {
    const std::uint32_t exponent = operands_.back();
    // A constant square is a product: the same number in double numbers (Power), one call fewer.
    if (op == BinaryOp::Pow && code_.exact && IsConstant(exponent) && ConstantValue(exponent) == 2.0) {
      Pop();
      Push(operands_.back());
      op = BinaryOp::Mul;
    }
    Binary({.op = StepOp(op)});
  }

  // A list function reads its values from consecutive registers: those not already in their
  // working register are moved there first.
  void List(Tok fn, std::size_t count) {
    const std::size_t first = operands_.size() - count;
    SpillBelow(operands_.size());
    for (std::size_t k = 0; k < count; ++k) {
      const std::uint32_t target = Working(first + k);
      if (operands_[first + k] != target)
        code_.steps.push_back({.op = Step::Op::Move, .dst = target, .a = operands_[first + k]});
    }
    operands_.resize(first);
    code_.longestList = std::max(code_.longestList, count);
    Emit({.op = Step::Op::List, .list = fn, .a = Working(first), .b = static_cast<std::uint32_t>(count)});
  }

  bool IsConstant(std::uint32_t r) const {
    return (r & kWorking) == 0 && r >= code_.slots && r < code_.slots + code_.constants.size();
  }
  double ConstantValue(std::uint32_t r) const { return code_.constants[r - code_.slots]; }

  RegisterCode code_;
  std::vector<std::uint32_t> operands_;  // the registers of the values the stack code would hold
  std::size_t deepest_ = 0;
};

}  // namespace

std::optional<RegisterCode> LowerToRegisters(std::span<const Instruction> code, std::size_t slots,
                                             const FormulaSettings& settings) {
  // Every instruction adds at most one constant and one working register.
  if (slots + 2 * code.size() >= kWorking) return std::nullopt;
  Lowering lowering(slots, settings);
  for (const Instruction& in : code)
    if (!lowering.Add(in)) return std::nullopt;
  return lowering.Finish();
}

}  // namespace engine
