// SPDX-License-Identifier: MIT
#include "peers_expressions.h"

#include <cctype>
#include <fstream>

namespace peers {
namespace {

bool IsNameOrNumber(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '_';
}

std::size_t SkipSpaces(std::string_view text, std::size_t i) {
  while (i < text.size() && text[i] == ' ') ++i;
  return i;
}

// From an opening bracket to just past its match.
std::size_t SkipBrackets(std::string_view text, std::size_t i) {
  int depth = 0;
  for (; i < text.size(); ++i) {
    if (text[i] == '(') ++depth;
    if (text[i] == ')' && --depth == 0) return i + 1;
  }
  return i;
}

// Past the exponent that starts at i: signs, then a bracketed group, or a name or number with
// the arguments of a call.
std::size_t SkipExponent(std::string_view text, std::size_t i) {
  while (i < text.size() && (text[i] == '+' || text[i] == '-' || text[i] == ' ')) ++i;
  if (i < text.size() && text[i] == '(') return SkipBrackets(text, i);
  while (i < text.size() && IsNameOrNumber(text[i])) ++i;
  const std::size_t next = SkipSpaces(text, i);
  return next < text.size() && text[next] == '(' ? SkipBrackets(text, next) : i;
}

std::string_view Trimmed(std::string_view line) {
  const auto first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::optional<std::vector<Expression>> ReadExpressions(const std::filesystem::path& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::vector<Expression> expressions;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const std::string_view text = Trimmed(line);
    if (!text.empty() && text.front() != '#') expressions.push_back({number, std::string(text)});
  }
  return expressions;
}

bool HasChainedPower(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '^') continue;
    const std::size_t next = SkipSpaces(text, SkipExponent(text, i + 1));
    if (next < text.size() && text[next] == '^') return true;
  }
  return false;
}

}  // namespace peers
