// SPDX-License-Identifier: MIT
// Live results from the evaluating thread: a newer text replaces an older one at once, the
// notes reach the view, and a forgotten document starts afresh. Run under ThreadSanitizer too.
#include "plugin/live_updates.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "plugin/fake_editor.h"

namespace {

using plugin::NoteKind;

TEST(LiveUpdatesTest, NotesReachTheViewFromTheThread) {
  testing_support::FakeEditor view;
  view.SetNote(7, "left from before", NoteKind::Result, {});
  plugin::LiveUpdates updates;
  auto settle = [&] {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (updates.Apply(1, view) && std::chrono::steady_clock::now() < give_up)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  std::string text;
  for (int k = 0; k < 2000; ++k) text += "Var = v ; " + std::to_string(k) + "\r\nExpr = v*2\r\n";
  updates.Submit(1, text, {});
  updates.Submit(1, "Var = v ; 1\nExpr = v*2\n\n\n\n\n\n\n", {});  // replaces the long text at once
  settle();
  EXPECT_EQ(view.Note(0), "Number v = 1.0000");
  EXPECT_EQ(view.Note(1), "2.0000");
  EXPECT_EQ(view.Note(7), "");  // a note the line no longer has goes

  updates.Forget(1);
  updates.Submit(1, "Expr = 6*7", {});
  settle();
  EXPECT_EQ(view.Note(0), "42.0000");
  updates.Submit(1, "Expr = 6*7", {.numbers = engine::Numbers::Double});  // the same text in other numbers
  settle();
  EXPECT_EQ(view.Note(0), "42");
}

// A line that would run for half a minute is cancelled by the text that removes it, by a change
// of a line above it (but not below: it runs on), and by the end of live results, which
// never waits for it.
TEST(LiveUpdatesTest, LongLineIsCancelledWhenItsTextChanges) {
  constexpr const char* kLong = "Integrate(0;1;2000000000;mid;x) = x*x+rnd(1)*0";
  const auto waitForNotes = [](plugin::LiveUpdates& updates, testing_support::FakeEditor& view) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (updates.Apply(1, view) && std::chrono::steady_clock::now() < give_up)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return !updates.Apply(1, view);
  };
  testing_support::FakeEditor view;
  {
    plugin::LiveUpdates updates;
    updates.Submit(1, std::string("Expr = 1\r\n") + kLong, {});
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    updates.Submit(1, "Expr = 1\r\nExpr = 2", {});
    EXPECT_TRUE(waitForNotes(updates, view));
    EXPECT_EQ(view.Note(1), "2.0000");

    updates.Submit(1, std::string("Expr = 3\r\n") + kLong, {});
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    updates.Submit(1, "Expr = 5\r\nExpr = 6", {});  // line 0 changed: line 1 starts afresh
    EXPECT_TRUE(waitForNotes(updates, view));
    EXPECT_EQ(view.Note(0), "5.0000");
    EXPECT_EQ(view.Note(1), "6.0000");

    updates.Submit(1, std::string("Expr = 5\r\n") + kLong, {});
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    updates.Submit(1, std::string("Expr = 5\r\n") + kLong + "\r\nExpr = 4", {});
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(updates.Apply(1, view));  // a line added below: the long line runs on
  }
  // Ended with the long line running: the destructor took no half minute (the test's own time
  // shows it), and the line kept no note of the cancelled run.
  EXPECT_EQ(view.Note(1), "6.0000");
}

}  // namespace
