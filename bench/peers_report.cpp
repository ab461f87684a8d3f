// SPDX-License-Identifier: MIT
#include "peers_report.h"

#include <cmath>
#include <cstdio>

namespace peers {
namespace {

// Prepared expressions take a few ns: whole ns would hide the differences among them.
std::string Ns(double ns) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", ns < 100 ? 1 : 0, ns);
  return text;
}

std::string Ratio(double ratio) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2fx", ratio);
  return text;
}

std::string Cell(const Outcome& outcome) {
  switch (outcome.verdict) {
    case Verdict::Agrees: return Ns(outcome.ns);
    case Verdict::Differs: return Ns(outcome.ns) + " ≠";
    case Verdict::Unchecked: return Ns(outcome.ns) + " ?";
    case Verdict::Rejected: break;
  }
  return "rejected";
}

std::string Quoted(const Expression& expression) { return "`" + expression.text + "`"; }

bool InCommonSet(const Row& row) {
  for (const Outcome& outcome : row.outcomes)
    if (outcome.verdict != Verdict::Agrees) return false;
  return true;
}

// exp of the mean log: each expression weighs alike, however fast.
double GeometricMean(const std::vector<double>& values) {
  double logs = 0;
  for (double value : values) logs += std::log(value);
  return std::exp(logs / static_cast<double>(values.size()));
}

std::vector<double> CommonTimes(const std::vector<Row>& rows, std::size_t side) {
  std::vector<double> times;
  for (const Row& row : rows)
    if (InCommonSet(row)) times.push_back(row.outcomes[side].ns);
  return times;
}

void PrintExpressions(const FileResult& result, const std::vector<Side>& sides) {
  std::printf("| line | expression |");
  for (const Side& side : sides) std::printf(" %s |", side.name.c_str());
  std::printf("\n|---:|---|");
  for (std::size_t i = 0; i < sides.size(); ++i) std::printf("---:|");
  std::printf("\n");
  for (const Row& row : result.rows) {
    std::printf("| %d | %s |", row.expression.line, Quoted(row.expression).c_str());
    for (const Outcome& outcome : row.outcomes) std::printf(" %s |", Cell(outcome).c_str());
    std::printf("\n");
  }
}

std::size_t Count(const std::vector<Row>& rows, std::size_t side, Verdict verdict) {
  std::size_t count = 0;
  for (const Row& row : rows) count += row.outcomes[side].verdict == verdict;
  return count;
}

// Our speed over each side's: the side's time over ours, so above 1 we are faster.
void PrintSummaryTable(const FileResult& result, const std::vector<Side>& sides) {
  std::vector<double> means;
  for (std::size_t i = 0; i < sides.size(); ++i)
    means.push_back(GeometricMean(CommonTimes(result.rows, i)));
  std::printf("| evaluator | accepted | rejected | disagreed | geometric mean ns |");
  for (const Side& side : sides)
    if (side.ours) std::printf(" %s speed ÷ its speed |", side.name.c_str());
  std::printf("\n|---|---:|---:|---:|---:|");
  for (const Side& side : sides)
    if (side.ours) std::printf("---:|");
  std::printf("\n");
  for (std::size_t i = 0; i < sides.size(); ++i) {
    const std::size_t rejected = Count(result.rows, i, Verdict::Rejected);
    std::printf("| %s | %zu | %zu | %zu | %s |", sides[i].name.c_str(),
                result.rows.size() - rejected, rejected, Count(result.rows, i, Verdict::Differs),
                Ns(means[i]).c_str());
    for (std::size_t ours = 0; ours < sides.size(); ++ours)
      if (sides[ours].ours) std::printf(" %s |", Ratio(means[i] / means[ours]).c_str());
    std::printf("\n");
  }
}

// Each of our sides beside each peer over what the two alone accept and agree on, so that one
// evaluator's gaps do not shrink every other comparison.
void PrintPairs(const FileResult& result, const std::vector<Side>& sides) {
  std::printf(
      "\n| ours | peer | expressions both accept and agree on | our speed ÷ peer speed |\n");
  std::printf("|---|---|---:|---:|\n");
  for (std::size_t ours = 0; ours < sides.size(); ++ours) {
    if (!sides[ours].ours) continue;
    for (std::size_t peer = 0; peer < sides.size(); ++peer) {
      if (sides[peer].ours) continue;
      std::vector<double> ratios;
      for (const Row& row : result.rows)
        if (row.outcomes[ours].verdict == Verdict::Agrees &&
            row.outcomes[peer].verdict == Verdict::Agrees)
          ratios.push_back(row.outcomes[peer].ns / row.outcomes[ours].ns);
      std::printf("| %s | %s | %zu | %s |\n", sides[ours].name.c_str(), sides[peer].name.c_str(),
                  ratios.size(), ratios.empty() ? "-" : Ratio(GeometricMean(ratios)).c_str());
    }
  }
}

void PrintFailures(const FileResult& result, const std::vector<Side>& sides,
                   std::size_t reference) {
  for (Verdict verdict : {Verdict::Rejected, Verdict::Differs, Verdict::Unchecked}) {
    for (std::size_t i = 0; i < sides.size(); ++i) {
      const std::size_t count = Count(result.rows, i, verdict);
      if (count == 0) continue;
      const char* what = verdict == Verdict::Rejected ? "rejects"
                         : verdict == Verdict::Differs
                             ? "differs from the reference on"
                             : "is unchecked (the reference rejects it) on";
      std::printf("\n%s %s %zu:\n", sides[i].name.c_str(), what, count);
      for (const Row& row : result.rows) {
        const Outcome& outcome = row.outcomes[i];
        if (outcome.verdict != verdict) continue;
        std::printf("- line %d %s", row.expression.line, Quoted(row.expression).c_str());
        if (verdict == Verdict::Differs)
          std::printf(": %s (%s)\n", outcome.detail.c_str(), sides[reference].name.c_str());
        else
          std::printf("%s%s\n", outcome.detail.empty() ? "" : ": ", outcome.detail.c_str());
      }
    }
  }
}

void PrintLeftOut(const FileResult& result) {
  std::printf(
      "\nLeft out as chained powers (a^b^c, read from the left by us and from the right by the "
      "peers): "
      "%zu\n",
      result.leftOut.size());
  for (const Expression& expression : result.leftOut)
    std::printf("- line %d %s\n", expression.line, Quoted(expression).c_str());
}

// Our first side (the default context) against the reference, expression by expression.
void PrintSlowerThanTwice(const FileResult& result, const std::vector<Side>& sides,
                          std::size_t reference) {
  std::size_t ours = 0;
  while (!sides[ours].ours) ++ours;
  std::vector<const Row*> slow;
  for (const Row& row : result.rows) {
    const Outcome& mine = row.outcomes[ours];
    const Outcome& theirs = row.outcomes[reference];
    if (mine.verdict != Verdict::Rejected && theirs.verdict != Verdict::Rejected &&
        mine.ns > 2 * theirs.ns)
      slow.push_back(&row);
  }
  std::printf("\n%s slower than twice %s: %zu\n", sides[ours].name.c_str(),
              sides[reference].name.c_str(), slow.size());
  for (const Row* row : slow)
    std::printf("- line %d %s: %s ns against %s ns (%.1fx the time)\n", row->expression.line,
                Quoted(row->expression).c_str(), Ns(row->outcomes[ours].ns).c_str(),
                Ns(row->outcomes[reference].ns).c_str(),
                row->outcomes[ours].ns / row->outcomes[reference].ns);
}

}  // namespace

void PrintFile(const FileResult& result, const std::vector<Side>& sides, std::size_t reference) {
  std::size_t common = 0;
  for (const Row& row : result.rows) common += InCommonSet(row);
  std::printf("\n## %s\n\n", result.name.c_str());
  std::printf(
      "%zu expressions, %zu timed, %zu left out as chained powers. Median ns per evaluation; "
      "≠ differs from %s by more than 1e-6 relative to max(1, |value|), ? unchecked as %s "
      "rejects it. The timing loop alone takes %s ns: a ratio against a time near that is a "
      "lower bound.\n\n",
      result.rows.size() + result.leftOut.size(), result.rows.size(), result.leftOut.size(),
      sides[reference].name.c_str(), sides[reference].name.c_str(), Ns(result.floorNs).c_str());
  PrintExpressions(result, sides);
  std::printf("\n### Summary of %s\n\n", result.name.c_str());
  std::printf(
      "Geometric means over the %zu of %zu timed expressions that every evaluator accepts and "
      "agrees on.\n\n",
      common, result.rows.size());
  if (common > 0) PrintSummaryTable(result, sides);
  PrintPairs(result, sides);
  PrintFailures(result, sides, reference);
  PrintLeftOut(result);
  PrintSlowerThanTwice(result, sides, reference);
}

}  // namespace peers
