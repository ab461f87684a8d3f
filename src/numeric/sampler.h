// SPDX-License-Identifier: MIT
// A formula of one variable sampled at many points, as integration and plots do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine_core/number_text.h"
#include "engine/substitution.h"
#include "engine_core/text_util.h"

namespace numeric {

// The variable's value is written into the text as "(" + its short fixed text + ")", as a
// whole identifier in any case, every sample reusing the same buffers, and the text evaluated.
class Sampler {
 public:
  Sampler(engine::Engine& engine, std::u16string_view formula, std::u16string_view variable)
      : engine_(engine), place_(formula, engine::ToLower(variable)) {}

  // f(x), or nothing with the failing code in status.
  bool At(double x, double& y) {
    value_.assign(u"(");
    engine::AppendShortFixed(value_, x);
    value_.push_back(u')');
    place_.Fill(text_, value_);
    status_ = engine::e_eval(engine_, text_, &y, false);
    return engine_.core.state.ok();
  }
  std::int32_t status() const { return status_; }

 private:
  engine::Engine& engine_;
  engine::SubstitutionTemplate place_;
  std::u16string value_;   // "(" + the value's text + ")"
  std::u16string text_;    // the formula with the value in place
  std::int32_t status_ = 0;
};

}  // namespace numeric
