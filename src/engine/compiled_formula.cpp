// SPDX-License-Identifier: MIT
#include "engine/compiled_formula.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "engine/builtins.h"
#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine/list_functions.h"
#include "engine/substitution.h"
#include "engine/tokenizer.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace engine {
namespace {

// Each instruction's work, operation and operand together, chosen once when compiling, so that
// evaluating asks one question per instruction. Binary operators come after the other kinds,
// one code for each operator and place of its right operand.
constexpr std::uint8_t kFirstBinaryStep = static_cast<std::uint8_t>(Instruction::Kind::List) + 1;
constexpr std::uint8_t kOperators = static_cast<std::uint8_t>(BinaryOp::Xor) + 1;

constexpr std::uint8_t BinaryStep(Instruction::Operand operand, BinaryOp op) {
  return static_cast<std::uint8_t>(kFirstBinaryStep + static_cast<std::uint8_t>(operand) * kOperators +
                                   static_cast<std::uint8_t>(op));
}

std::uint8_t StepOf(const Instruction& in) {
  return in.kind == Instruction::Kind::Binary ? BinaryStep(in.operand, in.op) : static_cast<std::uint8_t>(in.kind);
}

// top = a op b, false where the text path would fail.
template <BinaryOp op>
[[gnu::always_inline]] inline bool Apply(double a, double b, double boolSign, double& top) {
  const std::optional<double> value = NumberResult(op, a, b, boolSign);
  if (value) top = *value;
  return value.has_value();
}

}  // namespace

namespace {

constexpr std::size_t kMaxSlots = 0x100;

// The text with every whole-identifier occurrence of variables[k] replaced by "(" slot k ")",
// as the text path writes "(" value ")".
// Where given, origins receives where each character of the result stands in text.
std::u16string WithSlots(std::u16string text, std::span<const std::u16string_view> variables,
                         std::vector<std::size_t>* origins = nullptr) {
  if (origins != nullptr) *origins = UnchangedOrigins(text.size());
  std::u16string marked;
  for (std::size_t k = 0; k < variables.size(); ++k) {
    const std::u16string slot{u'(', static_cast<char16_t>(kFirstSlot + k), u')'};
    const SubstitutionTemplate place(text, variables[k]);
    place.Fill(marked, slot);
    text.swap(marked);
    if (origins != nullptr) ComposeOrigins(*origins, place.Origins(slot.size()));
  }
  return text;
}

std::nullopt_t Unread(CompiledFormula::ReadFailure* failure, std::int32_t code, std::size_t position) {
  if (failure != nullptr) *failure = {code, position};
  return std::nullopt;
}

// The compile reads with an engine of its own, so the caller's evaluator state and error log
// stay as they were; it borrows the caller's variables and functions (moving a store keeps
// its entries where they are) and gives them back however it ends, and reads in the caller's
// settings.
class CompilingEngine {
 public:
  explicit CompilingEngine(Engine& caller) : caller_(caller), engine_(caller.core.platform) {
    engine_.vars = std::move(caller_.vars);
    engine_.core.settings = caller_.core.settings;
  }
  ~CompilingEngine() { caller_.vars = std::move(engine_.vars); }
  CompilingEngine(const CompilingEngine&) = delete;
  CompilingEngine& operator=(const CompilingEngine&) = delete;

  Engine& engine() { return engine_; }

 private:
  Engine& caller_;
  Engine engine_;
};

// a[i] op b[i] for a whole block, the operator fixed so that no element chooses it again.
template <BinaryOp op>
void ApplyEach(double* a, const double* b, std::size_t n, double boolSign, char* failed) {
  for (std::size_t i = 0; i < n; ++i) {
    const std::optional<double> value = NumberResult(op, a[i], b[i], boolSign);
    if (value) a[i] = *value;
    else failed[i] = 1;
  }
}

using ApplyEachFunction = void (*)(double*, const double*, std::size_t, double, char*);

// Indexed by BinaryOp, in its order.
constexpr std::array<ApplyEachFunction, 17> kApplyEach = {
    &ApplyEach<BinaryOp::None>, &ApplyEach<BinaryOp::Pow>, &ApplyEach<BinaryOp::Mul>, &ApplyEach<BinaryOp::Div>,
    &ApplyEach<BinaryOp::IntDiv>, &ApplyEach<BinaryOp::Mod>, &ApplyEach<BinaryOp::Add>, &ApplyEach<BinaryOp::Sub>,
    &ApplyEach<BinaryOp::Eq>, &ApplyEach<BinaryOp::Lt>, &ApplyEach<BinaryOp::Gt>, &ApplyEach<BinaryOp::Ne>,
    &ApplyEach<BinaryOp::Le>, &ApplyEach<BinaryOp::Ge>, &ApplyEach<BinaryOp::And>, &ApplyEach<BinaryOp::Or>,
    &ApplyEach<BinaryOp::Xor>,
};
static_assert(kApplyEach.size() == static_cast<std::size_t>(BinaryOp::Xor) + 1);

}  // namespace

std::optional<CompiledFormula> CompiledFormula::Compile(Engine& engine, std::u16string_view text,
                                                        std::span<const std::u16string_view> variables,
                                                        Placement placement, ReadFailure* failure) {
  if (variables.size() > kMaxSlots) return std::nullopt;
  const auto isSlot = [&](char16_t c) { return c >= kFirstSlot && c < kFirstSlot + variables.size(); };
  if (placement == Placement::IntoText && std::ranges::any_of(text, isSlot)) return std::nullopt;

  CompilingEngine compiling(engine);
  Engine& reader = compiling.engine();
  EvalState& s = reader.core.state;
  std::vector<std::u16string> names;
  Parameters parameters;
  std::vector<std::size_t> slotOrigins;  // where each character with slots stands in text
  std::u16string given;
  if (placement == Placement::IntoText) {
    given = WithSlots(std::u16string(text), variables, &slotOrigins);
    parameters.marked = variables.size();
  } else {
    for (std::u16string_view name : variables) names.push_back(ToLower(Trim(name)));
    parameters.names = names;
    given = text;
  }
  const ScopedParameters reading(reader, parameters);
  if (!Prepare(reader, given)) return Unread(failure, s.e_error, 0);
  // Where a place of the text read stands in text.
  const auto placeInText = [&](std::size_t at) {
    const std::size_t place = PlaceInGiven(reader, given, at);
    return placement == Placement::IntoText ? slotOrigins[place] : place;
  };
  s.remaining = s.expression;
  e_nxt(reader);
  FormulaRecorder recorder(s);
  std::int8_t type = 0;
  RecordFormula(reader, recorder, type);
  if (s.ok() && s.e_tok != Tok::End) s.Fail(EvalError::EvaluatorSyntax);
  // Once refused, the reading may stop anywhere: only the text path can tell what follows.
  if (recorder.refused()) return std::nullopt;
  if (!s.ok()) return Unread(failure, s.e_error, placeInText(std::min(s.failurePlace(), s.expression.size())));
  CompiledFormula compiled;
  compiled.settings_ = reader.core.settings;
  compiled.code_ = recorder.TakeCode();
  compiled.deepestStack_ = recorder.deepestStack();
  for (const Instruction& in : compiled.code_) compiled.steps_.push_back(StepOf(in));
  if (compiled.code_.size() == 1 && compiled.code_.front().kind == Instruction::Kind::Constant)
    compiled.folded_ = compiled.Result(compiled.code_.front().value);
  return compiled;
}

// The formula's value, or nothing where e_eval reports an overflow.
std::optional<double> CompiledFormula::Result(double top) const {
  if (IsOverflow(settings_, top)) return std::nullopt;
  return top;
}

// One case per operator and place of its right operand: the top of the stack, or the constant
// or slot the instruction carries.
#define MORVANE_BINARY_CASES(op)                                                      \
  case BinaryStep(Instruction::Operand::Stack, BinaryOp::op):                          \
    if (!Apply<BinaryOp::op>(stack[--below], top, boolSign, top)) return std::nullopt; \
    break;                                                                            \
  case BinaryStep(Instruction::Operand::Constant, BinaryOp::op):                       \
    if (!Apply<BinaryOp::op>(top, in->value, boolSign, top)) return std::nullopt;      \
    break;                                                                            \
  case BinaryStep(Instruction::Operand::Slot, BinaryOp::op):                           \
    if (!Apply<BinaryOp::op>(top, slot[in->index], boolSign, top)) return std::nullopt; \
    break;

[[gnu::always_inline]] inline std::optional<double> CompiledFormula::Run(double* stack, std::span<const double> slots,
                                                                         double boolSign) const {
  // The top of the stack lives in `top`, the values below it in stack[0..below).
  double top = 0.0;
  std::size_t below = 0;
  const double* slot = slots.data();
  const Instruction* in = code_.data();
  for (const std::uint8_t step : steps_) {
    switch (step) {
      case static_cast<std::uint8_t>(Instruction::Kind::Constant):
        stack[below++] = top;
        top = in->value;
        break;
      case static_cast<std::uint8_t>(Instruction::Kind::Slot):
        stack[below++] = top;
        top = slot[in->index];
        break;
      case static_cast<std::uint8_t>(Instruction::Kind::Builtin): {
        const std::optional<double> value = BuiltinValue(in->index, top);
        if (!value) return std::nullopt;
        top = *value;
        break;
      }
      case static_cast<std::uint8_t>(Instruction::Kind::Builtin2):
        top = BuiltinValue2(in->index, stack[--below], top);
        break;
      case static_cast<std::uint8_t>(Instruction::Kind::Not): top = static_cast<double>(~TruncToInt32(top)); break;
      case static_cast<std::uint8_t>(Instruction::Kind::Negate): top = -top; break;
      case static_cast<std::uint8_t>(Instruction::Kind::List): {
        // The list's values are the count - 1 below the top and the top itself.
        const auto count = static_cast<std::size_t>(in->index);
        stack[below] = top;
        below -= count - 1;
        top = ListFunctionValue(in->list, std::span<const double>(stack + below, count));
        break;
      }
      MORVANE_BINARY_CASES(Pow)
      MORVANE_BINARY_CASES(Mul)
      MORVANE_BINARY_CASES(Div)
      MORVANE_BINARY_CASES(IntDiv)
      MORVANE_BINARY_CASES(Mod)
      MORVANE_BINARY_CASES(Add)
      MORVANE_BINARY_CASES(Sub)
      MORVANE_BINARY_CASES(Eq)
      MORVANE_BINARY_CASES(Lt)
      MORVANE_BINARY_CASES(Gt)
      MORVANE_BINARY_CASES(Ne)
      MORVANE_BINARY_CASES(Le)
      MORVANE_BINARY_CASES(Ge)
      MORVANE_BINARY_CASES(And)
      MORVANE_BINARY_CASES(Or)
      MORVANE_BINARY_CASES(Xor)
      default: return std::nullopt;  // BinaryOp::None, which the recorder never writes
    }
    ++in;
  }
  return Result(top);
}

#undef MORVANE_BINARY_CASES

std::optional<double> CompiledFormula::Interpret(std::span<const double> slots, double boolSign) const {
  // The machine keeps the top apart and needs one place more than the deepest stack below it.
  // Formulas of everyday depth evaluate on the processor's stack.
  constexpr std::size_t kFixedStack = 32;
  if (deepestStack_ < kFixedStack) {
    std::array<double, kFixedStack> stack;
    return Run(stack.data(), slots, boolSign);
  }
  std::vector<double> stack(deepestStack_ + 1);
  return Run(stack.data(), slots, boolSign);
}

std::size_t CompiledFormula::EvaluateEach(std::span<const double> xs, std::span<double> ys, double boolSign,
                                          Scratch& scratch) const {
  const std::size_t n = xs.size();
  // Stack entry k holds its values for every x at values[k * n ...]. Every entry is written
  // before it is read.
  if (scratch.values.size() < (deepestStack_ + 1) * n) scratch.values.resize((deepestStack_ + 1) * n);
  scratch.failed.assign(n, 0);
  double* const values = scratch.values.data();
  char* const failed = scratch.failed.data();
  std::size_t depth = 0;
  auto entry = [&](std::size_t k) { return values + k * n; };
  for (const Instruction& in : code_) {
    switch (in.kind) {
      case Instruction::Kind::Constant: std::fill_n(entry(depth++), n, in.value); break;
      case Instruction::Kind::Slot: std::copy_n(xs.data(), n, entry(depth++)); break;
      case Instruction::Kind::Builtin: BuiltinValues(in.index, std::span(entry(depth - 1), n), std::span(failed, n)); break;
      case Instruction::Kind::Builtin2: {
        const double* b = entry(--depth);
        double* a = entry(depth - 1);
        for (std::size_t i = 0; i < n; ++i) a[i] = BuiltinValue2(in.index, a[i], b[i]);
        break;
      }
      case Instruction::Kind::Not: {
        double* top = entry(depth - 1);
        for (std::size_t i = 0; i < n; ++i) top[i] = static_cast<double>(~TruncToInt32(top[i]));
        break;
      }
      case Instruction::Kind::Negate: {
        double* top = entry(depth - 1);
        for (std::size_t i = 0; i < n; ++i) top[i] = -top[i];
        break;
      }
      case Instruction::Kind::Binary: {
        const double* b = xs.data();
        if (in.operand == Instruction::Operand::Stack) {
          b = entry(--depth);
        } else if (in.operand == Instruction::Operand::Constant) {
          std::fill_n(entry(depth), n, in.value);  // where the constant would have been pushed
          b = entry(depth);
        }
        kApplyEach[static_cast<std::size_t>(in.op)](entry(depth - 1), b, n, boolSign, failed);
        break;
      }
      case Instruction::Kind::List: {
        const auto count = static_cast<std::size_t>(in.index);
        depth -= count;
        std::vector<double> list(count);
        for (std::size_t i = 0; i < n; ++i) {
          for (std::size_t k = 0; k < count; ++k) list[k] = entry(depth + k)[i];
          entry(depth)[i] = ListFunctionValue(in.list, list);
        }
        ++depth;
        break;
      }
    }
  }
  const double* result = entry(0);
  for (std::size_t i = 0; i < n; ++i) {
    if (failed[i] || !Result(result[i])) return i;
    ys[i] = result[i];
  }
  return n;
}

}  // namespace engine
