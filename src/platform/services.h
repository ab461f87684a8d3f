// SPDX-License-Identifier: MIT
// The operating-system services the engine needs, behind one small interface, so that the core
// never includes an OS header and tests can record what would have popped up.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

class Services {
 public:
  virtual ~Services() = default;
  // A message box; without a user to ask, the safe answer (No, Cancel or Ok).
  virtual Answer ShowMessage(std::u16string_view text, std::u16string_view title,
                             Buttons buttons) = 0;
  virtual void SetClipboardText(std::u16string_view text) = 0;
  virtual std::u16string ClipboardText() = 0;
  // Appends text and a line end to a file, creating it; false when it cannot be written.
  virtual bool AppendLine(std::u16string_view path, std::u16string_view text) = 0;
  // The whole file, or nothing when it cannot be read.
  virtual std::optional<std::string> ReadFile(std::u16string_view path) = 0;
  // Appends bytes to a file, or replaces its contents: the new contents go to a temporary file
  // first and replace the old one in one step, so an interrupted write never leaves half a file.
  virtual bool WriteFile(std::u16string_view path, std::string_view bytes, bool append) = 0;
  // Whether a text file written afresh starts with a UTF-8 byte-order mark, so that the
  // platform's editors read it as UTF-8.
  virtual bool WantsByteOrderMark() const = 0;
  // Creates a folder (its parent must exist); true when it exists afterwards.
  virtual bool MakeFolder(std::u16string_view path) = 0;
  // The local date and time as "dd/mm/yyyy - hh:ii:ss".
  virtual std::u16string LocalTimeText() = 0;
  // A line of text asked for in an input box that starts with the default; nothing when
  // cancelled or without a user to ask.
  virtual std::optional<std::u16string> AskText(std::u16string_view prompt, std::u16string_view title,
                                                std::u16string_view initial) = 0;
  // A file name from the open or save dialog; nothing when cancelled or without dialogs. The
  // filter is "Description|pattern|Description|pattern".
  virtual std::optional<std::u16string> AskFileName(std::u16string_view title, std::u16string_view filter,
                                                    bool forSaving) = 0;
  // A host with a desktop user (an editor) wants questions asked in boxes and dialogs even when
  // the process also has a console; by default a console gets them as text. The boxes belong
  // to the host's window (a native window handle; may be null).
  virtual void PreferDialogs(void* owner) { static_cast<void>(owner); }
  // The folder of the library's own file (the DLL, or the program it is linked into), ending
  // in its separator.
  virtual std::u16string LibraryFolder() = 0;
};

// The services of the platform the library was built for.
std::unique_ptr<Services> MakeNativeServices();

}  // namespace platform
