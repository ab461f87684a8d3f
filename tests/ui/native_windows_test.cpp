// SPDX-License-Identifier: MIT
// The Windows text windows and progress box, on whatever desktop the run has (a virtual one
// in the test run): they open, take their texts and close without holding the run up.
#include <gtest/gtest.h>

#include <string>

#include "support/recording_services.h"
#include "ui/text_windows.h"

namespace {

TEST(NativeWindowsTest, TextsMessagesAndProgressNeverStopARun) {
  testing_support::RecordingServices services;
  const std::unique_ptr<ui::TextWindows> windows = ui::MakeNativeTextWindows(services);
  ASSERT_NE(windows, nullptr);
  windows->ShowText(u"Show Memory", u"Show Memory:\r\n\r\nVariables:\r\n" + std::u16string(20000, u'x'));
  for (int i = 0; i < 10; ++i) windows->AddMessage(u"Eval Executed : Commands: 1, Errors: 0");

  const std::unique_ptr<ui::Progress> progress = ui::MakeNativeProgress(services);
  ASSERT_NE(progress, nullptr);
  for (std::int32_t line = 1; line <= 5000; ++line) ASSERT_TRUE(progress->Update(line, 5000, u"Expr = 1"));
  progress->Close();
  progress->Close();  // twice is harmless
  EXPECT_TRUE(services.shown.empty());  // nobody was asked "Continue?"
}

}  // namespace
