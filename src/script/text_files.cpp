// SPDX-License-Identifier: MIT
#include "script/text_files.h"

#include <array>
#include <cstdint>

#include "platform/utf8.h"

namespace script {
namespace {

bool StartsWith(std::string_view bytes, std::initializer_list<unsigned char> mark) {
  if (bytes.size() < mark.size()) return false;
  std::size_t i = 0;
  for (unsigned char b : mark)
    if (static_cast<unsigned char>(bytes[i++]) != b) return false;
  return true;
}

bool IsValidUtf8(std::string_view bytes) {
  std::u16string decoded = platform::FromUtf8(bytes);
  // FromUtf8 writes U+FFFD for invalid input; a genuine U+FFFD is EF BF BD in the bytes.
  std::size_t replacements = 0;
  for (char16_t c : decoded) replacements += c == 0xFFFD ? 1 : 0;
  std::size_t genuine = 0;
  for (std::size_t at = bytes.find("\xEF\xBF\xBD"); at != std::string_view::npos; at = bytes.find("\xEF\xBF\xBD", at + 3))
    ++genuine;
  return replacements == genuine;
}

// Windows-1252: Latin-1 with printable characters in 0x80-0x9F.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::u16string FromCp1252(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    text.push_back(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : static_cast<char16_t>(b));
  }
  return text;
}

std::u16string FromUtf16Le(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         static_cast<unsigned char>(bytes[i + 1]) << 8));
  return text;
}

// Every line followed by CR LF, whatever ended it in the file.
std::u16string WithCrLf(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 16 + 2);
  std::size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i++];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i < text.size() && text[i] == u'\n') ++i;
      out += u"\r\n";
    } else {
      out.push_back(c);
    }
  }
  if (!out.empty() && !out.ends_with(u"\r\n")) out += u"\r\n";
  return out;
}

}  // namespace

DecodedText DecodeText(std::string_view bytes) {
  constexpr std::u16string_view kAdvice =
      u"\r\nUnable to convert the file. Try to save it in ASCII, UTF8 or Unicode format.";
  if (StartsWith(bytes, {0xFF, 0xFE, 0x00, 0x00}))
    return {u"", u"UTF-32 (little endian) BOM detected." + std::u16string(kAdvice)};
  if (StartsWith(bytes, {0x00, 0x00, 0xFE, 0xFF}))
    return {u"", u"UTF-32 (big endian) BOM detected." + std::u16string(kAdvice)};
  if (StartsWith(bytes, {0xFE, 0xFF}))
    return {u"", u"UTF-16 (big endian) BOM detected." + std::u16string(kAdvice)};
  if (StartsWith(bytes, {0xFF, 0xFE})) return {WithCrLf(FromUtf16Le(bytes.substr(2))), u""};
  if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) return {WithCrLf(platform::FromUtf8(bytes.substr(3))), u""};
  if (IsValidUtf8(bytes)) return {WithCrLf(platform::FromUtf8(bytes)), u""};
  return {WithCrLf(FromCp1252(bytes)), u""};
}

bool WriteTextFile(platform::Services& os, std::u16string_view path, std::u16string_view text, bool append) {
  const bool marked = !append && os.WantsByteOrderMark();
  return os.WriteFile(path, (marked ? "\xEF\xBB\xBF" : "") + platform::ToUtf8(text), append);
}

}  // namespace script
