// SPDX-License-Identifier: MIT
#include "numeric/poly_dydx.h"

#include <string>
#include <vector>

#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace numeric {
namespace {

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, start)) {
    out.append(text, start, at - start);
    out.append(to);
    start = at + from.size();
  }
  out.append(text, start, std::u16string::npos);
  text.swap(out);
}

// The 32-bit integer a text starts with, its fractional part dropped ("2.5" is 2); products
// of two such values always fit 64 bits.
std::int64_t IntegerPrefix(std::u16string_view text) { return engine::TruncToInt32(engine::ParseDecimal(text)); }


// The derivative of one monomial c*v^e; empty for a term without the variable.
std::u16string TermDerivative(std::u16string term, std::u16string_view variable) {
  if (variable.empty() || term.find(variable) == std::u16string::npos) return u"";
  if (term.ends_with(variable)) term.append(variable);
  const std::size_t at = term.find(variable);
  std::u16string coefficient(engine::Trim(std::u16string_view(term).substr(0, at)));
  std::u16string exponentPart(engine::Trim(std::u16string_view(term).substr(at + variable.size())));
  if (coefficient.empty()) coefficient = u"1";
  if (coefficient == u"-") coefficient = u"-1";
  if (exponentPart.empty()) exponentPart = u"^1";
  const std::size_t caret = exponentPart.find(u'^');
  const std::u16string_view exponent =
      caret == std::u16string::npos ? u"1" : engine::Trim(std::u16string_view(exponentPart).substr(caret + 1));
  std::u16string result = coefficient;
  if (exponent != u"1") {
    const std::int64_t c = IntegerPrefix(coefficient);
    const std::int64_t e = IntegerPrefix(exponent);
    result = engine::IntegerText(c * e) + u"*" + std::u16string(variable);
    if (e - 1 != 1) result += u"^" + engine::IntegerText(e - 1);
  }
  // A coefficient written with its product sign (4*x) keeps none in the derivative.
  if (result.ends_with(u'*')) result.pop_back();
  return result;
}

}  // namespace

std::u16string Poly_dydx(std::u16string_view formula, std::u16string_view variable) {
  std::u16string text = engine::ToLower(formula);
  const std::u16string var = engine::ToLower(variable);
  std::erase(text, u' ');
  // Subtractions become added negative terms; negative exponents keep their sign.
  ReplaceAll(text, u"^-", u"#negex#");
  ReplaceAll(text, u"-", u"+-");
  ReplaceAll(text, u"#negex#", u"^-");
  if (text.empty() || text.back() != u'+') text.push_back(u'+');

  // Vanished constant terms leave no sign behind, so the text always evaluates; a polynomial
  // without the variable has the derivative 0.
  std::u16string joined;
  std::size_t start = 0;
  for (std::size_t plus = text.find(u'+'); plus != std::u16string::npos; plus = text.find(u'+', start)) {
    const std::u16string term = TermDerivative(text.substr(start, plus - start), var);
    if (!term.empty()) joined += u"+" + term;
    start = plus + 1;
  }
  if (joined.empty()) return u"0";
  joined.erase(0, 1);

  ReplaceAll(joined, u"^-", u"#negex#");
  ReplaceAll(joined, u"+-", u"-");
  ReplaceAll(joined, u"-", u" - ");
  ReplaceAll(joined, u"#negex#", u"^-");
  ReplaceAll(joined, u"+", u" + ");
  return joined;
}

}  // namespace numeric
