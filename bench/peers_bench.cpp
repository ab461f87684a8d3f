// SPDX-License-Identifier: MIT
// The public math-parser benchmark's two expression lists and our evaluation benchmarks' five
// formulas, each expression prepared once in our default and classic contexts, ExprTk, TinyExpr
// and muParser, checked against ExprTk and timed with a and b, x and y swapped before every
// evaluation. Prints Markdown tables.
//
//   peers_bench [--quick]    (or MORVANE_BENCH_QUICK=1): few, short blocks, done in seconds
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "bench_formulas.h"
#include "peers_evaluators.h"
#include "peers_report.h"

namespace {

using namespace std::chrono_literals;
using peers::Side;

bool QuickRequested(int argc, char** argv) {
  const char* quick = std::getenv("MORVANE_BENCH_QUICK");
  bool requested =
      quick != nullptr && !std::string_view(quick).empty() && std::string_view(quick) != "0";
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) != "--quick") {
      std::fprintf(stderr, "usage: %s [--quick]\n", argv[0]);
      std::exit(2);
    }
    requested = true;
  }
  return requested;
}

// Used only by a build that lacks a peer.
[[maybe_unused]] void SayMissing(const char* peer, const std::filesystem::path& where) {
  std::printf("%s is missing (nothing at %s): measured without it.\n", peer, where.c_str());
}

std::vector<Side> MakeSides(peers::Variables& variables,
                            [[maybe_unused]] const std::filesystem::path& peersDir) {
  std::vector<Side> sides;
  sides.push_back({"ours", true, peers::MakeOurs({}, variables)});
  sides.push_back(
      {"ours classic", true,
       peers::MakeOurs({MORVANE_NUMBERS_CLASSIC, MORVANE_SPELLING_CLASSIC}, variables)});
#ifdef MORVANE_PEER_EXPRTK
  sides.push_back({"ExprTk", false, peers::MakeExprtk(variables)});
#else
  SayMissing("ExprTk", peersDir / "exprtk");
#endif
#ifdef MORVANE_PEER_TINYEXPR
  sides.push_back({"TinyExpr", false, peers::MakeTinyexpr(variables)});
#else
  SayMissing("TinyExpr", peersDir / "tinyexpr");
#endif
  sides.push_back({"muParser", false, peers::MakeMuparser(variables)});
  return sides;
}

peers::FileResult MeasureFile(const std::string& name,
                              const std::vector<peers::Expression>& expressions,
                              const std::vector<Side>& sides, std::size_t reference,
                              peers::Variables& variables, const peers::TimingPlan& plan) {
  peers::FileResult result{name, {}, {}, peers::LoopFloorNs(variables, plan)};
  for (const peers::Expression& expression : expressions) {
    if (peers::HasChainedPower(expression.text))
      result.leftOut.push_back(expression);
    else
      result.rows.push_back(peers::Measure(expression, sides, reference, variables, plan));
  }
  return result;
}

// The five formulas as a list of their own, numbered as they stand.
std::vector<peers::Expression> FiveFormulas() {
  std::vector<peers::Expression> five;
  for (const bench::Formula& formula : bench::Formulas())
    five.push_back({static_cast<int>(five.size()) + 1, formula.peer});
  return five;
}

// Reading the text at every evaluation: e_eval beside TinyExpr's compile, evaluate and free,
// over the main file and the five formulas.
void MeasureOneShot([[maybe_unused]] const std::filesystem::path& peersDir, [[maybe_unused]] peers::Variables& variables,
                    [[maybe_unused]] const peers::TimingPlan& plan) {
#ifdef MORVANE_PEER_TINYEXPR
  std::vector<Side> sides;
  sides.push_back({"ours e_eval (classic)", true, peers::MakeOursOneShot(variables)});
  sides.push_back({"TinyExpr one-shot", false, peers::MakeTinyexprOneShot(variables)});
  std::printf("\n# One-shot, the text read at every evaluation\n");
  const auto main = peers::ReadExpressions(peersDir / "math-parser-benchmark" / "bench_expr.txt");
  if (main) {
    std::fprintf(stderr, "timing %zu expressions of bench_expr.txt one-shot\n", main->size());
    PrintFile(MeasureFile("bench_expr.txt, one-shot", *main, sides, 1, variables, plan), sides, 1);
  }
  std::fprintf(stderr, "timing the five formulas one-shot\n");
  PrintFile(MeasureFile("the five formulas, one-shot", FiveFormulas(), sides, 1, variables, plan), sides, 1);
#else
  std::printf("\nOne-shot evaluation is measured beside TinyExpr, which is missing.\n");
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = QuickRequested(argc, argv);
  const peers::TimingPlan plan = quick ? peers::TimingPlan{5, 20us} : peers::TimingPlan{25, 1ms};
  const std::filesystem::path peersDir = MORVANE_PEERS_DIR;
  peers::Variables variables;
  const std::vector<Side> sides = MakeSides(variables, peersDir);
  // ExprTk is the public benchmark's reference; without it, the first peer there is.
  std::size_t reference = 0;
  while (reference < sides.size() && sides[reference].ours) ++reference;
  std::printf(
      "# Beside the peers%s\n\nReference: %s. Blocks of about %lld us, median of %zu per "
      "evaluator.\n",
      quick ? " (quick)" : "", sides[reference].name.c_str(),
      static_cast<long long>(plan.block.count() / 1000), plan.rounds);
  for (const char* name : {"bench_expr.txt", "bench_expr_all.txt"}) {
    const std::filesystem::path path = peersDir / "math-parser-benchmark" / name;
    const auto expressions = peers::ReadExpressions(path);
    if (!expressions) {
      std::printf("\n%s is missing (nothing at %s).\n", name, path.c_str());
      continue;
    }
    std::fprintf(stderr, "timing %zu expressions of %s\n", expressions->size(), name);
    PrintFile(MeasureFile(name, *expressions, sides, reference, variables, plan), sides, reference);
  }
  std::fprintf(stderr, "timing the five formulas\n");
  PrintFile(MeasureFile("the five formulas", FiveFormulas(), sides, reference, variables, plan), sides, reference);
  MeasureOneShot(peersDir, variables, plan);
  return 0;
}
