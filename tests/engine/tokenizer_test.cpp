// SPDX-License-Identifier: MIT
// Token kinds, token texts and the resolution of names to numbers.
#include <string>
#include <vector>

#include "engine/tokenizer.h"
#include "engine/var_store.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::EngineTest;
using testing_support::Narrow;

class TokenizerTest : public EngineTest {
 protected:
  // Every token of text as "kind:element", a matrix suffix appended as "/T".
  std::vector<std::string> Tokens(std::u16string_view text) {
    engine::TokenCursor& s = eng.core.cursor;
    s.expression = text;
    s.remaining = s.expression;
    std::vector<std::string> out;
    for (int guard = 0; guard < 50; ++guard) {
      engine::e_nxt(eng);
      if (s.e_tok == engine::Tok::End) break;
      std::string token = Narrow(engine::TokText(s)) + ":" + Narrow(engine::ElementText(s));
      if (s.matrSuffix != 0) token += std::string("/") + static_cast<char>(s.matrSuffix);
      out.push_back(token);
    }
    return out;
  }
};

using List = std::vector<std::string>;

TEST_F(TokenizerTest, KindsAndTexts) {
  struct Case {
    const char16_t* text;
    List tokens;
  };
  const Case cases[] = {
      {u"  3.5 ", {"num:3.5"}},
      {u"\t\r\n1.2.3", {"num:1.2.3"}},
      {u"1e5", {"num:1", "id:e5"}},  // an exponent is not part of a number
      {u"[mA]T", {"matrix:[mA]/T"}},
      {u"[mA]i*[B]d+[C]", {"matrix:[mA]/I", "*:*", "matrix:[B]/D", "+:+", "matrix:[C]"}},
      {u"[m A", {"matrix:[m A"}},  // an unclosed bracket takes the rest
      {u"#PI", {"const:#pi"}},
      {u"#Pi_2x+1", {"const:#pi_2x", "+:+", "num:1"}},
      {u"&fF_g!102", {"hex:&fF_g", "bin:!102"}},
      {u"SUM(", {"sum:sum", "(:("}},
      {u"Det Mod AND geom_mean median2", {"det:det", "mod:mod", "and:and",
                                          "geom_mean:geom_mean", "id:median2"}},
      {u"x1_b _Q", {"id:x1_b", "id:_q"}},
      {u"<=", {"<=:<="}},
      {u">>", {">>:>>"}},
      {u"=<", {"=:=", "<:<"}},
      {u"<>>=< =", {"<>:<>", ">=:>=", "<:<", "=:="}},
      {u"\\^;$", {"\\:\\", "^:^", ";:;", "$:$"}},
      {u"   ", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Tokens(c.text), c.tokens) << Narrow(c.text);
}

TEST_F(TokenizerTest, NamedConstantsAndVariablesBecomeNumbers) {
  engine::SetVarFunct(eng.core, eng.vars, u"third", u"0.333333333333333", false);
  engine::SetVarFunct(eng.core, eng.vars, u"e", u"5", false);  // a variable hides a constant
  // A digit starts a number, so "2pi" in a formula is 2 followed by pi.
  EXPECT_EQ(Tokens(u"To_Rad 2PI THIRD e"), (List{"num:0.0174532925", "num:2", "num:3.1415926536",
                                                   "num:0.3333333333", "num:5.0000000000"}));
  // A word of the fixed lists is never a variable.
  engine::SetVarFunct(eng.core, eng.vars, u"sum", u"1", false);
  EXPECT_EQ(Tokens(u"sum"), List{"sum:sum"});
}

TEST_F(TokenizerTest, UnknownNameLeavesCodeFourButKnownFunctionsNone) {
  const std::pair<const char16_t*, std::int32_t> cases[] = {
      {u"frobnicate", 4}, {u"x", 4},       {u"sin", -1},      {u"ARCSIN", -1},
      {u"arccos", -1},    {u"arcsec", -1}, {u"arccosec", -1}, {u"pi", -1},
  };
  for (const auto& [text, error] : cases) {
    eng.core.state.e_error = -1;
    Tokens(text);
    EXPECT_EQ(Error(), error) << Narrow(text);
  }
  Eval(u"1+1");
  Tokens(u"frobnicate");
  EXPECT_NE(Log().find(u"Undefined Function = frobnicate\r\n"), std::u16string::npos);
  // An error already standing is never replaced by a later lookup.
  eng.core.state.e_error = 8;
  Tokens(u"frobnicate pi");
  EXPECT_EQ(Error(), 8);
}

TEST_F(TokenizerTest, GetConstGivesTheTenDecimalValue) {
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"#PI", "3.1415926536"},      {u"2pi", "6.2831853072"}, {u"E", "2.7182818285"},
      {u"#to_deg", "57.2957795131"}, {u"rad", "0.0174532925"},
  };
  for (const auto& [name, text] : cases) {
    double value = 0;
    EXPECT_EQ(engine::e_get_const(eng.core, name, &value), 1) << Narrow(name);
    EXPECT_EQ(Narrow(engine::ElementText(eng.core.cursor)), text);
    EXPECT_EQ(value, std::stod(text));  // the value read back from the text
    EXPECT_EQ(Error(), -1);
  }
  EXPECT_EQ(engine::e_get_const(eng.core, u"pie", nullptr), 0);
  EXPECT_EQ(Error(), 18);
}

}  // namespace
