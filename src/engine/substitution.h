// SPDX-License-Identifier: MIT
// Whole-identifier substitution in formula text: how user functions expand and how sampled
// values replace a variable. A name matches as a whole identifier in any case, never inside a
// bracketed matrix name, a "#" constant, a hexadecimal or binary literal or a number.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace engine {

// A formula split around every occurrence of one name, so that each sample writes its value
// in with one pass over the text.
class SubstitutionTemplate {
 public:
  SubstitutionTemplate(std::u16string_view text, std::u16string_view name);

  // The length of the text with a value of valueLength characters in place of the name.
  std::size_t FilledSize(std::size_t valueLength) const;
  // Writes the text with value in place of every occurrence into out, reusing its storage.
  void Fill(std::u16string& out, std::u16string_view value) const;
  std::size_t occurrences() const { return pieces_.size() - 1; }
  // For each character Fill writes with a value of valueLength characters, where it stands in
  // the template's text; a value's characters stand where the name they replace starts. One
  // more entry, for the end, holds the text's length.
  std::vector<std::size_t> Origins(std::size_t valueLength) const;

 private:
  std::vector<std::u16string> pieces_;  // the text around the occurrences, one more than they
  std::size_t nameLength_;
};

// The origins of a text of length characters left as it is: each stands where it is.
std::vector<std::size_t> UnchangedOrigins(std::size_t length);

// Origins (as Origins gives them) of a text changed once more: origins[i] tells where character
// i of a text stands in an original, later[j] where character j of the changed text stands in
// that text. Afterwards origins tells where each character of the changed text stands in the
// original.
void ComposeOrigins(std::vector<std::size_t>& origins, const std::vector<std::size_t>& later);

// text with every whole-identifier occurrence of name replaced by replacement.
std::u16string ReplaceIdentifier(std::u16string_view text, std::u16string_view name,
                                 std::u16string_view replacement);

}  // namespace engine
