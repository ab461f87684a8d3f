// SPDX-License-Identifier: MIT
#include "engine/substitution.h"

#include <numeric>

#include "engine_core/text_util.h"

namespace engine {
namespace {

// Length of the lexeme at text[i] that substitution steps over whole: bracketed matrix names,
// "#" constants, "&" hex and "!" binary literals, and numbers. 0 for anything else.
std::size_t OpaqueLength(std::u16string_view text, std::size_t i) {
  const char16_t c = text[i];
  std::size_t j = i + 1;
  if (c == u'[') {
    std::size_t close = text.find(u']', i);
    return (close == std::u16string_view::npos ? text.size() : close + 1) - i;
  }
  if (c == u'#' || c == u'&') {
    while (j < text.size() && IsNameChar(text[j])) ++j;
    return j - i;
  }
  if (c == u'!' || IsAsciiDigit(c) || c == u'.') {
    while (j < text.size() && (IsAsciiDigit(text[j]) || (c != u'!' && text[j] == u'.'))) ++j;
    return j - i;
  }
  return 0;
}

}  // namespace

SubstitutionTemplate::SubstitutionTemplate(std::u16string_view text, std::u16string_view name)
    : nameLength_(name.size()) {
  pieces_.emplace_back();
  std::size_t i = 0;
  while (i < text.size()) {
    if (std::size_t opaque = OpaqueLength(text, i)) {
      pieces_.back().append(text.substr(i, opaque));
      i += opaque;
    } else if (IsAsciiLetter(text[i]) || text[i] == u'_') {
      std::size_t j = i + 1;
      while (j < text.size() && IsNameChar(text[j])) ++j;
      std::u16string_view word = text.substr(i, j - i);
      if (!name.empty() && EqualsIgnoreCase(word, name)) pieces_.emplace_back();
      else pieces_.back().append(word);
      i = j;
    } else {
      pieces_.back().push_back(text[i++]);
    }
  }
}

std::size_t SubstitutionTemplate::FilledSize(std::size_t valueLength) const {
  std::size_t size = occurrences() * valueLength;
  for (const std::u16string& piece : pieces_) size += piece.size();
  return size;
}

void SubstitutionTemplate::Fill(std::u16string& out, std::u16string_view value) const {
  out.assign(pieces_.front());
  for (std::size_t k = 1; k < pieces_.size(); ++k) {
    out.append(value);
    out.append(pieces_[k]);
  }
}

std::vector<std::size_t> SubstitutionTemplate::Origins(std::size_t valueLength) const {
  std::vector<std::size_t> origins;
  origins.reserve(FilledSize(valueLength) + 1);
  std::size_t at = 0;
  for (std::size_t k = 0; k < pieces_.size(); ++k) {
    if (k > 0) {
      origins.insert(origins.end(), valueLength, at);
      at += nameLength_;
    }
    for (std::size_t i = 0; i < pieces_[k].size(); ++i) origins.push_back(at++);
  }
  origins.push_back(at);
  return origins;
}

std::vector<std::size_t> UnchangedOrigins(std::size_t length) {
  std::vector<std::size_t> origins(length + 1);
  std::iota(origins.begin(), origins.end(), std::size_t{0});
  return origins;
}

void ComposeOrigins(std::vector<std::size_t>& origins, const std::vector<std::size_t>& later) {
  std::vector<std::size_t> composed;
  composed.reserve(later.size());
  for (std::size_t at : later) composed.push_back(origins[at]);
  origins.swap(composed);
}

std::u16string ReplaceIdentifier(std::u16string_view text, std::u16string_view name,
                                 std::u16string_view replacement) {
  std::u16string out;
  SubstitutionTemplate(text, name).Fill(out, replacement);
  return out;
}

}  // namespace engine
