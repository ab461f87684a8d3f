// SPDX-License-Identifier: MIT
// The decoder's implementation, once for the whole test program: third-party code, compiled
// with its warnings off (tests/CMakeLists.txt).
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include "stb_image.h"
#include "ui/decoded_image.h"

namespace testing_support {

DecodedImage DecodeImage(std::string_view bytes) {
  DecodedImage image;
  int channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()), static_cast<int>(bytes.size()),
                                          &image.width, &image.height, &channels, 3);
  if (pixels == nullptr) return {};
  image.rgb.assign(pixels, pixels + 3 * std::size_t(image.width) * std::size_t(image.height));
  stbi_image_free(pixels);
  return image;
}

}  // namespace testing_support
