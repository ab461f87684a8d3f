// SPDX-License-Identifier: MIT
// Live results: what each kind of line shows and what an edit evaluates again.
#include "plugin/live_results.h"

#include <gtest/gtest.h>

#include <chrono>


namespace {

using plugin::LineNote;
using plugin::NoteKind;

std::vector<LineNote> NotesOf(plugin::LiveResults& live, std::vector<std::u16string> lines) {
  live.Take(std::move(lines));
  while (live.Step()) {
  }
  return live.Notes();
}

TEST(LiveResultsTest, EachKindOfLine) {
  plugin::LiveResults live;
  const std::vector<LineNote> notes = NotesOf(live, {
      u"' a comment",
      u"Var = a ; 2",
      u"Expr = a^10 ' ten",
      u"a*3",
      u"2+",
      u"Funct = area ; r^2*pi",
      u"DimX = M(2,2) ; a = 1 ; b = 2",
      u"DimX = M(2,2) ; c = 3 ; d = 4",
      u"Expr = trace([M])",
      u"Plot(0;x;6.3;100) = sin(x)",
      u"ExprF(in.txt) = x",
      u"Show(M)",
      u"",
  });
  const std::vector<LineNote> expected = {
      {},
      {NoteKind::Result, u"Number a = 2.0000"},  // a definition shows the value it gave
      {NoteKind::Result, u"1024.0000"},
      {NoteKind::Result, u"6.0000"},             // a bare formula, as the menu commands take it
      {NoteKind::Failure, u"ERROR n. = 3: Parser syntax error (Module: eval)", {1, 2}},
      {},
      {},
      {},
      {NoteKind::Result, u"5.0000"},  // both DimX lines made one matrix
      {NoteKind::NotRun, u"Plot is not run live"},
      {NoteKind::NotRun, u"ExprF is not run live"},
      {NoteKind::Result, u"[M] | mA(0,0)=1.0000 mA(0,1)=2.0000 | mA(1,0)=3.0000 mA(1,1)=4.0000"},
      {},
  };
  EXPECT_EQ(notes, expected);
}

// The mark of a failure lies under the token where it was found, in the document's own line.
TEST(LiveResultsTest, AFailureIsMarkedWhereItWasFound) {
  plugin::LiveResults live;
  const std::vector<LineNote> notes = NotesOf(live, {u"2+*3", u"  Expr = 1 + nosuch * 2 ' why", u"Exprr = 1", u"Funct = f"});
  EXPECT_EQ(notes[0].span, (plugin::NoteSpan{2, 3}));
  EXPECT_EQ(notes[1].span, (plugin::NoteSpan{13, 19}));
  EXPECT_EQ(notes[2].span, (plugin::NoteSpan{0, 5}));  // the word that is no command
  EXPECT_EQ(notes[3].kind, NoteKind::Failure);
  EXPECT_EQ(notes[3].span, plugin::NoteSpan{});  // a definition marks its whole line
}

// Also the definitions run again above an edit: every evaluator of the document holds doubles.
TEST(LiveResultsTest, DoubleNumbersKeepEveryDigit) {
  plugin::LiveResults live(plugin::LiveOptions{.numbers = engine::Numbers::Double});
  std::vector<std::u16string> lines = {u"Var = a ; 0.1", u"Expr = a*3", u"1e5 + sin(1)"};
  const std::vector<LineNote> expected = {{NoteKind::Result, u"Number a = 0.1"},
                                          {NoteKind::Result, u"0.30000000000000004"},
                                          {NoteKind::Result, u"100000.84147098481"}};
  EXPECT_EQ(NotesOf(live, lines), expected);
  lines[1] = u"Expr = a*6";
  EXPECT_EQ(NotesOf(live, lines)[1], (LineNote{NoteKind::Result, u"0.6000000000000001"}));
}

TEST(LiveResultsTest, AnEditEvaluatesFromItsLineDown) {
  plugin::LiveResults live;
  std::vector<std::u16string> lines = {u"Var = x ; 3", u"Expr = 1/7", u"Var = y ; 4", u"Expr = x*y", u"Expr = x+1"};
  NotesOf(live, lines);
  lines[2] = u"Var = y ; 5";
  EXPECT_EQ(live.Take(lines), 2u);
  EXPECT_EQ(live.Done(), 2u);
  while (live.Step()) {
  }
  EXPECT_EQ(live.Notes()[3], (LineNote{NoteKind::Result, u"15.0000"}));  // x came from a line not evaluated again
  EXPECT_EQ(live.Notes()[4], (LineNote{NoteKind::Result, u"4.0000"}));
  EXPECT_EQ(live.Take(lines), lines.size());  // nothing changed
}

TEST(LiveResultsTest, ProseAndLimits) {
  plugin::LiveResults prose(plugin::LiveOptions{.script = false});
  const std::vector<LineNote> notes = NotesOf(prose, {u"Shopping for 3 days", u"12.5*3", u"Expr = 1/0+"});
  EXPECT_EQ(notes[0], LineNote{});  // no formula: no error either
  EXPECT_EQ(notes[1], (LineNote{NoteKind::Result, u"37.5000"}));
  EXPECT_EQ(notes[2].kind, NoteKind::Failure);  // a command is meant as one

  // Every line counts as slow here: once taken too long, a line is not evaluated again.
  plugin::LiveResults slow(plugin::LiveOptions{.slowLine = std::chrono::milliseconds(-1)});
  std::vector<std::u16string> lines = {u"Expr = 1", u"Expr = 2"};
  EXPECT_EQ(NotesOf(slow, lines)[1], (LineNote{NoteKind::Result, u"2.0000"}));
  lines[0] = u"Expr = 3";
  EXPECT_EQ(NotesOf(slow, lines)[1], (LineNote{NoteKind::NotRun, u"Not run live: it took too long"}));

  plugin::LiveResults small(plugin::LiveOptions{.maxLines = 2});
  const std::vector<LineNote> off = NotesOf(small, {u"1", u"2", u"3"});
  EXPECT_EQ(off[0], (LineNote{NoteKind::NotRun, u"No live results: the document has more than 2 lines"}));
  EXPECT_EQ(off[1], LineNote{});
}

}  // namespace
