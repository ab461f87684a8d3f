// SPDX-License-Identifier: MIT
// Live results after an edit on a script document's middle line: reading the document's lines,
// evaluating from the edited line down and putting the notes on the (in-memory) view, for
// documents of 1,000 to 10,000 lines, to show how the cost grows. The line from the top is the
// whole document evaluated afresh, as when it is opened.
#include <benchmark/benchmark.h>

#include <string>

#include "plugin/fake_editor.h"
#include "plugin/live_results.h"
#include "plugin/live_updates.h"

namespace {

// Definitions, formulas, comments and bare formulas, as a worked sheet has them, under the two
// functions it defines first.
std::string Document(int lines) {
  std::string text = "Funct = area ; r^2*pi\r\nFunct = ramp ; t*(t+1)/2\r\n";
  for (int line = 2; line < lines; ++line) {
    const std::string k = std::to_string(line / 8);
    switch (line % 8) {
      case 0: text += "' part " + k; break;
      case 1: text += "Var = a" + k + " ; " + k + ".5"; break;
      case 2: text += "Expr = a" + k + "^2+sqrt(a" + k + ")*sin(a" + k + ")"; break;
      case 3: text += "Var = r ; " + k + ".25"; break;
      case 4: text += "Expr = area/(1+a" + k + ")"; break;
      case 5: text += "StoExpr(b" + k + ") = a" + k + "*2+1"; break;
      case 6: text += "b" + k + "*(a" + k + "-1)"; break;
      case 7: break;
    }
    text += "\r\n";
  }
  return text;
}

// The document with its middle line's value changed, one way or the other.
std::string Edited(const std::string& text, int lines, bool other) {
  int middle = lines / 2;
  middle -= middle % 8 - 1;  // a definition line, so that the lines below change
  std::size_t at = 0;
  for (int line = 0; line < middle; ++line) at = text.find('\n', at) + 1;
  const std::size_t end = text.find('\r', at);
  std::string edited = text;
  edited.replace(at, end - at, "Var = a" + std::to_string(middle / 8) + (other ? " ; 7" : " ; 9"));
  return edited;
}

void Update(plugin::LiveResults& live, testing_support::FakeEditor& view) {
  const std::size_t first = live.Take(plugin::SplitLines(view.document));
  while (live.Step()) {
  }
  const std::vector<plugin::LineNote>& notes = live.Notes();
  plugin::ShowNotes(view, first, {notes.begin() + static_cast<std::ptrdiff_t>(first), notes.end()});
}

void BM_EditOnMiddleLine(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const std::string text = Document(lines);
  const std::string versions[2] = {Edited(text, lines, false), Edited(text, lines, true)};
  plugin::LiveResults live;
  testing_support::FakeEditor view;
  view.document = versions[0];
  Update(live, view);
  int turn = 0;
  for (auto _ : state) {
    view.document = versions[++turn % 2];
    Update(live, view);
  }
  state.SetItemsProcessed(state.iterations() * lines / 2);  // lines evaluated again
}
BENCHMARK(BM_EditOnMiddleLine)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_WholeDocument(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  testing_support::FakeEditor view;
  view.document = Document(lines);
  for (auto _ : state) {
    plugin::LiveResults live;
    view.ClearNotes();
    Update(live, view);
  }
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_WholeDocument)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
