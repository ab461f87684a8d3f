// SPDX-License-Identifier: MIT
#include "engine/compiled_formula.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine/register_machine.h"
#include "engine/substitution.h"
#include "engine/tokenizer.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace engine {
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
  TokenCursor& cursor = reader.core.cursor;
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
  cursor.remaining = cursor.expression;
  e_nxt(reader);
  FormulaRecorder recorder(s, reader.core.settings);
  std::int8_t type = 0;
  RecordFormula(reader, recorder, type);
  if (s.ok() && cursor.e_tok != Tok::End) s.Fail(EvalError::EvaluatorSyntax);
  // Once refused, the reading may stop anywhere: only the text path can tell what follows.
  if (recorder.refused()) return std::nullopt;
  if (!s.ok()) return Unread(failure, s.e_error, placeInText(std::min(cursor.failurePlace(), cursor.expression.size())));
  const std::vector<Instruction> code = recorder.TakeCode();
  std::optional<RegisterCode> lowered = LowerToRegisters(code, variables.size(), reader.core.settings);
  if (!lowered) return std::nullopt;
  CompiledFormula compiled;
  compiled.settings_ = reader.core.settings;
  compiled.code_ = std::move(*lowered);
  if (code.size() == 1 && code.front().kind == Instruction::Kind::Constant &&
      !IsOverflow(compiled.settings_, code.front().value))
    compiled.folded_ = code.front().value;
  else if (!compiled.code_.steps.empty())
    compiled.native_ = NativeCode::Translated(compiled.code_);
  return compiled;
}

std::vector<double> CompiledFormula::NewFrame() const {
  std::vector<double> frame(code_.registers);
  std::ranges::copy(code_.constants, frame.begin() + static_cast<std::ptrdiff_t>(code_.slots));
  return frame;
}

bool CompiledFormula::Interpret(double* frame, double boolSign, double& value) const {
  char failed = 0;
  double accumulator = 0;
  Execute<1>(code_, frame, &accumulator, &failed, boolSign, nullptr);
  value = code_.resultInAccumulator ? accumulator : frame[code_.result];
  return !failed && !IsOverflow(settings_, value);
}

namespace {

// n values as a formula in these numbers reads them.
void EnterLanes(Numbers numbers, const double* values, std::size_t n, double* lanes) {
  if (numbers == Numbers::Double) {
    std::copy_n(values, n, lanes);
    return;
  }
  for (std::size_t i = 0; i < n; ++i) lanes[i] = std::isfinite(values[i]) ? EnteredValue(numbers, values[i]) : 0.0;
}

// Points evaluated together: enough that choosing each step costs little per point, few enough
// that a formula's registers stay in the processor's nearest cache.
constexpr std::size_t kLanes = 128;

}  // namespace

CompiledFormula::Block CompiledFormula::NewBlock() const {
  Block block;
  // The accumulator's lanes after the registers'.
  block.registers.assign((code_.registers + 1) * kLanes, 0.0);
  for (std::size_t c = 0; c < code_.constants.size(); ++c)
    std::fill_n(block.registers.begin() + static_cast<std::ptrdiff_t>((code_.slots + c) * kLanes), kLanes,
                code_.constants[c]);
  block.failed.resize(kLanes);
  block.gather.resize(code_.longestList);
  return block;
}

std::size_t CompiledFormula::EvaluateEach(std::span<const double* const> columns, std::size_t n, double* ys,
                                          double boolSign, Block& block) const {
  if (folded_) {
    std::fill_n(ys, n, *folded_);
    return n;
  }
  double* const registers = block.registers.data();
  char* const failed = block.failed.data();
  double* const accumulator = registers + code_.registers * kLanes;
  const double* const result = code_.resultInAccumulator ? accumulator : registers + code_.result * kLanes;
  for (std::size_t first = 0; first < n; first += kLanes) {
    const std::size_t count = std::min(kLanes, n - first);
    std::fill_n(failed, kLanes, 0);
    bool unreadable = false;
    for (std::size_t k = 0; k < code_.slots; ++k) {
      if (!Reads(k)) continue;
      const double* column = columns[k] + first;
      EnterLanes(settings_.numbers, column, count, registers + k * kLanes);
      unreadable = unreadable || AnyNotFinite(column, count);
    }
    Execute<kLanes>(code_, registers, accumulator, failed, boolSign, block.gather.data());
    // Told lane by lane only where some lane may have failed: a result that is not finite may
    // be an overflow.
    char anyFailed = 0;
    for (std::size_t i = 0; i < count; ++i) anyFailed |= failed[i];
    if (!unreadable && !anyFailed && !AnyNotFinite(result, count)) {
      std::copy_n(result, count, ys + first);
      continue;
    }
    // A point where a value the formula reads is not finite fails, as no text holds that value.
    const auto readable = [&](std::size_t point) {
      for (std::size_t k = 0; k < code_.slots; ++k)
        if (Reads(k) && !std::isfinite(columns[k][point])) return false;
      return true;
    };
    for (std::size_t i = 0; i < count; ++i) {
      if (!readable(first + i) || failed[i] || IsOverflow(settings_, result[i])) return first + i;
      ys[first + i] = result[i];
    }
  }
  return n;
}

}  // namespace engine
