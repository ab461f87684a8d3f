// SPDX-License-Identifier: MIT
#include "engine/tokenizer.h"

#include <algorithm>
#include <array>

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
  std::u16string_view text;  // the value's 10-decimal text, which is what formulas receive
  double value;              // that text read back
};

constexpr std::array kConstants = {
    Constant{u"pi", u"3.1415926536", 3.1415926536},
    Constant{u"#pi", u"3.1415926536", 3.1415926536},
    Constant{u"2pi", u"6.2831853072", 6.2831853072},
    Constant{u"#2pi", u"6.2831853072", 6.2831853072},
    Constant{u"e", u"2.7182818285", 2.7182818285},
    Constant{u"#e", u"2.7182818285", 2.7182818285},
    Constant{u"deg", u"57.2957795131", 57.2957795131},
    Constant{u"to_deg", u"57.2957795131", 57.2957795131},
    Constant{u"#deg", u"57.2957795131", 57.2957795131},
    Constant{u"#to_deg", u"57.2957795131", 57.2957795131},
    Constant{u"rad", u"0.0174532925", 0.0174532925},
    Constant{u"to_rad", u"0.0174532925", 0.0174532925},
    Constant{u"#rad", u"0.0174532925", 0.0174532925},
    Constant{u"#to_rad", u"0.0174532925", 0.0174532925},
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

void Take(EvalState& s, std::size_t length, Tok tok) {
  s.e_tok = tok;
  s.element = s.remaining.substr(0, length);
  s.remaining.remove_prefix(length);
}

// A name: one of the fixed words, a variable, a named constant, or a function call. Names
// never erase an error that already stands; an unknown function leaves code 4.
void ReadName(Engine& engine) {
  EvalState& s = engine.core.state;
  std::size_t length = RunLength(s.remaining, 0, IsNameChar);
  s.nameBuf.assign(s.remaining.substr(0, length));
  for (char16_t& c : s.nameBuf) c = LowerAscii(c);
  s.remaining.remove_prefix(length);
  s.element = s.nameBuf;

  auto word = std::ranges::lower_bound(kWords, std::u16string_view(s.nameBuf), {}, &Word::name);
  if (word != kWords.end() && word->name == s.nameBuf) {
    s.e_tok = word->tok;
    return;
  }
  if (const VarEntry* variable = LookupVariable(engine.vars, s.nameBuf)) {
    s.e_tok = Tok::Num;
    s.tokenValue = variable->number;
    s.elementIsValue = true;
    return;
  }
  if (const Constant* constant = FindConstant(s.nameBuf)) {
    s.e_tok = Tok::Num;
    s.tokenValue = constant->value;
    s.elementIsValue = true;
    return;
  }
  s.e_tok = Tok::Id;
  s.builtin = BuiltinIndex(s.nameBuf);
  if (s.builtin < 0) ReportUndefinedFunction(engine.core);
}

void ReadToken(Engine& engine) {
  EvalState& s = engine.core.state;
  std::size_t blanks = RunLength(s.remaining, 0, IsBlank);
  s.remaining.remove_prefix(blanks);
  s.tokenAt = s.position();
  if (s.remaining.empty()) return;

  const char16_t c = s.remaining.front();
  switch (LowerAscii(c)) {
    case u'[': {
      std::size_t close = s.remaining.find(u']');
      Take(s, close == std::u16string_view::npos ? s.remaining.size() : close + 1, Tok::Matrix);
      if (!s.remaining.empty()) {
        char16_t suffix = UpperAscii(s.remaining.front());
        if (suffix == u'I' || suffix == u'T' || suffix == u'D') {
          s.matrSuffix = suffix;
          s.remaining.remove_prefix(1);
        }
      }
      return;
    }
    case u'#': {
      std::size_t length = RunLength(s.remaining, 1, IsNameChar);
      s.nameBuf.assign(s.remaining.substr(0, length));
      for (char16_t& ch : s.nameBuf) ch = LowerAscii(ch);
      s.remaining.remove_prefix(length);
      s.e_tok = Tok::Const;
      s.element = s.nameBuf;
      return;
    }
    case u'&': Take(s, RunLength(s.remaining, 1, IsNameChar), Tok::Hex); return;
    case u'!': Take(s, RunLength(s.remaining, 1, IsAsciiDigit), Tok::Bin); return;
    case u'<':
    case u'>': {
      bool twoChars = s.remaining.size() > 1 && (s.remaining[1] == u'=' || s.remaining[1] == u'>');
      Tok tok = c == u'<' ? Tok::Lt : Tok::Gt;
      if (twoChars) {
        if (c == u'<') tok = s.remaining[1] == u'=' ? Tok::Le : Tok::Ne;
        else tok = s.remaining[1] == u'=' ? Tok::Ge : Tok::Shr;
      }
      Take(s, twoChars ? 2 : 1, tok);
      return;
    }
    default: break;
  }
  if (IsAsciiDigit(c) || c == u'.') {
    Take(s, RunLength(s.remaining, 0, [](char16_t ch) { return IsAsciiDigit(ch) || ch == u'.'; }),
         Tok::Num);
  } else if (IsAsciiLetter(c) || c == u'_') {
    ReadName(engine);
  } else {
    s.tokChar = c;
    Take(s, 1, Tok::Char);
  }
}

}  // namespace

void e_nxt(Engine& engine) {
  EvalState& s = engine.core.state;
  s.e_tok = Tok::End;
  s.element = {};
  s.elementIsValue = false;
  s.matrSuffix = 0;
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
  s.e_error = 0;
  const Constant* constant = FindConstant(ToLower(name));
  if (constant == nullptr) {
    s.Fail(EvalError::UndefinedConstant);
    return 0;
  }
  s.element = constant->text;
  s.elementIsValue = false;
  if (value != nullptr) *value = constant->value;
  s.e_error = -1;
  return 1;
}

}  // namespace engine
