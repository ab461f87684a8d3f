// SPDX-License-Identifier: MIT
// The texts of the text windows and the choice offered for a very long text.
#include <string>
#include <vector>

#include "engine/var_store.h"
#include "support/engine_fixture.h"
#include "ui/text_views.h"

namespace {

using testing_support::Narrow;

struct RecordingWindows final : ui::TextWindows {
  void ShowText(std::u16string_view title, std::u16string_view text) override {
    shown.push_back(std::u16string(title) + u": " + std::u16string(text.substr(0, 20)));
  }
  void AddMessage(std::u16string_view line) override { messages.emplace_back(line); }
  std::vector<std::u16string> shown;
  std::vector<std::u16string> messages;
};

TEST(ProgressFiguresTest, PercentageInTenthsAndBarCells) {
  const struct {
    std::int32_t current, count;
    const char16_t* percent;
    std::int32_t cells;  // of 40
  } cases[] = {
      {0, 10, u"0 %", 0},    {1, 3, u"33.3 %", 13},  {2, 3, u"66.7 %", 26}, {1, 8, u"12.5 %", 5},
      {10, 10, u"100 %", 40}, {12, 10, u"120 %", 40}, {5, 0, u"0 %", 0},    {-1, 10, u"-10 %", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ui::ProgressPercent(c.current, c.count), c.percent) << c.current << "/" << c.count;
    EXPECT_EQ(ui::ProgressCells(c.current, c.count, 40), c.cells) << c.current << "/" << c.count;
  }
}

class TextViewsTest : public testing_support::EngineTest {
 protected:
  RecordingWindows windows;
  std::vector<std::u16string> saved;
  void ShowLarge(std::size_t length) {
    ui::ShowLargeText(windows, services, u"Log", std::u16string(length, u'x'), [&](std::u16string_view text) {
      saved.emplace_back(text.substr(0, 3));
      return true;
    });
  }
  std::u16string LastMessage() const { return services.shown.empty() ? u"" : services.shown.back().text; }
};

TEST_F(TextViewsTest, MemoryListingShowsEmptySectionsToo) {
  const std::u16string empty = ui::MemoryListing(eng);
  EXPECT_EQ(empty.rfind(u"Show Memory:\r\n\r\nVariables:\r\n\r\nFunctions:\r\n\r\n", 0), 0u) << Narrow(empty);
  engine::SetVarFunct(eng.core, eng.vars, u"a", u"1.5", false);
  engine::SetVarFunct(eng.core, eng.vars, u"f", u"x^2", true);
  const std::u16string listed = ui::MemoryListing(eng);
  EXPECT_NE(listed.find(u"Variables:\r\na = 1.5; \r\nFunctions:\r\nf = x^2; \r\n"), std::u16string::npos)
      << Narrow(listed);
  EXPECT_EQ(ui::LogView(u"run.log", u"line"), u"Log File:\r\nFileName:run.log\r\n\r\nline");
}

TEST_F(TextViewsTest, TextsUpToTheLimitAreShownWithoutAsking) {
  ShowLarge(ui::kLargeText);
  EXPECT_EQ(windows.shown.size(), 1u);
  EXPECT_TRUE(services.shown.empty());
  EXPECT_TRUE(services.asked.empty());
}

TEST_F(TextViewsTest, LongerTextsOfferViewClipboardSaveOrNothing) {
  services.textAnswers = {u"1", u"2", u"3", u"0", u"7", std::nullopt};
  ShowLarge(ui::kLargeText + 1);  // 1: view
  EXPECT_EQ(windows.shown.size(), 1u);
  EXPECT_EQ(services.shown.back().text.rfind(u"Text is 100001 characters long and may take time to be loaded.\r\n\r\n"
                                             u"You can:\t1) view it\r\n", 0),
            0u);
  EXPECT_EQ(services.asked.back(), u"text: 1=View, 2=To Clipboard, 3=Save To File, 0=Exit");
  ShowLarge(ui::kLargeText + 1);  // 2: clipboard
  EXPECT_EQ(services.clipboard.size(), ui::kLargeText + 1);
  EXPECT_EQ(LastMessage(), u"Text copied to clipboard");
  ShowLarge(ui::kLargeText + 1);  // 3: save
  EXPECT_EQ(saved, std::vector<std::u16string>{u"xxx"});
  EXPECT_EQ(LastMessage(), u"Text saved to file");
  const std::size_t messages = services.shown.size();
  ShowLarge(ui::kLargeText + 1);  // 0: nothing, quietly
  EXPECT_EQ(services.shown.size(), messages + 1);  // only the question
  ShowLarge(ui::kLargeText + 1);  // anything else
  EXPECT_EQ(LastMessage(), u"Nothing done");
  ShowLarge(ui::kLargeText + 1);  // the box cancelled: as 0
  EXPECT_EQ(windows.shown.size(), 1u);
  EXPECT_EQ(LastMessage().rfind(u"Text is", 0), 0u);
}

}  // namespace
