// SPDX-License-Identifier: MIT
// The Windows text windows and progress box, on whatever desktop the run has (a virtual one
// in the test run): they open, take their texts and close without holding the run up.
#include <windows.h>

#include <string>
#include <vector>

#include "support/engine_fixture.h"
#include "support/screenshot.h"
#include "ui/decoded_image.h"
#include "ui/native_plot_output.h"
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

void HandleEvents() {
  for (int round = 0; round < 20; ++round) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

class PlotWindowTest : public testing_support::EngineTest {};

TEST_F(PlotWindowTest, APlotWindowShowsTheCurveAndItsButtonsUntilTheNextRun) {
  ui::PlotRecord record = ui::ParsePlot(u"0;x;6.3;100", u"sin(x)");
  ui::SamplePlot(eng, record);
  const std::unique_ptr<ui::PlotOutput> plots = ui::MakeNativePlotOutput(eng);
  const ui::ShownPlot shown = plots->Show(record, 1, {});
  EXPECT_TRUE(shown.file.empty());  // not saved: a window
  if (!plots->HasOpenWindows()) GTEST_SKIP() << "no desktop to open windows on: " << testing_support::Narrow(shown.failure);
  HWND window = FindWindowW(L"ulvXNppPlotWindow", L"aPlot #1");
  ASSERT_NE(window, nullptr);
  for (const wchar_t* button : {L"Redraw", L"Close", L"Redraw from"})
    EXPECT_NE(FindWindowExW(window, nullptr, L"BUTTON", button), nullptr) << "button missing";
  SetForegroundWindow(window);
  HandleEvents();

  const std::string picture = testing_support::ScreenshotJpeg(window);
  testing_support::KeepArtifact("plot-window.jpg", picture);
  const testing_support::DecodedImage image = testing_support::DecodeImage(picture);
  int curve = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) curve += image.CurveAt(x, y) ? 1 : 0;
  EXPECT_GT(curve, 200) << "the curve is not on the screen";

  // "Redraw from" a new start and end samples again; "Close" closes.
  SetDlgItemTextW(window, 10 * 1 + 115, L"1");
  SetDlgItemTextW(window, 10 * 1 + 116, L"2");
  SendMessageW(FindWindowExW(window, nullptr, L"BUTTON", L"Redraw from"), BM_CLICK, 0, 0);
  HandleEvents();
  EXPECT_TRUE(plots->HasOpenWindows());
  SendMessageW(FindWindowExW(window, nullptr, L"BUTTON", L"Close"), BM_CLICK, 0, 0);
  HandleEvents();
  EXPECT_FALSE(plots->HasOpenWindows());

  plots->Show(record, 1, {});
  ASSERT_TRUE(plots->HasOpenWindows());
  plots->StartRun();  // the next run closes the windows of the last
  EXPECT_FALSE(plots->HasOpenWindows());
  EXPECT_EQ(FindWindowW(L"ulvXNppPlotWindow", L"aPlot #1"), nullptr);
}

}  // namespace
