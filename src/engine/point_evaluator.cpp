// SPDX-License-Identifier: MIT
#include "engine/point_evaluator.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine/var_store.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace engine {

PointEvaluator::PointEvaluator(Engine& engine, std::u16string_view formula, std::u16string_view variable,
                               Binding binding)
    : engine_(engine),
      binding_(binding),
      formula_(formula),
      variable_(variable),
      place_(binding == Binding::Substituted ? formula : std::u16string_view(),
             binding == Binding::Substituted ? variable : std::u16string_view()) {
  // The store keys a variable by its trimmed name, and so does the formula's reading of it.
  const std::u16string_view slotVariable = binding == Binding::Substituted ? variable : Trim(variable);
  compiled_ = CompiledFormula::Compile(engine, formula, std::span(&slotVariable, 1),
                                       binding == Binding::Substituted ? CompiledFormula::Placement::IntoText
                                                                       : CompiledFormula::Placement::AsVariables);
  if (compiled_) frame_ = compiled_->NewFrame();
}

bool PointEvaluator::At(double x, double& y) {
  if (Cancelled()) return false;
  EvalState& s = engine_.core.state;
  bool stored = true;
  if (binding_ == Binding::Stored) {
    value_.clear();
    AppendValueText(value_, engine_.core.settings.numbers, x);
    s.Clear();
    SetVarFunct(engine_.core, engine_.vars, variable_, value_, false);
    stored = s.ok();
  }
  if (compiled_ && stored && std::isfinite(x) && !DebugOn(engine_.core.log)) {
    frame_[0] = EnteredValue(engine_.core.settings.numbers, x);
    if (compiled_->Evaluate(frame_, engine_.core.options.BoolSign, y)) {
      CompiledSucceeded();
      return true;
    }
  }
  return TextAt(x, y);
}

std::size_t PointEvaluator::AtEach(std::span<const double> xs, std::span<double> ys) {
  if (Cancelled()) return 0;
  std::size_t done = 0;
  if (compiled_ && binding_ == Binding::Substituted && !DebugOn(engine_.core.log)) {
    if (block_.failed.empty()) block_ = compiled_->NewBlock();
    const double* const column = xs.data();
    done = compiled_->EvaluateEach(std::span(&column, 1), xs.size(), ys.data(), engine_.core.options.BoolSign, block_);
    if (done > 0) CompiledSucceeded();
  }
  // From the first point the compiled form could not give, one at a time: a failure is
  // reported there, or the point goes through the text.
  for (; done < xs.size(); ++done)
    if (!At(xs[done], ys[done])) break;
  return done;
}

void PointEvaluator::AtAll(std::span<const double> xs, std::span<double> ys, std::span<char> ok,
                           std::int32_t& lastFailure) {
  std::size_t done = 0;
  while (done < xs.size()) {
    const std::size_t good = AtEach(xs.subspan(done), ys.subspan(done));
    std::fill_n(ok.begin() + static_cast<std::ptrdiff_t>(done), good, char{1});
    done += good;
    if (done == xs.size()) break;
    lastFailure = status_;
    if (status_ == Code(EvalError::Cancelled)) {
      std::fill(ok.begin() + static_cast<std::ptrdiff_t>(done), ok.end(), char{0});
      return;
    }
    ok[done++] = 0;
  }
}

bool PointEvaluator::Cancelled() {
  if (!engine_.core.cancel->requested()) return false;
  engine_.core.state.Fail(EvalError::Cancelled);
  status_ = Code(EvalError::Cancelled);
  return true;
}

// The state a successful e_eval of a number leaves.
void PointEvaluator::CompiledSucceeded() {
  engine_.core.state.Clear();
  engine_.core.state.resultType = kNumber;
  status_ = kNumber;
}

bool PointEvaluator::TextAt(double x, double& y) {
  if (binding_ == Binding::Substituted) {
    value_.assign(u"(");
    AppendValueText(value_, engine_.core.settings.numbers, x);
    value_.push_back(u')');
    place_.Fill(text_, value_);
    status_ = e_eval(engine_, text_, &y, false);
  } else {
    status_ = e_eval(engine_, formula_, &y, false);
  }
  return engine_.core.state.ok();
}

double PointEvaluator::AtText(std::u16string_view x) {
  SetVarFunct(engine_.core, engine_.vars, variable_, x, false);
  const double y = de_eval(engine_, formula_, false);
  status_ = engine_.core.state.e_error;
  return y;
}

}  // namespace engine
