// SPDX-License-Identifier: MIT
#include "engine_core/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace engine {
namespace {

constexpr std::array<double, 23> kPow10 = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                           1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Power of ten of the first significant digit of a plain decimal text ("123.4" is 3, "0.05" is
// -1, "1e-400" is -399): tells an overflow from an underflow.
long long DecimalExponent(std::string_view text) {
  std::size_t i = 0;
  long long exponent = 0;
  bool significant = false;
  bool afterPoint = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c == '.') {
      afterPoint = true;
    } else if (c >= '0' && c <= '9') {
      if (c != '0') significant = true;
      if (!significant && afterPoint) --exponent;
      if (significant && !afterPoint) ++exponent;
    } else {
      break;
    }
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    long long explicitExponent = 0;
    std::from_chars(text.data() + i + 1 + (text[i + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    explicitExponent);
    exponent += explicitExponent;
  }
  return exponent;
}

// Reads the narrow copy with from_chars; used only when the exact fast path does not apply.
double ParseSlow(std::u16string_view text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (char16_t c : text) narrow.push_back(static_cast<char>(c));
  double value = 0.0;
  auto result = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // from_chars leaves value untouched on range errors: overflow is infinite, underflow zero.
    return DecimalExponent(narrow) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return value;
}

}  // namespace

std::u16string FormatFixed(double value, int decimals) {
  if (std::isnan(value) || std::isinf(value)) {
    std::u16string text = std::isinf(value) && value > 0 ? u"1.#INF" : u"-1.#IND";
    if (std::isinf(value) && value < 0) text = u"-1.#INF";
    // The marker "#INF" / "#IND" takes four of the decimals, as the classic runtime wrote it.
    for (int i = 4; i < decimals; ++i) text.push_back(u'0');
    return text;
  }
  // 309 integer digits at most, plus sign, point and the decimals.
  std::array<char, 340 + 512> buffer{};
  if (decimals > 512) decimals = 512;
  if (decimals < 0) decimals = 0;
  auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                              std::chars_format::fixed, decimals);
  return std::u16string(buffer.data(), result.ptr);
}

std::u16string StrD0(std::u16string_view text) {
  constexpr std::u16string_view kNumberChars = u"0123456789.+-";
  std::size_t first = text.find_first_of(kNumberChars);
  std::u16string_view number = first == std::u16string_view::npos ? u"" : text.substr(first);
  // Trailing zeros go even without a point, so the input must be a fixed-decimals text.
  std::size_t last = number.find_last_not_of(u'0');
  number = number.substr(0, last == std::u16string_view::npos ? 0 : last + 1);
  if (!number.empty() && number.back() == u'.') number.remove_suffix(1);
  if (number.empty()) return u"0";
  std::u16string out = number.front() == u'.' ? u"0" : u"";
  out.append(number);
  return out;
}

void AppendShortFixed(std::u16string& out, double value) {
  if (!std::isfinite(value)) {
    out.append(StrD0(FormatFixed(value)));
    return;
  }
  std::array<char, 340> buffer{};
  auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                              std::chars_format::fixed, 10);
  const char* end = result.ptr;
  while (end > buffer.data() && end[-1] == '0') --end;
  if (end > buffer.data() && end[-1] == '.') --end;
  if (end == buffer.data()) {
    out.push_back(u'0');
    return;
  }
  for (const char* c = buffer.data(); c != end; ++c) out.push_back(static_cast<char16_t>(*c));
}

void AppendShortest(std::u16string& out, double value) {
  if (!std::isfinite(value)) {
    out.append(StrD0(FormatFixed(value)));
    return;
  }
  std::array<char, 32> buffer{};  // 17 digits, sign, point and a four-character exponent at most
  auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  for (const char* c = buffer.data(); c != result.ptr; ++c) out.push_back(static_cast<char16_t>(*c));
}

void AppendValueText(std::u16string& out, Numbers numbers, double value) {
  if (numbers == Numbers::Double) AppendShortest(out, value);
  else AppendShortFixed(out, value);
}

std::u16string ValueText(Numbers numbers, double value) {
  std::u16string text;
  AppendValueText(text, numbers, value);
  return text;
}

double ShortFixedValueOfText(double value) {
  std::u16string text;
  AppendShortFixed(text, value);
  return ParseDecimal(text);
}

double ParseNumberToken(std::u16string_view digits) {
  // The token reads up to a second point: "1.2.3" is 1.2.
  std::size_t end = 0;
  bool seenPoint = false;
  for (; end < digits.size(); ++end) {
    if (digits[end] == u'.') {
      if (seenPoint) break;
      seenPoint = true;
    } else if (!IsDigit(digits[end])) {
      break;
    }
  }
  digits = digits.substr(0, end);
  // Fast exact path: a mantissa below 2^53 and a power of ten that a double holds exactly, so
  // one correctly rounded division gives the same double as a full decimal conversion.
  std::uint64_t mantissa = 0;
  int significant = 0;
  int fraction = 0;
  seenPoint = false;
  for (char16_t c : digits) {
    if (c == u'.') {
      seenPoint = true;
      continue;
    }
    if (seenPoint) ++fraction;
    if (mantissa == 0 && c == u'0') continue;  // leading zeros cost nothing
    if (++significant > 15) return ParseSlow(digits);
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - u'0');
  }
  if (fraction < static_cast<int>(kPow10.size()))
    return static_cast<double>(mantissa) / kPow10[static_cast<std::size_t>(fraction)];
  return ParseSlow(digits);
}

double ParseDecimal(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  std::size_t start = i;
  bool digitsSeen = false;
  bool pointSeen = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      digitsSeen = true;
    } else if (text[i] == u'.' && !pointSeen) {
      pointSeen = true;
    } else {
      break;
    }
  }
  if (!digitsSeen) return 0.0;
  std::size_t mantissaEnd = i;
  // An exponent counts only when at least one digit follows it.
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      double value = ParseSlow(text.substr(start, j - start));
      return negative ? -value : value;
    }
  }
  double value = ParseNumberToken(text.substr(start, mantissaEnd - start));
  return negative ? -value : value;
}

double ParseNumberLiteral(std::u16string_view literal) {
  const bool exponent = literal.find_first_of(u"eE") != std::u16string_view::npos;
  return exponent ? ParseSlow(literal) : ParseNumberToken(literal);
}

double RoundTo10Decimals(double value) {
  if (!std::isfinite(value)) return value;
  // Beyond 2^53 every double is an integer already; below 5e-11 the text is 0.0000000000.
  if (std::fabs(value) >= 9007199254740992.0) return value;
  std::u16string text = FormatFixed(value, 10);
  double rounded = ParseDecimal(text);
  // Keep the sign of a value that rounds to zero, as its text "-0.0000000000" does.
  return rounded == 0.0 ? std::copysign(0.0, value) : rounded;
}

std::int32_t TruncToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

std::u16string ToU16(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::string ToNarrowLossy(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

}  // namespace engine
