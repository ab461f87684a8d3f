// SPDX-License-Identifier: MIT
// Symbolic differentiation: a typical formula, and one of 2000 nodes whose derivative still
// fits the node table.
#include <benchmark/benchmark.h>

#include <string>

#include "morvane.h"

namespace {

void Differentiate(benchmark::State& state, const std::u16string& formula) {
  std::u16string buffer(formula.size() * 8 + 64, u' ');
  for (auto _ : state) {
    const int32_t length = e_diff(formula.c_str(), u"x", buffer.data(), static_cast<int32_t>(buffer.size()));
    if (length == 0) state.SkipWithError("e_diff failed");
    benchmark::DoNotOptimize(buffer.data());
  }
}

// A balanced sum of `leaves` terms alternating x and sin(x), bracketed in halves, so that
// neither the formula nor its derivative nests deeply.
std::u16string BalancedSum(int leaves, int first = 0) {
  if (leaves == 1) return first % 2 == 0 ? u"x" : u"sin(x)";
  const int left = leaves / 2;
  return u"(" + BalancedSum(left, first) + u"+" + BalancedSum(leaves - left, first + left) + u")";
}

// 800 leaves (400 of one node, 400 of two) and 799 sum nodes: 1999 nodes. Its derivative
// (400 ones, 400 cos(x)*1 of four nodes, 799 sums) fits the node table beside it.
std::u16string TwoThousandNodes() { return BalancedSum(800); }

}  // namespace

BENCHMARK_CAPTURE(Differentiate, typical, std::u16string(u"x^2*sin(x)/(1+exp(x))"));
BENCHMARK_CAPTURE(Differentiate, nodes2000, TwoThousandNodes())->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
