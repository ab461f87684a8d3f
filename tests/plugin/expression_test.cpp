// SPDX-License-Identifier: MIT
// What is taken from the document to run: the text checked before it runs, and the expression
// found back from the caret.
#include <gtest/gtest.h>

#include <vector>

#include "engine_core/number_text.h"
#include "plugin/check_expression.h"
#include "plugin/expression_search.h"
#include "plugin/fake_editor.h"
#include "support/recording_services.h"

namespace {

using testing_support::FakeEditor;
using Position = plugin::Position;

std::string Narrow(std::u16string_view text) { return engine::ToNarrowLossy(text); }

constexpr std::u16string_view kCaption = u"Eval SelText To Wnd: Expression =";

std::u16string Box(std::u16string_view text, std::u16string_view question) {
  return std::u16string(kCaption) + u"\r\n\r\n" + std::u16string(text) + u"\r\n\r\nPress: Yes to " +
         std::u16string(question) + u"\r\n           No to abort operation";
}

TEST(CheckExpressionTest, NoTextIsNoExpression) {
  for (std::u16string_view text : {u"", u"   ", u"\r\n\r\n", u"\n \t\n"}) {
    testing_support::RecordingServices os;
    EXPECT_FALSE(plugin::CheckExpressionS(os, text, kCaption, plugin::Asking::Confirm).has_value()) << Narrow(text);
    ASSERT_EQ(os.shown.size(), 1u);
    EXPECT_EQ(os.shown[0].text, u"No Expression found!");
    EXPECT_EQ(os.shown[0].title, u"Vuza Reduzodod");
  }
}

TEST(CheckExpressionTest, TheQuestionFitsTheCommandAndFormulasBecomeExpr) {
  struct Case {
    std::u16string_view text, question, run;
  };
  for (const Case& c : std::vector<Case>{
           {u"a*2+1", u"Evaluate Expression", u"Expr = a*2+1"},
           {u"Expr = 1", u"Evaluate Expression", u"Expr = 1"},
           {u"Var = x ; 2", u"Load Expression in Memory", u"Var = x ; 2"},
           {u"Plot(sin(x), 0, 1)", u"Execute Command", u"Plot(sin(x), 0, 1)"},
           {u"Show(x)", u"Execute Command", u"Show(x)"},
           {u"  show(x)", u"Execute Command", u"  show(x)"},
           {u"variance*2", u"Evaluate Expression", u"Expr = variance*2"},  // names holding a command word
           {u"binom+1", u"Evaluate Expression", u"Expr = binom+1"},
           {u"hex*2", u"Evaluate Expression", u"Expr = hex*2"},           // a variable named like a command
           {u"Expr = 1\r\n+2\n", u"Evaluate Expression", u"Expr = 1+2"},  // line ends removed
       }) {
    testing_support::RecordingServices os;
    os.answers = {platform::Answer::Yes, platform::Answer::No};
    EXPECT_EQ(plugin::CheckExpressionS(os, c.text, kCaption, plugin::Asking::Confirm), std::u16string(c.run)) << Narrow(c.text);
    EXPECT_FALSE(plugin::CheckExpressionS(os, c.text, kCaption, plugin::Asking::Confirm).has_value()) << Narrow(c.text);
    EXPECT_EQ(plugin::CheckExpressionS(os, c.text, kCaption, plugin::Asking::TellOnly), std::u16string(c.run)) << Narrow(c.text);
    ASSERT_EQ(os.shown.size(), 2u);  // without confirm, not asked
    std::u16string asked(c.text);    // the question shows the text without its line ends
    std::erase_if(asked, [](char16_t ch) { return ch == u'\r' || ch == u'\n'; });
    EXPECT_EQ(os.shown[0].text, Box(asked, c.question)) << Narrow(c.text);
    EXPECT_EQ(os.shown[0].title, u"Vuza Reduzodod");
    EXPECT_EQ(os.shown[0].buttons, platform::Buttons::YesNo);
  }
}

// Joined, "Var = a ; 3Expr = a*2+1" would run as one line and lose the second command.
TEST(CheckExpressionTest, LinesOfCommandsRunOneByOne) {
  testing_support::RecordingServices os;
  EXPECT_EQ(plugin::CheckExpressionS(os, u"Var = a ; 3\nExpr = a*2+1\r' note\r\nShow(a)", kCaption, plugin::Asking::TellOnly),
            u"Var = a ; 3\r\nExpr = a*2+1\r\n' note\r\nShow(a)\r\n");
}

TEST(CheckExpressionTest, AFormulaOnACommandWordNamedVariableIsAskedAsAFormula) {
  testing_support::RecordingServices os;
  os.answers = {platform::Answer::Yes};
  EXPECT_EQ(plugin::CheckExpressionS(os, u"show*2", kCaption, plugin::Asking::Confirm), u"Expr = show*2");
  EXPECT_EQ(os.shown.at(0).text, Box(u"show*2", u"Evaluate Expression"));
}

// caret -1: the document's end.
struct AtCaret {
  std::string document;
  Position caret;
  std::string expression;
};

std::string ExpressionIn(const AtCaret& c) {
  FakeEditor editor;
  if (c.caret < 0)
    editor.LoadAtEnd(c.document);
  else
    editor.Load(c.document, c.caret);
  return plugin::ExpressionAtCaret(editor);
}

TEST(ExpressionAtCaretTest, FromTheNearestCommandWordToTheCaret) {
  for (const AtCaret& c : std::vector<AtCaret>{
           {"Expr = 1+2", -1, "Expr = 1+2"},
           {"expr = 1+2", -1, "expr = 1+2"},                  // any case
           {"Expr = 1+2 ' note", 10, "Expr = 1+2"},           // the comment after the caret stays out
           {"Var = a ; 2\n  + 3", -1, "Var = a ; 2\n  + 3"},  // the caret line has no command word
           {"Expr = 1\r\nExpr = 2", -1, "Expr = 2"},
           {"Expr = 1\r\nVar = b ; 2 ' x\r\nExpr = 3", 17, "Var = b"},  // caret inside a middle line
           {"StoExpr(t) = 2*3", -1, "StoExpr(t) = 2*3"},                // "Expr" inside a word is no command
           {"x = 1\ny = 2", -1, ""},
           {"Variance = 2", -1, ""},
           {"' Var is set below\nx = 1", -1, ""},  // a command word in a comment is none
           {"Expr = 1", 0, ""},                    // the command must stand before the caret
           {"", 0, ""},
       })
    EXPECT_EQ(ExpressionIn(c), c.expression) << c.document << " @" << c.caret;
}

TEST(ExpressionAtCaretTest, EveryCommandWordIsFound) {
  for (const AtCaret& c : std::vector<AtCaret>{{"Vect = v ; 1, 2", -1, "Vect = v ; 1, 2"},
                                               {"VectF = v ; 1, 2", -1, "VectF = v ; 1, 2"},
                                               {"VarPolyn = p ; 1, 2", -1, "VarPolyn = p ; 1, 2"},
                                               {"Var = a ; 2\nsDiff(x) = x^2", -1, "sDiff(x) = x^2"}})
    EXPECT_EQ(ExpressionIn(c), c.expression) << c.document;
}

TEST(ExpressionAtCaretTest, AVariableNamedLikeACommandDoesNotStartTheExpression) {
  for (const AtCaret& c :
       std::vector<AtCaret>{{"Var = y ; bin*2", -1, "Var = y ; bin*2"}, {"Expr = debug+1", -1, "Expr = debug+1"}})
    EXPECT_EQ(ExpressionIn(c), c.expression) << c.document;
}

}  // namespace
