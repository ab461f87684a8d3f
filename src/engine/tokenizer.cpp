// SPDX-License-Identifier: MIT
#include "engine/tokenizer.h"

#include <algorithm>
#include <array>
#include <numbers>

#include "engine/builtins.h"
#include "engine/engine.h"
#include "engine/trace.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace engine {
namespace {

struct Word {
  std::u16string_view name;
  Tok tok;
};

// The words of the matrix-function, list-function and operator-word lists, sorted by name.
constexpr std::array kWords = {
    Word{u"and", Tok::And},     Word{u"avg", Tok::Avg},       Word{u"count", Tok::Count},
    Word{u"det", Tok::Det},     Word{u"eqv", Tok::Eqv},       Word{u"geom_mean", Tok::GeomMean},
    Word{u"imp", Tok::Imp},     Word{u"max", Tok::Max},       Word{u"mean", Tok::Mean},
    Word{u"median", Tok::Median}, Word{u"min", Tok::Min},     Word{u"mod", Tok::Mod},
    Word{u"not", Tok::Not},     Word{u"or", Tok::Or},         Word{u"prod", Tok::Prod},
    Word{u"prod2", Tok::Prod2}, Word{u"stddev", Tok::Stddev}, Word{u"sum", Tok::Sum},
    Word{u"sum2", Tok::Sum2},   Word{u"syst", Tok::Syst},     Word{u"trace", Tok::Trace},
    Word{u"vcoeff", Tok::Vcoeff}, Word{u"xor", Tok::Xor},
};
static_assert(std::ranges::is_sorted(kWords, {}, &Word::name));

struct Constant {
  std::u16string_view name;
  std::u16string_view text;  // the value's 10-decimal text, which is what classic formulas receive
  double value;              // that text read back
  double exact;              // the nearest double, which formulas of double numbers receive

  double In(Numbers numbers) const { return numbers == Numbers::Double ? exact : value; }
};

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = 180 / kPi;
constexpr double kRad = kPi / 180;

constexpr std::array kConstants = {
    Constant{u"pi", u"3.1415926536", 3.1415926536, kPi},
    Constant{u"#pi", u"3.1415926536", 3.1415926536, kPi},
    Constant{u"2pi", u"6.2831853072", 6.2831853072, 2 * kPi},
    Constant{u"#2pi", u"6.2831853072", 6.2831853072, 2 * kPi},
    Constant{u"e", u"2.7182818285", 2.7182818285, std::numbers::e},
    Constant{u"#e", u"2.7182818285", 2.7182818285, std::numbers::e},
    Constant{u"deg", u"57.2957795131", 57.2957795131, kDeg},
    Constant{u"to_deg", u"57.2957795131", 57.2957795131, kDeg},
    Constant{u"#deg", u"57.2957795131", 57.2957795131, kDeg},
    Constant{u"#to_deg", u"57.2957795131", 57.2957795131, kDeg},
    Constant{u"rad", u"0.0174532925", 0.0174532925, kRad},
    Constant{u"to_rad", u"0.0174532925", 0.0174532925, kRad},
    Constant{u"#rad", u"0.0174532925", 0.0174532925, kRad},
    Constant{u"#to_rad", u"0.0174532925", 0.0174532925, kRad},
};

const Constant* FindConstant(std::u16string_view lowerName) {
  auto it = std::ranges::find(kConstants, lowerName, &Constant::name);
  return it == kConstants.end() ? nullptr : &*it;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// Length of the run of characters at the front of text that satisfy keep.
template <typename Pred>
std::size_t RunLength(std::u16string_view text, std::size_t from, Pred keep) {
  std::size_t i = from;
  while (i < text.size() && keep(text[i])) ++i;
  return i;
}

void Take(TokenCursor& cursor, std::size_t length, Tok tok) {
  cursor.e_tok = tok;
  cursor.element = cursor.remaining.substr(0, length);
  cursor.remaining.remove_prefix(length);
}

void TakeChar(TokenCursor& cursor, std::size_t length, char16_t c) {
  cursor.tokChar = c;
  Take(cursor, length, Tok::Char);
}

// A number token the parser reads as a value already known: a variable, a constant, a parameter.
void TakeValue(TokenCursor& cursor, double value, std::int32_t slot = -1) {
  cursor.e_tok = Tok::Num;
  cursor.tokenValue = value;
  cursor.elementIsValue = true;
  cursor.slot = slot;
}

bool IsHexDigit(char16_t c) { return IsAsciiDigit(c) || (LowerAscii(c) >= u'a' && LowerAscii(c) <= u'f'); }

// A literal that is no number (a second point, a prefix without digits): the text does not read
// as a formula, and the error stands at the offending character.
void Malformed(Core& core, std::size_t at, std::u16string_view what) {
  EvalState& s = core.state;
  TokenCursor& cursor = core.cursor;
  if (!s.ok()) return;
  s.Fail(EvalError::ParserSyntax);
  cursor.reportedAt = at;
  ReportEvalError(core, site::kMalformedNumber, std::u16string(what) + u"\r\n");
}

// digits [ "." digits ] [ exponent ], or "." digits: a second point is an error, and so is a
// point without digits. Double numbers also read an exponent ("1e5", "2.5E-3", "6.02e+23").
void ReadNumber(Core& core) {
  EvalState& s = core.state;
  TokenCursor& cursor = core.cursor;
  const std::u16string_view text = cursor.remaining;
  std::size_t end = 0;
  std::size_t digits = 0;
  std::size_t point = std::u16string_view::npos;
  for (; end < text.size(); ++end) {
    if (IsAsciiDigit(text[end])) {
      ++digits;
    } else if (text[end] != u'.') {
      break;
    } else if (point == std::u16string_view::npos) {
      point = end;
    } else {
      Malformed(core, cursor.tokenAt + end, u"A second decimal point");
      break;
    }
  }
  if (digits == 0) Malformed(core, cursor.tokenAt, u"A decimal point without digits");
  if (core.settings.exact() && end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-')) ++exponent;
    if (exponent < text.size() && IsAsciiDigit(text[exponent])) end = RunLength(text, exponent, IsAsciiDigit);
  }
  // A malformed literal is taken whole, so that the rest of the text reads as it would.
  if (!s.ok()) end = RunLength(text, end, [](char16_t c) { return IsAsciiDigit(c) || c == u'.'; });
  Take(cursor, end, Tok::Num);
}

// The caller's parameter the name stands for, -1 for none.
std::int32_t ParameterNamed(const Parameters& parameters, std::u16string_view lowerName) {
  for (std::size_t k = 0; k < parameters.names.size(); ++k)
    if (parameters.names[k] == lowerName) return static_cast<std::int32_t>(k);
  return -1;
}

double ParameterValue(const Parameters& parameters, std::int32_t k) {
  const auto index = static_cast<std::size_t>(k);
  return index < parameters.values.size() ? parameters.values[index] : 0.0;
}

// A name: one of the fixed words, a variable, a named constant, or a function call. Names
// never erase an error that already stands; an unknown function leaves code 4.
void ReadName(Engine& engine) {
  TokenCursor& cursor = engine.core.cursor;
  std::size_t length = RunLength(cursor.remaining, 0, IsNameChar);
  cursor.nameBuf.assign(cursor.remaining.substr(0, length));
  for (char16_t& c : cursor.nameBuf) c = LowerAscii(c);
  cursor.remaining.remove_prefix(length);
  cursor.element = cursor.nameBuf;

  auto word = std::ranges::lower_bound(kWords, std::u16string_view(cursor.nameBuf), {}, &Word::name);
  if (word != kWords.end() && word->name == cursor.nameBuf) {
    cursor.e_tok = word->tok;
    return;
  }
  if (const std::int32_t k = ParameterNamed(engine.parameters, cursor.nameBuf); k >= 0) {
    TakeValue(cursor, ParameterValue(engine.parameters, k), k);
    return;
  }
  if (const VarEntry* variable = LookupVariable(engine.vars, cursor.nameBuf)) {
    TakeValue(cursor, variable->number);
    return;
  }
  if (const Constant* constant = FindConstant(cursor.nameBuf)) {
    TakeValue(cursor, constant->In(engine.core.settings.numbers));
    return;
  }
  cursor.e_tok = Tok::Id;
  cursor.builtin = BuiltinIndex(cursor.nameBuf, engine.core.settings);
  if (cursor.builtin < 0) ReportUndefinedFunction(engine.core);
}

// "[name]" with an optional I, T or D right after it (inverse, transpose, determinant).
void ReadMatrixName(TokenCursor& cursor) {
  std::size_t close = cursor.remaining.find(u']');
  Take(cursor, close == std::u16string_view::npos ? cursor.remaining.size() : close + 1, Tok::Matrix);
  if (cursor.remaining.empty()) return;
  char16_t suffix = UpperAscii(cursor.remaining.front());
  if (suffix == u'I' || suffix == u'T' || suffix == u'D') {
    cursor.matrSuffix = suffix;
    cursor.remaining.remove_prefix(1);
  }
}

// "#name": a constant, looked up lower-cased when the parser reads it.
void ReadConstantName(TokenCursor& cursor) {
  std::size_t length = RunLength(cursor.remaining, 1, IsNameChar);
  cursor.nameBuf.assign(cursor.remaining.substr(0, length));
  for (char16_t& ch : cursor.nameBuf) ch = LowerAscii(ch);
  cursor.remaining.remove_prefix(length);
  cursor.e_tok = Tok::Const;
  cursor.element = cursor.nameBuf;
}

// "<", "<=", "<>", ">", ">=" and ">>".
void ReadComparison(TokenCursor& cursor, char16_t c, char16_t next) {
  const bool twoChars = next == u'=' || next == u'>';
  Tok tok = c == u'<' ? Tok::Lt : Tok::Gt;
  if (twoChars) {
    if (c == u'<') tok = next == u'=' ? Tok::Le : Tok::Ne;
    else tok = next == u'=' ? Tok::Ge : Tok::Shr;
  }
  Take(cursor, twoChars ? 2 : 1, tok);
}

void ReadToken(Engine& engine) {
  TokenCursor& cursor = engine.core.cursor;
  std::size_t blanks = RunLength(cursor.remaining, 0, IsBlank);
  cursor.remaining.remove_prefix(blanks);
  cursor.tokenAt = cursor.position();
  if (cursor.remaining.empty()) return;

  const char16_t c = cursor.remaining.front();
  const char16_t next = cursor.remaining.size() > 1 ? cursor.remaining[1] : u'\0';
  // The operators programmers type, each read as the one the classic spelling has for it.
  if (engine.core.settings.programmer()) {
    if (c == u'=' && next == u'=') return TakeChar(cursor, 2, u'=');
    if (c == u'!' && next == u'=') return Take(cursor, 2, Tok::Ne);
    if (c == u'&' && next == u'&') return Take(cursor, 2, Tok::And);
    if (c == u'|' && next == u'|') return Take(cursor, 2, Tok::Or);
  }
  if (c >= kFirstSlot && static_cast<std::size_t>(c - kFirstSlot) < engine.parameters.marked) {
    const auto k = static_cast<std::int32_t>(c - kFirstSlot);
    cursor.element = cursor.remaining.substr(0, 1);
    cursor.remaining.remove_prefix(1);
    return TakeValue(cursor, ParameterValue(engine.parameters, k), k);
  }
  switch (LowerAscii(c)) {
    case u'[': return ReadMatrixName(cursor);
    case u'#': return ReadConstantName(cursor);
    case u'&':
      if (!IsHexDigit(next)) Malformed(engine.core, cursor.tokenAt, u"A hexadecimal prefix without digits");
      Take(cursor, RunLength(cursor.remaining, 1, IsNameChar), Tok::Hex);
      return;
    case u'!':
      if (!IsAsciiDigit(next)) Malformed(engine.core, cursor.tokenAt, u"A binary prefix without digits");
      Take(cursor, RunLength(cursor.remaining, 1, IsAsciiDigit), Tok::Bin);
      return;
    case u'<':
    case u'>': return ReadComparison(cursor, c, next);
    default: break;
  }
  if (IsAsciiDigit(c) || c == u'.') {
    ReadNumber(engine.core);
  } else if (IsAsciiLetter(c) || c == u'_') {
    ReadName(engine);
  } else {
    TakeChar(cursor, 1, c);
  }
}

}  // namespace

void e_nxt(Engine& engine) {
  TokenCursor& cursor = engine.core.cursor;
  cursor.e_tok = Tok::End;
  cursor.element = {};
  cursor.elementIsValue = false;
  cursor.slot = -1;
  cursor.matrSuffix = 0;
  const bool tracing = DebugOn(engine.core.log);
  if (tracing) TraceTokenizer(engine.core, true);
  ReadToken(engine);
  if (tracing) TraceTokenizer(engine.core, false);
}

bool IsFormulaWord(std::u16string_view name) {
  const std::u16string lower = ToLower(name);
  auto word = std::ranges::lower_bound(kWords, std::u16string_view(lower), {}, &Word::name);
  return word != kWords.end() && word->name == lower;
}

int e_get_const(Core& core, std::u16string_view name, double* value) {
  EvalState& s = core.state;
  TokenCursor& cursor = core.cursor;
  s.e_error = 0;
  const Constant* constant = FindConstant(ToLower(name));
  if (constant == nullptr) {
    s.Fail(EvalError::UndefinedConstant);
    return 0;
  }
  cursor.element = constant->text;
  cursor.elementIsValue = false;
  if (value != nullptr) *value = constant->In(core.settings.numbers);
  s.Clear();
  return 1;
}

}  // namespace engine
