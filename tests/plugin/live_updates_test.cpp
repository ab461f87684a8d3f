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
  view.SetNote(7, "left from before", NoteKind::Result);
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

}  // namespace
