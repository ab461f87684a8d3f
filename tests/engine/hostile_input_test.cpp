// SPDX-License-Identifier: MIT
// Text no formula writer would type: every input ends with a value or an evaluator code, and
// the engine stays usable afterwards.
#include <random>
#include <string>

#include "engine/var_store.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::EngineTest;
using testing_support::Narrow;

class HostileInputTest : public EngineTest {
 protected:
  // Evaluates text and checks that the outcome is a result type or a known code, that the
  // parser's depth came back to zero, and that a plain formula still works.
  std::int32_t Survives(std::u16string_view text) {
    std::int32_t code = Eval(text).code;
    EXPECT_TRUE(code >= 0 && code <= 25 && code != 21)
        << code << " for " << Narrow(text.substr(0, 60));
    EXPECT_EQ(eng.core.state.prsDepth, 0);
    double value = 0;
    EXPECT_EQ(engine::e_eval(eng, u"1+1", &value, false), 0);
    EXPECT_EQ(value, 2);
    return code;
  }
};

TEST_F(HostileInputTest, EmptyAndBlankText) {
  EXPECT_EQ(Survives(u""), 3);
  EXPECT_EQ(Survives(u" \t\r\n "), 3);
  EXPECT_EQ(engine::de_eval(eng, u"", false), 3.0);
}

TEST_F(HostileInputTest, TenMegabyteFormulas) {
  const std::u16string blanks(5u * 1024 * 1024, u' ');  // 10 MB of UTF-16
  EXPECT_EVAL(u"1+" + blanks + u"2", 3);
  EXPECT_EQ(Survives(u"1" + blanks + u")"), 2);
  EXPECT_LT(Log().size(), 20000u);  // reports quote the formula abbreviated
  // Megabyte-long single tokens.
  const std::size_t n = 1024 * 1024;
  EXPECT_EQ(Survives(std::u16string(n, u'9')), 19);  // one huge number: an overflow
  EXPECT_EQ(Survives(std::u16string(n, u'q') + u"(1)"), 4);
  EXPECT_EQ(Survives(u"[" + std::u16string(n, u'm') + u"]"), 14);
}

TEST_F(HostileInputTest, DeepNestingOfEveryKind) {
  const std::size_t depth = 100000;
  struct Case {
    const char16_t* opener;
    std::int32_t code;
  };
  const Case cases[] = {
      {u"(", 3},    {u"-", 3},   {u"+", 3},    {u"not ", 3}, {u"sin(", 3},
      {u"sum(", 3}, {u"1+(", 3}, {u"-(", 3},
      {u"frob(", 4},  // the unknown name is met before the depth runs out
  };
  for (const Case& c : cases) {
    std::u16string text;
    for (std::size_t i = 0; i < depth; ++i) text += c.opener;
    EXPECT_EQ(Survives(text + u"1"), c.code) << Narrow(c.opener);
  }
  // A long power chain is a loop, not nesting.
  std::u16string chain = u"1";
  for (std::size_t i = 0; i < depth; ++i) chain += u"^1";
  auto outcome = Eval(chain);
  EXPECT_EQ(outcome.code, 0);
  EXPECT_EQ(outcome.value, 1);
}

TEST_F(HostileInputTest, SurrogatesControlsAndNuls) {
  struct Case {
    std::u16string text;
    std::int32_t code;
  };
  const Case cases[] = {
      {u"1+\xD800", 3},      {u"\xDC00", 3},        {u"2*\xDBFF\xDFFF", 3}, {u"sin(\xD800)", 3},
      {u"[\xD800]", 14},     {u"1\xDC00", 2},       {u"\x01\x1b", 3},       {u"1\x7f", 2},
      {u"\xFEFF" u"1", 3},   {u"\xFF11", 3},        {u"#\xD800", 4},        {u"x\xE9", 4},
      {std::u16string(u"1+1\0+5", 6), 2},          {std::u16string(u"\0", 1), 3},
  };
  // Characters outside every token class are single-character tokens that the parser rejects:
  // code 3 where an operand belongs, code 2 when left over after a complete formula.
  for (const Case& c : cases) EXPECT_EQ(Survives(c.text), c.code) << Narrow(c.text);
}

TEST_F(HostileInputTest, RandomShortFormulas) {
  engine::SetVarFunct(eng.core, eng.vars, u"x", u"2", false);
  engine::SetVarFunct(eng.core, eng.vars, u"f", u"x^2-(1", true);  // an unbalanced body
  engine::SetVarFunct(eng.core, eng.vars, u"g", u"f+x", true);
  const std::u16string alphabet =
      u"0123456789.,+-*/\\^()[];=<>!&#_ \tabcdefgimnorstxyzSINMOD\xD800\xFEFF\x01";
  std::mt19937 rng(20260101);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 24);
  for (int i = 0; i < 3000; ++i) {
    std::u16string text;
    for (int k = length(rng); k > 0; --k) text += alphabet[pick(rng)];
    double value = 0;
    std::int32_t code = engine::e_eval(eng, text, &value, (i & 1) != 0);
    ASSERT_TRUE(code >= 0 && code <= 25 && code != 21) << code << " for " << Narrow(text);
    ASSERT_EQ(eng.core.state.prsDepth, 0) << Narrow(text);
    engine::de_eval(eng, text, false);
  }
  EXPECT_EVAL(u"1+1", 2);
  EXPECT_EVAL(u"x*3", 6);
}

}  // namespace
