// SPDX-License-Identifier: MIT
#include "diff/rules.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "diff/tree_parser.h"
#include "diff/walk_depth.h"
#include "engine_core/core.h"
#include "engine_core/number_text.h"

namespace diff {
namespace {

const DiffNode& Node(Diff& d, std::int32_t n) { return d.s.t[static_cast<std::size_t>(n)]; }

std::u16string Wrap(const std::u16string& text) { return u"(" + text + u")"; }

bool IsTight(std::int32_t code) { return (code >= kTimes && code <= kName) || (code >= kCos && code <= kPower); }
bool IsAtom(std::int32_t code) { return code == kNumber || code == kName || (code >= kCos && code <= kPower); }

// The fixed part of the derivative of a function of u, written around F(u) and D(u):
// prefix F(u) middle D(u) "))".
struct FunctionRule {
  std::int32_t code;
  std::u16string_view prefix;
  std::u16string_view middle;
};

constexpr FunctionRule kFunctionRules[] = {
    {kCos, u"(-sin(", u")*("},
    {kSin, u"(cos(", u")*("},
    {kTg, u"(1/(cos(", u")^2)*("},
    {kCtg, u"(-1/(sin(", u")^2)*("},
    {kAbs, u"(sgn(", u")*("},
    {kSqrt, u"(0.5/sqrt(", u")*("},
    {kLn, u"(1/(", u")*("},
    {kExp, u"(exp(", u")*("},
    {kArcsin, u"(1/sqrt(1-(", u")^2)*("},
    {kArccos, u"(-1/sqrt(1-(", u")^2)*("},
    {kArctg, u"(1/(1+(", u")^2)*("},
    {kArcctg, u"(-1/(1+(", u")^2)*("},
    {kSh, u"(ch(", u")*("},
    {kCh, u"(sh(", u")*("},
    {kTh, u"(1/(ch(", u")^2)*("},
    {kCth, u"(-1/(sh(", u")^2)*("},
};

// d(b^a) = a b^(a-1) b' + b^a ln(b) a'. A numeric exponent is written decremented; a name n
// as b^n/b, since an exponent can only be one number or one name.
std::u16string PowerRule(Diff& d, const DiffNode& n) {
  const std::u16string a = Df_GetFormula(d, n.r);
  const std::u16string b = Df_GetFormula(d, n.l);
  std::u16string first;
  if (Node(d, n.r).opCode == kName) {
    first = u"((" + a + u")*(" + b + u")^(" + a + u")/(" + b + u")*(" + Df(d, n.l) + u"))";
  } else {
    const double decremented = engine::ParseDecimal(a) - 1;
    const std::u16string e = d.core.settings.exact() ? NumberText(d, decremented)
                                                     : TrimNumberText(engine::FormatFixed(decremented));
    first = u"((" + a + u")*(" + b + u")^(" + e + u")*(" + Df(d, n.l) + u"))";
  }
  return first + u"+((" + b + u")^(" + a + u")*(ln(" + b + u")*" + Df(d, n.r) + u"))";
}

std::u16string_view OperatorText(std::int32_t code) {
  switch (code) {
    case kPlus: return u"+";
    case kMinus: return u"-";
    case kTimes: return u"*";
    case kDivide: return u"/";
    default: return u"^";
  }
}

}  // namespace

std::u16string TrimNumberText(std::u16string_view text) {
  const double value = engine::ParseDecimal(text);
  if (value == 0.0) return u"0";
  std::u16string fixed = engine::FormatFixed(value, 10);
  if (engine::ParseDecimal(fixed) == 0.0) return u"0";  // no "-0" from a tiny negative value
  std::size_t first = fixed.find_first_not_of(u'0');
  // Keep the zero before the point, so that "0.5" reads back.
  if (first != std::u16string::npos && fixed[first] == u'.' && first > 0) --first;
  fixed.erase(0, first == std::u16string::npos ? fixed.size() : first);
  if (fixed.find(u'.') != std::u16string::npos) {
    std::size_t last = fixed.find_last_not_of(u'0');
    fixed.erase(last + 1);
    if (!fixed.empty() && (fixed.back() == u'.' || fixed.back() == u',')) fixed.pop_back();
  }
  return fixed.empty() ? u"0" : fixed;
}

std::u16string NumberText(const Diff& d, double v) {
  if (d.core.settings.exact()) return engine::ValueText(engine::Numbers::Double, v);
  // Ten decimals, unless that would keep fewer than ten significant digits of a small value: a
  // folded 7^-14 must not become 0 (and a divisor made of it a division by zero). Fixed
  // notation either way, since the classic evaluator reads no exponents.
  int decimals = 10;
  if (v != 0.0 && std::fabs(v) < 1e-3) {
    const int leadingZeros = -static_cast<int>(std::floor(std::log10(std::fabs(v)))) - 1;
    decimals = std::clamp(leadingZeros + 10, 10, 340);
  }
  std::u16string fixed = engine::FormatFixed(v, decimals);
  return decimals == 10 ? TrimNumberText(fixed) : engine::StrD0(fixed);
}

std::u16string DfNode(Diff& d, const DiffNode& n);

std::u16string Df(Diff& d, std::int32_t index) {
  if (index == 0) return u"0";
  WalkDepth walk(d);
  if (walk.stop()) return u"0";
  return walk.checked(DfNode(d, Node(d, index)));
}

std::u16string DfNode(Diff& d, const DiffNode& n) {
  switch (n.opCode) {
    case kPlus:
    case kMinus:
      return u"((" + Df(d, n.l) + u")" + std::u16string(OperatorText(n.opCode)) + u"(" + Df(d, n.r) + u"))";
    case kTimes:
      return u"((" + Df(d, n.l) + u")*(" + Df_GetFormula(d, n.r) + u")+(" + Df(d, n.r) + u")*(" +
             Df_GetFormula(d, n.l) + u"))";
    case kDivide: {
      const std::u16string denominator = Df_GetFormula(d, n.r);
      return u"((" + Df(d, n.l) + u")*(" + denominator + u")-(" + Df(d, n.r) + u")*(" +
             Df_GetFormula(d, n.l) + u"))/(" + denominator + u")^2";
    }
    case kName: return n.con == d.s.varName ? u"1" : u"0";
    case kNegate: return u"(-(" + Df(d, n.l) + u"))";
    case kLog10:
      return u"(1/(" + Df_GetFormula(d, n.l) + u")*(" + Df(d, n.l) + u"))/(" +
             NumberText(d, std::numbers::ln10) + u")";
    case kPower: return PowerRule(d, n);
    default: break;
  }
  for (const FunctionRule& rule : kFunctionRules)
    if (rule.code == n.opCode)
      return std::u16string(rule.prefix) + Df_GetFormula(d, n.l) + std::u16string(rule.middle) +
             Df(d, n.l) + u"))";
  return u"0";  // numbers, sgn, heaviside and anything else
}

std::u16string Df_GetFormula(Diff& d, std::int32_t index) {
  if (index == 0) return u"";
  WalkDepth walk(d);
  if (walk.stop()) return u"";
  const DiffNode& n = Node(d, index);
  switch (n.opCode) {
    case kPlus:
    case kMinus:
    case kTimes:
    case kDivide:
    case kPower:
      return walk.checked(u"((" + Df_GetFormula(d, n.l) + u")" + std::u16string(OperatorText(n.opCode)) + u"(" +
             Df_GetFormula(d, n.r) + u"))");
    case kNumber:
    case kName: return n.con;
    case kNegate: return walk.checked(u"(-(" + Df_GetFormula(d, n.l) + u"))");
    default: return IsFunction(n.opCode) ? walk.checked(n.con + u"(" + Df_GetFormula(d, n.l) + u")") : u"";
  }
}

std::u16string GetFormulaNode(Diff& d, const DiffNode& n);

std::u16string Diff_GetFormula(Diff& d, std::int32_t index) {
  if (index == 0) return u"";
  WalkDepth walk(d);
  if (walk.stop()) return u"";
  return walk.checked(GetFormulaNode(d, Node(d, index)));
}

std::u16string GetFormulaNode(Diff& d, const DiffNode& n) {
  const std::int32_t left = n.l == 0 ? 0 : Node(d, n.l).opCode;
  const std::int32_t right = n.r == 0 ? 0 : Node(d, n.r).opCode;
  switch (n.opCode) {
    case kPlus: return Diff_GetFormula(d, n.l) + u"+" + Diff_GetFormula(d, n.r);
    case kMinus: {
      const std::u16string s2 = Diff_GetFormula(d, n.r);
      return Diff_GetFormula(d, n.l) + u"-" + (IsTight(right) ? s2 : Wrap(s2));
    }
    case kTimes: {
      const std::u16string s1 = Diff_GetFormula(d, n.l);
      const std::u16string s2 = Diff_GetFormula(d, n.r);
      return (IsTight(left) ? s1 : Wrap(s1)) + u"*" + (IsTight(right) ? s2 : Wrap(s2));
    }
    case kDivide: {
      const std::u16string s1 = Diff_GetFormula(d, n.l);
      const std::u16string s2 = Diff_GetFormula(d, n.r);
      return (IsTight(left) ? s1 : Wrap(s1)) + u"/" + (IsAtom(right) ? s2 : Wrap(s2));
    }
    case kNumber: return engine::ParseDecimal(n.con) < 0 ? Wrap(n.con) : n.con;
    case kName: return n.con;
    case kNegate: {
      const std::u16string s1 = Diff_GetFormula(d, n.l);
      return u"(-" + (IsAtom(left) ? s1 : Wrap(s1)) + u")";
    }
    case kPower: {
      const std::u16string s1 = Diff_GetFormula(d, n.l);
      return ((left == kNumber || left == kName) ? s1 : Wrap(s1)) + u"^" + Diff_GetFormula(d, n.r);
    }
    default: return IsFunction(n.opCode) ? n.con + u"(" + Diff_GetFormula(d, n.l) + u")" : u"";
  }
}

}  // namespace diff
