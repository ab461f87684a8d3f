// SPDX-License-Identifier: MIT
#include "diff/differentiate.h"

#include "diff/rules.h"
#include "diff/simplify.h"
#include "diff/tree_parser.h"
#include "engine_core/core.h"
#include "engine_core/number_text.h"
#include "morvane_version.h"

namespace diff {
namespace {


void DumpNodes(Diff& d, std::u16string_view title, std::int32_t last) {
  if (d.s.traceMode == 0) return;
  for (std::int32_t i = 1; i <= last && i <= kMaxNodes; ++i) {
    const DiffNode& n = d.s.t[static_cast<std::size_t>(i)];
    DiffTrace(d, title,
              u"index=" + engine::IntegerText(i) + u", \\l=" + engine::IntegerText(n.l) + u", \\r=" + engine::IntegerText(n.r) + u", \\opCode=" +
                  engine::IntegerText(n.opCode) + u", op=" + std::u16string(CodeName(n.opCode)) + u", \\con=" + n.con);
  }
}

// Parses text into the node table after what is there; false when it does not parse.
bool Parse(Diff& d, std::u16string_view text, std::int32_t& root) {
  StartParse(d.s, text);
  root = GetTreeExpr(d);
  if (d.s.bc == 0 && d.s.diffErr == 0) return true;
  root = 0;
  DiffError(d, u"Error in formula.");
  d.core.state.e_error = kErrorInFormula;
  return false;
}

}  // namespace

std::int32_t e_diff(Diff& d, std::u16string_view formula, std::u16string_view variable,
                    std::u16string& result) {
  DiffState& s = d.s;
  DiffTrace(d, u"Formula", u"IN_, formula=" + std::u16string(formula));
  if (formula.empty()) {
    s.diffErr = kEmptyFormula;
    d.core.state.e_error = kEmptyFormula;
    DiffTrace(d, u"Formula", u"OUT 1, empty formula");
    return 0;
  }
  ResetDiffTree(s);
  s.varName = variable;
  if (!Parse(d, formula, s.rootExpr)) {
    DiffTrace(d, u"Formula", u"OUT 2, error in formula");
    return 0;
  }
  DumpNodes(d, u"Nodes Expr.", s.rootExpr);

  const std::u16string derivative = Df(d, s.rootExpr);
  DiffTrace(d, u"Df(TreeExpr)", derivative);
  if (s.diffErr != 0 || !Parse(d, derivative, s.rootDiff)) {
    d.core.state.e_error = kErrorInFormula;
    DiffTrace(d, u"Formula", u"OUT 3, error in derivative");
    return 0;
  }
  DiffTrace(d, u"Formula after Diff", derivative);
  DumpNodes(d, u"Nodes Diff", s.rootDiff);

  const std::int32_t simplified = Diff_Simplify(d, s.rootDiff);
  result = Diff_GetFormula(d, simplified);
  s.Index = 0;
  DiffTrace(d, u"Formula", u"OUT 20, der=" + result);
  if (s.diffErr != 0) {
    if (d.core.state.e_error != kDivisionByZero) d.core.state.e_error = kErrorInFormula;
    return 0;
  }
  d.core.state.Clear();
  return static_cast<std::int32_t>(result.size());
}

std::u16string GetDiff_OperAndFuncs() {
  std::u16string text = u"Library: Morvane.dll - Version:" + std::u16string(morvane::kVersionText) + u" (build:1529)";
  text += u"\r\nSupported Constants:";
  text += u"\r\n  PI\t=" + engine::FormatFixed(3.141592653589793) + u" (also #PI)";
  text += u"\r\n  e \t=" + engine::FormatFixed(2.71828182845905) + u" (also #e)";
  text += u"\r\n  to_deg\t=" + engine::FormatFixed(57.2957795130823) + u" (also #to_rad)";
  text += u"\r\n  to_rad\t=" + engine::FormatFixed(0.017453292519943302) + u" (also #to_deg)";
  text += u"\r\n    others can be defined with Command 'Var' (es. Var = g ; 9.81)\r\n";
  text += u"\r\nSupported Operators:";
  text += u"\r\n  ( \t= left bracket\r\n  ) \t= right bracket\r\n  + \t= plus operator";
  text += u"\r\n  - \t= minus operator\r\n  * \t= multiply operator\r\n  / \t= division operator";
  text += u"\r\n  ^ \t= power operator";
  text += u"\r\n  & \t= hexadecimal number (es. &FF = 256) <ver. 0.0.4.6>";
  text += u"\r\n  ! \t= binary number (es. !100 = 4) <ver. 0.0.4.6>\r\n";
  text += u"\r\nSupported Logical Operators:\r\n and eqv imp mod not or xor\r\n";
  text += u"\r\nSupported Functions:\r\n min max avg sum sum2 prod prod2 stddev count geom_mean median mean\r\n";
  text += u"\r\nSupported Matrix Operators:\r\n det trace syst vcoeff I=Inverse, T=Traspost, D=Diagonal";
  text += u"\r\n(es. Expr = det([mA]), StoExpr([mAI]) = [mA]I)\r\n";
  text += u"\r\nSupported Trig Functions:";
  text += u"\r\n  cos(x)\t= cosine of x\r\n  sin(x)\t= sine of x";
  text += u"\r\n  tg(x)\t= tangent of x (also tan(x))\r\n  ctg(x)\t= cotangent of x (also cotan(x))";
  text += u"\r\n    by default argument is in radiants. use to_rad and to_deg";
  text += u"\r\n    constants above for convertions between types.\r\n";
  text += u"\r\n  abs(x)\t= absolute value of x = |x|\r\n  sgn(x)\t= sign of x (+/-1)";
  text += u"\r\n  ln(x)\t= natural logaritm of x (also log(x))\r\n  log10(x)\t= base 10 logaritm of x";
  text += u"\r\n  sqrt(x)\t= square root of x\r\n  exp(x)\t= power of natural number by x (e^x)";
  text += u"\r\n  sh(x)\t= sin hyperbolic of x (also sinh(x))\r\n  ch(x)\t= cos hyperbolic of x (also cosh(x))";
  text += u"\r\n  th(x)\t= tangent hyperbolic of x (also tanh(x) and tgh(x))";
  text += u"\r\n  cth(x)\t= cotangent hyperbolic of x (also cotanh(x) and ctgh(x))";
  text += u"\r\n  arcsin(x)\t= arcsin of x\r\n  arccos(x)\t= arccos of x";
  text += u"\r\n  arctan(x)\t= arctangent of x (also arctg(x))\r\n  arcctg(x)\t= arccotangent of x (also arccotan(x))";
  return text;
}

}  // namespace diff
