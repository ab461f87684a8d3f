// SPDX-License-Identifier: MIT
// Windows that show texts to the user: the text window (a read-only view of a long text, in
// "Courier New"), the "Messages Window" of a batch run, and the progress of a run. On Windows
// they are windows; elsewhere the text goes to the terminal.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/services.h"

namespace ui {

class TextWindows {
 public:
  virtual ~TextWindows() = default;
  virtual void ShowText(std::u16string_view title, std::u16string_view text) = 0;
  // A line for the messages window, which opens when needed.
  virtual void AddMessage(std::u16string_view line) = 0;
};

// The progress of a script run, updated before each executed line.
class Progress {
 public:
  virtual ~Progress() = default;
  // Line `current` of `count` is about to run; false when the user has chosen to stop.
  virtual bool Update(std::int32_t current, std::int32_t count, std::u16string_view line) = 0;
  // The run is over: the progress display goes.
  virtual void Close() = 0;
};

// The platform's windows: real windows on Windows, stderr elsewhere.
std::unique_ptr<TextWindows> MakeNativeTextWindows(platform::Services& os);
// The progress box on Windows; nothing elsewhere (a program draws its own on a terminal).
std::unique_ptr<Progress> MakeNativeProgress(platform::Services& os);

}  // namespace ui
