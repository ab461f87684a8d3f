// SPDX-License-Identifier: MIT
// JPEG encoding of a captured picture, the format saved plots take on every platform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

// The JPEG file's bytes for width x height pixels of red, green, blue bytes, row by row from
// the top; empty when it cannot be encoded.
std::string EncodeJpeg(const std::vector<std::uint8_t>& rgb, int width, int height);

// Red, green, blue bytes from pixels stored as blue, green, red and an unused byte (a 32-bit
// Windows bitmap).
std::vector<std::uint8_t> RgbFromBgrx(const std::uint8_t* pixels, std::size_t count);

}  // namespace ui
