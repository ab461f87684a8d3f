// SPDX-License-Identifier: MIT
// Picture bytes (PNG or JPEG) decoded to RGB, for tests that look at what a plot drew.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace testing_support {

struct DecodedImage {
  int width = 0, height = 0;  // 0 when the bytes do not decode
  std::vector<std::uint8_t> rgb;

  const std::uint8_t* At(int x, int y) const { return rgb.data() + 3 * (std::size_t(y) * std::size_t(width) + std::size_t(x)); }
  // The curve's RGB(0, 69, 204), also antialiased or blurred by JPEG into the white: blue well
  // above red and green, which no grey of the grid, axes or text is.
  bool CurveAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const std::uint8_t* p = At(x, y);
    return p[2] >= 150 && p[2] >= p[0] + 50 && p[2] >= p[1] + 25;
  }
};

DecodedImage DecodeImage(std::string_view bytes);

}  // namespace testing_support
