// SPDX-License-Identifier: MIT
// Linux services: message boxes become lines on stderr, the clipboard lives in the process, and
// a question for a text or a file name is answered as cancelled: there is no dialog to ask with.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string>

#include "platform/services.h"
#include "platform/stdio_files.h"
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
  std::optional<std::string> ReadFile(std::u16string_view path) override {
    std::FILE* file = std::fopen(ToUtf8(path).c_str(), "rb");
    if (file == nullptr) return std::nullopt;
    return ReadAllAndClose(file);
  }

  bool WriteFile(std::u16string_view path, std::string_view bytes, bool append) override {
    const std::string target = ToUtf8(path);
    // Named for the thread too: sessions on two threads replacing the same file each write a
    // temporary of their own, and the file ends up whole, as one of them wrote it.
    const std::string written =
        append ? target : target + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(gettid());
    std::FILE* file = std::fopen(written.c_str(), append ? "ab" : "wb");
    if (file == nullptr) return false;
    const bool ok = WriteAllAndClose(file, bytes);
    if (append) return ok;
    if (ok && std::rename(written.c_str(), target.c_str()) == 0) return true;
    std::remove(written.c_str());
    return false;
  }

  // Text here is UTF-8 without saying so; a mark would be three stray bytes to the tools that
  // read it (grep, diff, the shell).
  bool WantsByteOrderMark() const override { return false; }

  bool MakeFolder(std::u16string_view path) override {
    const std::string folder = ToUtf8(path);
    return mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
  }

  std::u16string LocalTimeText() override {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%d/%m/%Y - %H:%M:%S", &local);
    return FromUtf8(text);
  }

  std::optional<std::u16string> AskText(std::u16string_view, std::u16string_view, std::u16string_view) override {
    return std::nullopt;
  }

  std::optional<std::u16string> AskFileName(std::u16string_view, std::u16string_view, bool) override {
    return std::nullopt;
  }

  std::u16string LibraryFolder() override {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&MakeNativeServices), &info) == 0 || info.dli_fname == nullptr) return u"./";
    const std::string path = info.dli_fname;
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? u"./" : FromUtf8(path.substr(0, slash + 1));
  }

  void SetClipboardText(std::u16string_view text) override { clipboard_ = text; }
  std::u16string ClipboardText() override { return clipboard_; }
  bool AppendLine(std::u16string_view path, std::u16string_view text) override {
    std::FILE* file = std::fopen(ToUtf8(path).c_str(), "ab");
    if (file == nullptr) return false;
    return WriteAllAndClose(file, ToUtf8(text) + "\r\n");
  }

 private:
  std::u16string clipboard_;  // what this process put on its clipboard
};

}  // namespace

std::unique_ptr<Services> MakeNativeServices() { return std::make_unique<PosixServices>(); }

}  // namespace platform
