// SPDX-License-Identifier: MIT
#include "engine/point_evaluator.h"

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine/var_store.h"
#include "engine_core/number_text.h"

namespace engine {

PointEvaluator::PointEvaluator(Engine& engine, std::u16string_view formula, std::u16string_view variable,
                               Binding binding)
    : engine_(engine),
      binding_(binding),
      formula_(formula),
      variable_(variable),
      place_(binding == Binding::Substituted ? formula : std::u16string_view(),
             binding == Binding::Substituted ? variable : std::u16string_view()) {}

bool PointEvaluator::At(double x, double& y) {
  if (binding_ == Binding::Substituted) {
    value_.assign(u"(");
    AppendShortFixed(value_, x);
    value_.push_back(u')');
    place_.Fill(text_, value_);
    status_ = e_eval(engine_, text_, &y, false);
  } else {
    value_.clear();
    AppendShortFixed(value_, x);
    SetVarFunct(engine_.core, engine_.vars, variable_, value_, false);
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
