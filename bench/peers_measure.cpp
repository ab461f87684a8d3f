// SPDX-License-Identifier: MIT
#include "peers_measure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace peers {
namespace {

using States = std::array<double, 2>;

bool Evaluate(Prepared& prepared, Variables& variables, States& values, std::string& why) {
  variables.Reset();
  bool ok = prepared.Evaluate(values[0], why);
  variables.Swap();
  ok = ok && prepared.Evaluate(values[1], why);
  variables.Reset();
  if (!ok) why = "evaluation: " + why;
  return ok;
}

bool Close(double value, double reference) {
  if (std::isnan(value) || std::isnan(reference)) return std::isnan(value) && std::isnan(reference);
  if (value == reference) return true;  // infinities of one sign
  return std::fabs(value - reference) <= 1e-6 * std::max(1.0, std::fabs(reference));
}

std::string Text(const States& values) {
  std::array<char, 64> text{};
  std::snprintf(text.data(), text.size(), "%.10g, %.10g", values[0], values[1]);
  return text.data();
}

}  // namespace

Row Measure(const Expression& expression, const std::vector<Side>& sides, std::size_t reference,
            Variables& variables, const TimingPlan& plan) {
  Row row{expression, std::vector<Outcome>(sides.size())};
  std::vector<std::unique_ptr<Prepared>> prepared(sides.size());
  std::vector<States> values(sides.size());
  for (std::size_t i = 0; i < sides.size(); ++i) {
    std::string why;
    prepared[i] = sides[i].evaluator->Prepare(expression.text, why);
    if (prepared[i] != nullptr && !Evaluate(*prepared[i], variables, values[i], why))
      prepared[i].reset();
    if (prepared[i] == nullptr) row.outcomes[i].detail = why;
  }
  std::vector<Prepared*> timed;
  for (std::size_t i = 0; i < sides.size(); ++i) {
    if (prepared[i] == nullptr) continue;
    timed.push_back(prepared[i].get());
    Outcome& outcome = row.outcomes[i];
    if (prepared[reference] == nullptr) {
      outcome.verdict = Verdict::Unchecked;
    } else if (Close(values[i][0], values[reference][0]) &&
               Close(values[i][1], values[reference][1])) {
      outcome.verdict = Verdict::Agrees;
    } else {
      outcome.verdict = Verdict::Differs;
      outcome.detail = Text(values[i]) + " against " + Text(values[reference]);
    }
  }
  const std::vector<double> ns = MedianNsPerEvaluation(timed, plan);
  for (std::size_t i = 0, next = 0; i < sides.size(); ++i)
    if (prepared[i] != nullptr) row.outcomes[i].ns = ns[next++];
  return row;
}

}  // namespace peers
