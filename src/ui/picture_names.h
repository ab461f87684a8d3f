// SPDX-License-Identifier: MIT
// Saved plot pictures are named ulvPlot_001.png, ulvPlot_002.jpg, ... in their folder: the
// number is one more than the highest already there, whatever the extension, so a new picture
// never replaces an older one, and the pictures sort in the order they were made.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

// The path of the next picture in folder (empty: the current folder) with the extension
// ("png", "svg", "jpg").
std::u16string NextPictureName(std::u16string_view folder, std::u16string_view extension);

// Deletes the pictures named by that scheme in folder (only those: other pictures there are
// the user's); returns how many were deleted, or -1 when the folder cannot be read.
std::int32_t DeleteSavedPictures(std::u16string_view folder);

}  // namespace ui
