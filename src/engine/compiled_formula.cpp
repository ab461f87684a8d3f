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

namespace engine {
namespace {

// Slot k is written into the text as this character + k: a private-use character, which no
// formula the text path accepts holds.
constexpr char16_t kFirstSlot = u'\uE000';
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
// its entries where they are) and gives them back however it ends.
class CompilingEngine {
 public:
  explicit CompilingEngine(Engine& caller) : caller_(caller), engine_(caller.core.platform) {
    engine_.vars = std::move(caller_.vars);
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
  if (std::ranges::any_of(text, isSlot)) return std::nullopt;
  // A stored variable that spells one of the formula words is read as the word.
  if (placement == Placement::IntoStore &&
      std::ranges::any_of(variables, [](std::u16string_view name) { return IsFormulaWord(name); }))
    return std::nullopt;

  CompilingEngine compiling(engine);
  Engine& reader = compiling.engine();
  EvalState& s = reader.core.state;
  std::vector<std::size_t> slotOrigins;  // where each character with slots stands in text
  std::u16string given;
  if (placement == Placement::IntoText) {
    given = WithSlots(std::u16string(text), variables, &slotOrigins);
    if (!Prepare(reader, given)) return Unread(failure, s.e_error, 0);
  } else {
    if (!Prepare(reader, text)) return Unread(failure, s.e_error, 0);
    s.expression = WithSlots(std::move(s.expression), variables, &slotOrigins);
  }
  // Where a place of the text read stands in text: slots go in before user functions are
  // expanded when placed into the text, after when placed into the store.
  const auto placeInText = [&](std::size_t at) {
    return placement == Placement::IntoText ? slotOrigins[PlaceInGiven(reader, given, at)]
                                            : PlaceInGiven(reader, text, slotOrigins[at]);
  };
  s.remaining = s.expression;
  e_nxt(reader);
  FormulaRecorder recorder(s, kFirstSlot, variables.size());
  std::int8_t type = 0;
  RecordFormula(reader, recorder, type);
  if (s.ok() && s.e_tok != Tok::End) s.Fail(EvalError::EvaluatorSyntax);
  // Once refused, the reading may stop anywhere: only the text path can tell what follows.
  if (recorder.refused()) return std::nullopt;
  if (!s.ok()) return Unread(failure, s.e_error, placeInText(std::min(s.failurePlace(), s.expression.size())));
  CompiledFormula compiled;
  compiled.code_ = recorder.TakeCode();
  compiled.deepestStack_ = recorder.deepestStack();
  return compiled;
}

std::optional<double> CompiledFormula::Evaluate(std::span<const double> slots, double boolSign) const {
  // Run keeps the top in a register and needs one place more than the deepest stack below it.
  // Formulas of everyday depth evaluate on the machine stack.
  constexpr std::size_t kFixedStack = 32;
  if (deepestStack_ < kFixedStack) {
    std::array<double, kFixedStack> stack;
    return Run(stack.data(), slots, boolSign);
  }
  std::vector<double> stack(deepestStack_ + 1);
  return Run(stack.data(), slots, boolSign);
}

std::optional<double> CompiledFormula::Run(double* stack, std::span<const double> slots, double boolSign) const {
  // The top of the stack lives in `top`, the values below it in stack[0..below).
  double top = 0.0;
  std::size_t below = 0;
  for (const Instruction& in : code_) {
    switch (in.kind) {
      case Instruction::Kind::Constant:
        stack[below++] = top;
        top = in.value;
        break;
      case Instruction::Kind::Slot:
        stack[below++] = top;
        top = slots[static_cast<std::size_t>(in.index)];
        break;
      case Instruction::Kind::Builtin: {
        const std::optional<double> value = BuiltinValue(in.index, top);
        if (!value) return std::nullopt;
        top = *value;
        break;
      }
      case Instruction::Kind::Not: top = static_cast<double>(~TruncToInt32(top)); break;
      case Instruction::Kind::Negate: top = -top; break;
      case Instruction::Kind::Binary: {
        const std::optional<double> value = NumberResult(in.op, stack[--below], top, boolSign);
        if (!value) return std::nullopt;
        top = *value;
        break;
      }
      case Instruction::Kind::List: {
        // The list's values are the count - 1 below the top and the top itself.
        const auto count = static_cast<std::size_t>(in.index);
        stack[below] = top;
        below -= count - 1;
        top = ListFunctionValue(in.list, std::span<const double>(stack + below, count));
        break;
      }
    }
  }
  // e_eval reports a result of +infinity as a division by zero.
  if (std::isinf(top) && top > 0) return std::nullopt;
  return top;
}

std::size_t CompiledFormula::EvaluateEach(std::span<const double> xs, std::span<double> ys, double boolSign) const {
  const std::size_t n = xs.size();
  // Stack entry k holds its values for every x at values[k * n ...].
  // Every entry is written before it is read, so the memory starts uninitialised.
  const auto values = std::make_unique_for_overwrite<double[]>((deepestStack_ + 1) * n);
  std::vector<char> failed(n, 0);
  std::size_t depth = 0;
  auto entry = [&](std::size_t k) { return values.get() + k * n; };
  for (const Instruction& in : code_) {
    switch (in.kind) {
      case Instruction::Kind::Constant: std::fill_n(entry(depth++), n, in.value); break;
      case Instruction::Kind::Slot: std::copy_n(xs.data(), n, entry(depth++)); break;
      case Instruction::Kind::Builtin: BuiltinValues(in.index, std::span(entry(depth - 1), n), failed); break;
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
        const double* b = entry(--depth);
        kApplyEach[static_cast<std::size_t>(in.op)](entry(depth - 1), b, n, boolSign, failed.data());
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
    // e_eval reports a result of +infinity as a division by zero.
    if (failed[i] || (std::isinf(result[i]) && result[i] > 0)) return i;
    ys[i] = result[i];
  }
  return n;
}

}  // namespace engine
