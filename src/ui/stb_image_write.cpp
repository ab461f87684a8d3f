// SPDX-License-Identifier: MIT
// The encoder's implementation, compiled once and on its own: it is third-party code, built
// without this project's warning flags.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include "stb_image_write.h"
