// SPDX-License-Identifier: MIT
#include "engine_core/token_cursor.h"

#include <array>

#include "engine_core/number_text.h"

namespace engine {
namespace {

// Texts of the kinds from Matrix to Shr, in enum order.
constexpr std::array<std::u16string_view, static_cast<std::size_t>(Tok::Char)> kTokTexts = {
    u"", u"matrix", u"const", u"hex", u"bin", u"num", u"id",
    u"det", u"trace", u"syst", u"vcoeff",
    u"min", u"max", u"avg", u"sum", u"sum2", u"prod", u"prod2", u"stddev", u"count",
    u"geom_mean", u"median", u"mean",
    u"and", u"eqv", u"imp", u"mod", u"not", u"or", u"xor",
    u"<", u"<=", u"<>", u">", u">=", u">>",
};

}  // namespace

std::u16string TokText(const TokenCursor& cursor) {
  if (cursor.e_tok == Tok::Char) return std::u16string(1, cursor.tokChar);
  return std::u16string(kTokTexts[static_cast<std::size_t>(cursor.e_tok)]);
}

std::u16string ElementText(const TokenCursor& cursor) {
  if (cursor.elementIsValue) return FormatFixed(cursor.tokenValue);
  return std::u16string(cursor.element);
}

}  // namespace engine
