// SPDX-License-Identifier: MIT
#include "peers_timing.h"

#include <algorithm>
#include <string>

namespace peers {
namespace {

using Clock = std::chrono::steady_clock;

std::chrono::nanoseconds Time(Prepared& side, std::size_t n) {
  const auto start = Clock::now();
  side.Run(n);
  return Clock::now() - start;
}

// Doubles the evaluations per block until a block lasts the plan's time; the first blocks
// also warm the caches and the branch predictors.
std::size_t EvaluationsPerBlock(Prepared& side, const TimingPlan& plan) {
  std::size_t n = 2;  // even, so every block starts from the same values
  while (Time(side, n) < plan.block && n < (std::size_t{1} << 40)) n *= 2;
  return n;
}

double Median(std::vector<double> samples) {
  const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
  std::nth_element(samples.begin(), middle, samples.end());
  return *middle;
}

class LoopFloor final : public Prepared {
 public:
  explicit LoopFloor(Variables& variables) : variables_(variables) {}
  bool Evaluate(double& value, std::string&) override {
    value = variables_.a;
    return true;
  }
  void Run(std::size_t n) override {
    RunSwapping(variables_, n, [&] { return variables_.a; });
  }

 private:
  Variables& variables_;
};

}  // namespace

std::vector<double> MedianNsPerEvaluation(const std::vector<Prepared*>& sides,
                                          const TimingPlan& plan) {
  std::vector<std::size_t> perBlock;
  perBlock.reserve(sides.size());
  for (Prepared* side : sides) perBlock.push_back(EvaluationsPerBlock(*side, plan));
  std::vector<std::vector<double>> samples(sides.size());
  for (auto& side : samples) side.reserve(plan.rounds);
  for (std::size_t round = 0; round < plan.rounds; ++round) {
    for (std::size_t i = 0; i < sides.size(); ++i) {
      const auto elapsed = Time(*sides[i], perBlock[i]);
      samples[i].push_back(static_cast<double>(elapsed.count()) / static_cast<double>(perBlock[i]));
    }
  }
  std::vector<double> medians;
  medians.reserve(samples.size());
  for (auto& side : samples) medians.push_back(Median(std::move(side)));
  return medians;
}

double LoopFloorNs(Variables& variables, const TimingPlan& plan) {
  LoopFloor floor(variables);
  return MedianNsPerEvaluation({&floor}, plan).front();
}

}  // namespace peers
