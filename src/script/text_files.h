// SPDX-License-Identifier: MIT
// Script and output text files: the encodings read by byte-order mark, and the bytes written.
#pragma once

#include <string>
#include <string_view>

#include "platform/services.h"

namespace script {

struct DecodedText {
  std::u16string text;     // every line followed by CR LF
  std::u16string refusal;  // for an encoding that cannot be read: the reason, else empty
};

// Reads file bytes by their byte-order mark: UTF-8 and UTF-16 little endian are read, UTF-16
// big endian and UTF-32 refused. Without a mark the bytes are UTF-8 when they are valid UTF-8,
// Windows-1252 otherwise. Line ends of any kind become CR LF, the last line's included.
DecodedText DecodeText(std::string_view bytes);

// Writes an output text as UTF-8, appended or replacing the file; false when it cannot be
// written. A file written afresh starts with a byte-order mark where the platform wants one;
// appended text never carries a mark.
bool WriteTextFile(platform::Services& os, std::u16string_view path, std::u16string_view text, bool append = false);

}  // namespace script
