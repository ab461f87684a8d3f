// SPDX-License-Identifier: MIT
// The texts the text windows show, the same on every platform: the memory listing, the log
// view, the progress figures, and the choice offered for a very long text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/services.h"
#include "ui/text_windows.h"

namespace engine {
struct Engine;
}

namespace ui {

// "Show Memory:", the variables, the functions and the matrices.
std::u16string MemoryListing(engine::Engine& engine);

// "Log File:", the file's name and its content.
std::u16string LogView(std::u16string_view fileName, std::u16string_view content);

// round(current / count x 1000) / 10, as "42.5 %".
std::u16string ProgressPercent(std::int32_t current, std::int32_t count);
// How many of `width` bar cells are filled at current of count.
std::int32_t ProgressCells(std::int32_t current, std::int32_t count, std::int32_t width);

// Texts up to this length are shown directly; longer ones ask first.
inline constexpr std::size_t kLargeText = 100000;

// Shows the text in the text window, or, when it is longer than kLargeText, asks whether to
// view it, copy it to the clipboard or save it (through save, which returns whether it did).
void ShowLargeText(TextWindows& windows, platform::Services& os, std::u16string_view title, std::u16string_view text,
                   const std::function<bool(std::u16string_view)>& save);

}  // namespace ui
