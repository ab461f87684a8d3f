// SPDX-License-Identifier: MIT
#include "diff/tree_parser.h"

#include <algorithm>
#include <array>

#include "engine_core/core.h"
#include "engine_core/scoped_depth.h"

namespace diff {
namespace {

struct Spelling {
  std::u16string_view name;
  std::int32_t code;
};

// Function spellings, matched exactly (case-sensitive), sorted for binary search.
constexpr std::array kFunctions = {
    Spelling{u"abs", kAbs},         Spelling{u"arccos", kArccos},   Spelling{u"arccotan", kArcctg},
    Spelling{u"arcctg", kArcctg},   Spelling{u"arcsin", kArcsin},   Spelling{u"arctan", kArctg},
    Spelling{u"arctg", kArctg},     Spelling{u"ch", kCh},           Spelling{u"cos", kCos},
    Spelling{u"cosh", kCh},         Spelling{u"cotan", kCtg},       Spelling{u"cotanh", kCth},
    Spelling{u"ctg", kCtg},         Spelling{u"ctgh", kCth},        Spelling{u"cth", kCth},
    Spelling{u"exp", kExp},         Spelling{u"h", kHeaviside},     Spelling{u"heaviside", kHeaviside},
    Spelling{u"ln", kLn},           Spelling{u"log", kLn},          Spelling{u"log10", kLog10},
    Spelling{u"sgn", kSgn},         Spelling{u"sh", kSh},           Spelling{u"sign", kSgn},
    Spelling{u"sin", kSin},         Spelling{u"sinh", kSh},         Spelling{u"sqr", kSqrt},
    Spelling{u"sqrt", kSqrt},       Spelling{u"tan", kTg},          Spelling{u"tanh", kTh},
    Spelling{u"tg", kTg},           Spelling{u"tgh", kTh},          Spelling{u"th", kTh},
};
static_assert(std::ranges::is_sorted(kFunctions, {}, &Spelling::name));

constexpr std::array<std::u16string_view, 32> kCodeNames = {
    u"",    u"(",     u")",      u"+",      u"-",     u"*",    u"/",     u"#",
    u"f(x)", u"",     u"cos",    u"sin",    u"tg",    u"ctg",  u"abs",   u"sgn",
    u"sqrt", u"ln",   u"exp",    u"arcsin", u"arccos", u"arctg", u"arcctg", u"sh",
    u"ch",  u"th",    u"cth",    u"",       u"",      u"",     u"",      u"^",
};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

void SetError(Diff& d, DiffFailure code, std::u16string_view message) {
  DiffError(d, message);
  d.core.state.e_error = code;
}

}  // namespace

std::u16string_view CodeName(std::int32_t code) {
  return code >= 0 && code < static_cast<std::int32_t>(kCodeNames.size())
             ? kCodeNames[static_cast<std::size_t>(code)]
             : std::u16string_view();
}

void StartParse(DiffState& s, std::u16string_view text) {
  s.formula = text;
  s.diffErr = 0;
  s.prevTok = 0;
  s.lgtNum = 0;
  s.pos = 0;
  s.bc = 0;
  s.depth = 0;
  s.tooLong = false;
}

std::u16string GetNumber(Diff& d) {
  const std::u16string& f = d.s.formula;
  std::size_t& pos = d.s.pos;
  const std::size_t start = pos;
  auto digits = [&] {
    const std::size_t from = pos;
    while (pos < f.size() && IsDigit(f[pos])) ++pos;
    return pos > from;
  };
  auto wrong = [&] {
    SetError(d, kWrongNumber, u"Wrong number.");
    return f.substr(start, pos - start);
  };
  digits();
  if (pos < f.size() && f[pos] == u'.') {
    ++pos;
    if (!digits()) return wrong();
  }
  if (pos < f.size() && (f[pos] == u'e' || f[pos] == u'E')) {
    ++pos;
    if (pos >= f.size()) return wrong();
    if (f[pos] == u'-' || f[pos] == u'+') ++pos;
    if (!digits()) return wrong();
  }
  return f.substr(start, pos - start);
}

void GetLex(Diff& d, std::int32_t& code, std::u16string& text) {
  DiffState& s = d.s;
  const std::u16string& f = s.formula;
  while (s.pos < f.size() && f[s.pos] == u' ') ++s.pos;
  text.clear();
  if (s.pos >= f.size()) {
    code = kEnd;
  } else {
    const char16_t c = f[s.pos];
    switch (c) {
      case u'(': code = kOpen; break;
      case u')': code = kClose; break;
      case u'+': code = kPlus; break;
      case u'*': code = kTimes; break;
      case u'/': code = kDivide; break;
      case u'^': code = kPower; break;
      default: code = -1; break;
    }
    if (code >= 0) {
      text.assign(1, c);
      ++s.pos;
    } else if (c == u'-') {
      // A minus right at the start or after "(" and before a digit is part of the number.
      const bool numberSign = s.pos + 1 < f.size() && IsDigit(f[s.pos + 1]) &&
                              (s.lgtNum == kEnd || s.lgtNum == kOpen);
      ++s.pos;
      code = numberSign ? kNumber : kMinus;
      text = numberSign ? u"-" + GetNumber(d) : u"-";
    } else if (IsLetter(c) || c == u'_') {
      const std::size_t start = s.pos++;
      while (s.pos < f.size() && (IsLetter(f[s.pos]) || IsDigit(f[s.pos]))) ++s.pos;
      text = f.substr(start, s.pos - start);
      auto it = std::ranges::lower_bound(kFunctions, std::u16string_view(text), {}, &Spelling::name);
      code = it != kFunctions.end() && it->name == text ? it->code : kName;
    } else if (IsDigit(c)) {
      text = GetNumber(d);
      code = kNumber;
    } else {
      // A character that starts no lexeme ends the text as an error.
      ++s.pos;
      SetError(d, kWrongFirstOperand, u"Unknown character '" + std::u16string(1, c) + u"'.");
      code = kEnd;
    }
  }
  s.prevTok = s.lgtNum;
  s.lgtNum = code;
}

std::int32_t NewNode(Diff& d) {
  DiffState& s = d.s;
  if (++s.Index > kMaxNodes) {
    s.Index = 0;
    SetError(d, kTooLong, u"Too long formula");
  }
  DiffNode& node = s.t[static_cast<std::size_t>(s.Index)];
  node = DiffNode{};
  return s.Index;
}

std::int32_t GetTreeExpr(Diff& d) {
  std::int32_t code = kEnd;
  std::int32_t left = GetOp(d, code);
  while (code != kEnd && code != kClose) {
    if (code != kPlus && code != kMinus) DiffError(d, u"");
    const std::int32_t op = code;
    const std::int32_t right = GetOp(d, code);
    const std::int32_t n = NewNode(d);
    d.s.t[static_cast<std::size_t>(n)] = DiffNode{op, u"", left, right};
    left = n;
  }
  if (code == kClose) --d.s.bc;
  return left;
}

std::int32_t GetOp(Diff& d, std::int32_t& code) {
  std::u16string text;
  bool negate = false;
  GetLex(d, code, text);
  if (d.s.prevTok == kEnd || d.s.prevTok == kOpen) {
    if (code == kMinus) {
      negate = true;
      GetLex(d, code, text);
    }
    if (code == kPlus) GetLex(d, code, text);
  }
  std::int32_t left = GetSingleOp(d, code, text);
  while (code == kTimes || code == kDivide) {
    const std::int32_t op = code;
    GetLex(d, code, text);
    const std::int32_t right = GetSingleOp(d, code, text);
    const std::int32_t n = NewNode(d);
    d.s.t[static_cast<std::size_t>(n)] = DiffNode{op, u"", left, right};
    left = n;
  }
  if (negate) {
    const std::int32_t n = NewNode(d);
    d.s.t[static_cast<std::size_t>(n)] = DiffNode{kNegate, u"", left, 0};
    left = n;
  }
  return left;
}

std::int32_t GetSingleOp(Diff& d, std::int32_t& code, std::u16string& text) {
  const engine::ScopedDepth nesting(d.s.depth);
  DiffState& s = d.s;
  std::int32_t node = 0;
  if (nesting.deeperThan(kMaxDepth)) {
    SetError(d, kTooLong, u"Too deeply nested formula.");
    code = kEnd;
    return 0;
  }
  if (code == kOpen) {
    ++s.bc;
    node = GetTreeExpr(d);
  } else if (code == kNumber || code == kName) {
    node = NewNode(d);
    s.t[static_cast<std::size_t>(node)] = DiffNode{code, text, 0, 0};
  } else if (IsFunction(code)) {
    const DiffNode function{code, text, 0, 0};
    GetLex(d, code, text);
    if (code != kOpen) SetError(d, kWrongBrackets, u"GetSingleOp: Function: Wrong brackets");
    ++s.bc;
    node = NewNode(d);
    s.t[static_cast<std::size_t>(node)] = function;
    const std::int32_t argument = GetTreeExpr(d);
    s.t[static_cast<std::size_t>(node)].l = argument;
  } else {
    SetError(d, kWrongFirstOperand, u"GetSingleOp: Function: Wrong first operand");
  }
  GetLex(d, code, text);
  while (code == kPower) {
    GetLex(d, code, text);
    const bool bracket = code == kOpen;
    if (bracket) GetLex(d, code, text);
    if (code != kNumber && code != kName) SetError(d, kWrongPower, u"GetSingleOp: Power Symbol: lgtNum <> 7");
    const std::int32_t exponent = NewNode(d);
    s.t[static_cast<std::size_t>(exponent)] = DiffNode{code, text, 0, 0};
    const std::int32_t power = NewNode(d);
    s.t[static_cast<std::size_t>(power)] = DiffNode{kPower, u"", node, exponent};
    node = power;
    if (bracket) {
      GetLex(d, code, text);
      if (code != kClose)
        SetError(d, kWrongPower, u"GetSingleOp: Power Symbol: lgtNum <> 2 - bracket =-1");
    }
    GetLex(d, code, text);
  }
  return node;
}

}  // namespace diff
