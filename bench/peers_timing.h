// SPDX-License-Identifier: MIT
// Median time per evaluation, from blocks of evaluations timed with the steady clock.
#pragma once

#include <chrono>
#include <cstddef>
#include <vector>

#include "peers_side.h"

namespace peers {

struct TimingPlan {
  std::size_t rounds;              // blocks timed per evaluator; the median is kept
  std::chrono::nanoseconds block;  // about how long one block runs
};

// For each prepared expression, the median ns per evaluation. The evaluators' blocks take turns,
// so a busy moment of the machine falls on all of them alike.
std::vector<double> MedianNsPerEvaluation(const std::vector<Prepared*>& sides,
                                          const TimingPlan& plan);

// The same loop around an evaluation that only reads a variable: the floor under every time.
double LoopFloorNs(Variables& variables, const TimingPlan& plan);

}  // namespace peers
