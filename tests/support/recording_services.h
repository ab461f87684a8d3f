// SPDX-License-Identifier: MIT
// Platform services for tests: message boxes are recorded and answered from a script, the
// clipboard is a string.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/services.h"

namespace testing_support {

struct ShownMessage {
  std::u16string text;
  std::u16string title;
  platform::Buttons buttons;
};

class RecordingServices final : public platform::Services {
 public:
  platform::Answer ShowMessage(std::u16string_view text, std::u16string_view title,
                               platform::Buttons buttons) override;
  void SetClipboardText(std::u16string_view text) override { clipboard = text; }
  std::u16string ClipboardText() override { return clipboard; }
  bool AppendLine(std::u16string_view path, std::u16string_view text) override {
    appended.push_back(std::u16string(path) + u": " + std::u16string(text));
    return true;
  }
  std::optional<std::string> ReadFile(std::u16string_view path) override {
    auto found = files.find(std::u16string(path));
    if (found == files.end()) return std::nullopt;
    return found->second;
  }
  bool WriteFile(std::u16string_view path, std::string_view bytes, bool append) override {
    if (readOnly.contains(std::u16string(path))) return false;
    std::string& contents = files[std::u16string(path)];
    if (!append) contents.clear();
    contents.append(bytes);
    return true;
  }
  bool WantsByteOrderMark() const override { return byteOrderMark; }
  bool MakeFolder(std::u16string_view path) override {
    folders.push_back(std::u16string(path));
    return true;
  }
  std::u16string LocalTimeText() override { return u"08/12/2026 - 10:20:30"; }
  std::optional<std::u16string> AskText(std::u16string_view prompt, std::u16string_view, std::u16string_view) override {
    asked.push_back(u"text: " + std::u16string(prompt));
    if (textAnswers.empty()) return std::nullopt;
    std::optional<std::u16string> answer = textAnswers.front();
    textAnswers.pop_front();
    return answer;
  }
  std::optional<std::u16string> AskFileName(std::u16string_view title, std::u16string_view filter,
                                            bool forSaving) override {
    asked.push_back(std::u16string(forSaving ? u"save: " : u"open: ") + std::u16string(title) + u" " +
                    std::u16string(filter));
    if (fileNames.empty()) return std::nullopt;
    std::optional<std::u16string> name = fileNames.front();
    fileNames.pop_front();
    return name;
  }
  std::u16string LibraryFolder() override { return u"lib/"; }

  std::vector<ShownMessage> shown;      // every message box, in order
  std::deque<platform::Answer> answers; // answers to give; Ok/No when empty
  std::deque<std::optional<std::u16string>> fileNames;  // dialog answers; cancelled when empty
  std::deque<std::optional<std::u16string>> textAnswers;  // input box answers; cancelled when empty
  std::vector<std::u16string> asked;    // "open: title filter", "save: ..." or "text: prompt" per question
  std::u16string clipboard;
  std::map<std::u16string, std::string> files;  // the files written and to be read
  std::set<std::u16string> readOnly;    // files that cannot be written
  bool byteOrderMark = false;           // off on every platform, so files hold just the text
  std::vector<std::u16string> folders;  // folders made
  std::vector<std::u16string> appended;  // "path: line" per AppendLine
};

}  // namespace testing_support
