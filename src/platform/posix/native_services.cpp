// SPDX-License-Identifier: MIT
// Linux services: message boxes become lines on stderr and the clipboard lives in the process.
#include <cstdio>
#include <string>

#include "platform/services.h"
#include "platform/utf8.h"

namespace platform {
namespace {

class PosixServices final : public Services {
 public:
  Answer ShowMessage(std::u16string_view text, std::u16string_view title, Buttons buttons) override {
    std::string line = ToUtf8(title) + ": " + ToUtf8(text) + "\n";
    std::fputs(line.c_str(), stderr);
    switch (buttons) {
      case Buttons::Ok: return Answer::Ok;
      case Buttons::YesNo: return Answer::No;
      case Buttons::YesNoCancel: return Answer::Cancel;
    }
    return Answer::Ok;
  }
  void SetClipboardText(std::u16string_view text) override { clipboard_ = text; }
  std::u16string ClipboardText() override { return clipboard_; }
  bool AppendLine(std::u16string_view path, std::u16string_view text) override {
    std::FILE* file = std::fopen(ToUtf8(path).c_str(), "ab");
    if (file == nullptr) return false;
    std::string line = ToUtf8(text) + "\r\n";
    bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    return std::fclose(file) == 0 && written;
  }

 private:
  std::u16string clipboard_;  // what this process put on its clipboard
};

}  // namespace

std::unique_ptr<Services> MakeNativeServices() { return std::make_unique<PosixServices>(); }

}  // namespace platform
