// SPDX-License-Identifier: MIT
#include "terminal.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <io.h>
#define IS_TERMINAL(fd) _isatty(fd)
#else
#include <unistd.h>
#define IS_TERMINAL(fd) isatty(fd)
#endif

#include "platform/utf8.h"
#include "ui/text_views.h"

namespace ulvxnpp {
namespace {

void Write(std::FILE* stream, std::u16string_view text) {
  std::string utf8 = platform::ToUtf8(text);
  std::erase(utf8, '\r');
  std::fputs(utf8.c_str(), stream);
}

class TerminalTexts final : public ui::TextWindows {
 public:
  void ShowText(std::u16string_view, std::u16string_view text) override {
    Write(stdout, text);
    Write(stdout, u"\n");
  }
  void AddMessage(std::u16string_view line) override {
    Write(stderr, line);
    Write(stderr, u"\n");
  }
};

class TerminalProgress final : public ui::Progress {
 public:
  bool Update(std::int32_t current, std::int32_t count, std::u16string_view) override {
    const std::u16string percent = ui::ProgressPercent(current, count);
    if (percent == shown_) return true;  // one redraw per tenth of a percent at most
    shown_ = percent;
    constexpr std::int32_t kWidth = 40;
    const std::int32_t cells = ui::ProgressCells(current, count, kWidth);
    const std::string bar = std::string(static_cast<std::size_t>(cells), '|') +
                            std::string(static_cast<std::size_t>(kWidth - cells), ' ');
    std::fprintf(stderr, "\r[%s] %s", bar.c_str(), platform::ToUtf8(percent).c_str());
    std::fflush(stderr);
    return true;
  }
  void Close() override {
    if (shown_.empty()) return;
    std::fprintf(stderr, "\r%60s\r", "");
    std::fflush(stderr);
    shown_.clear();
  }

 private:
  std::u16string shown_;  // the percentage on the screen
};

}  // namespace

std::unique_ptr<ui::TextWindows> MakeTerminalTexts() { return std::make_unique<TerminalTexts>(); }

std::unique_ptr<ui::Progress> MakeTerminalProgress() {
  if (IS_TERMINAL(2) == 0) return nullptr;
  return std::make_unique<TerminalProgress>();
}

}  // namespace ulvxnpp
