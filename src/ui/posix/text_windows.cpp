// SPDX-License-Identifier: MIT
// Without windows, texts and messages go to stderr, like message boxes do; a program that
// wants them elsewhere (stdout, a progress bar on its terminal) brings its own.
#include <cstdio>
#include <string>

#include "platform/utf8.h"
#include "ui/text_windows.h"

namespace ui {
namespace {

void Write(std::u16string_view text) {
  std::string utf8 = platform::ToUtf8(text);
  std::erase(utf8, '\r');
  std::fputs(utf8.c_str(), stderr);
}

class StderrTextWindows final : public TextWindows {
 public:
  void ShowText(std::u16string_view title, std::u16string_view text) override {
    Write(std::u16string(title) + u":\n");
    Write(text);
    Write(u"\n");
  }
  void AddMessage(std::u16string_view line) override {
    Write(line);
    Write(u"\n");
  }
};

}  // namespace

std::unique_ptr<TextWindows> MakeNativeTextWindows(platform::Services&) { return std::make_unique<StderrTextWindows>(); }

std::unique_ptr<Progress> MakeNativeProgress(platform::Services&) { return nullptr; }

}  // namespace ui
