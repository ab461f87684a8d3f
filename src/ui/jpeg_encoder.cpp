// SPDX-License-Identifier: MIT
#include "ui/jpeg_encoder.h"

#include "stb_image_write.h"

namespace ui {

std::string EncodeJpeg(const std::vector<std::uint8_t>& rgb, int width, int height) {
  if (width <= 0 || height <= 0 || rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)
    return {};
  std::string bytes;
  auto append = [](void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
  };
  if (stbi_write_jpg_to_func(append, &bytes, width, height, 3, rgb.data(), 90) == 0) return {};
  return bytes;
}

std::vector<std::uint8_t> RgbFromBgrx(const std::uint8_t* pixels, std::size_t count) {
  std::vector<std::uint8_t> rgb(count * 3);
  for (std::size_t i = 0; i < count; ++i) {
    rgb[3 * i] = pixels[4 * i + 2];
    rgb[3 * i + 1] = pixels[4 * i + 1];
    rgb[3 * i + 2] = pixels[4 * i];
  }
  return rgb;
}

}  // namespace ui
