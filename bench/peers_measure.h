// SPDX-License-Identifier: MIT
// One expression through every evaluator: prepared, checked against the reference's values and
// timed.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "peers_expressions.h"
#include "peers_side.h"
#include "peers_timing.h"

namespace peers {

struct Side {
  std::string name;
  bool ours;
  std::unique_ptr<Evaluator> evaluator;
};

enum class Verdict {
  Agrees,  // within 1e-6 of the reference, relative to max(1, |reference|)
  Differs,
  Rejected,   // at preparation or at evaluation
  Unchecked,  // the reference rejected the expression
};

struct Outcome {
  Verdict verdict = Verdict::Rejected;
  double ns = 0;       // median per evaluation, when not rejected
  std::string detail;  // why rejected, or the values that differ
};

struct Row {
  Expression expression;
  std::vector<Outcome> outcomes;  // one a side, in the sides' order
};

// The values are checked at the variables' first values and once swapped, the two states the
// timing loop goes through.
Row Measure(const Expression& expression, const std::vector<Side>& sides, std::size_t reference,
            Variables& variables, const TimingPlan& plan);

}  // namespace peers
