// SPDX-License-Identifier: MIT
// Error descriptions, the report format, the logs and the debug output.
#include <string>

#include "engine_core/error_table.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::EngineTest;
using testing_support::Narrow;

class ErrorLogTest : public EngineTest {
 protected:
  std::string Descr(std::int32_t code, bool extended = false) {
    return Narrow(engine::GetE_ErrDescr(eng.core, code, extended));
  }
};

TEST_F(ErrorLogTest, DescriptionsByCode) {
  const std::string undefinedCommand = "Undefined Command/Keyword    (Module: eval)";
  EXPECT_EQ(Descr(-1), "No Error                     (Module: aMatr)");
  EXPECT_EQ(Descr(8), "Division by zero             (Module: eval & sDiff)");
  EXPECT_EQ(Descr(21), "");  // "found" is a status, not an error
  for (std::int32_t outside : {25, 500, 71, -31, INT32_MIN, INT32_MAX})
    EXPECT_EQ(Descr(outside), undefinedCommand) << outside;
  EXPECT_EQ(Descr(31), "Too Long Formula             (Module: sDiff)");  // a shared table
  eng.core.state.e_error = 4;
  EXPECT_EQ(Descr(-99), "Undefined function           (Module: eval)");
  EXPECT_EQ(Descr(2, true), "Evaluator syntax error       (Module: eval) | ");
  Eval(u"1/0");
  EXPECT_EQ(Descr(-99, true), Descr(8) + " | " + Narrow(Log()));
  EXPECT_EQ(Narrow(Log()).rfind("\r\nProcedure : 'CalcMatrixDivMult (Line: 0)'\r\nError nr. : 8, "
                                "Description: Division by zero", 0), 0u);
}

TEST_F(ErrorLogTest, ReportFormat) {
  engine::TokenCursor& cursor = eng.core.cursor;
  cursor.expression = u"ab+c";
  cursor.remaining = std::u16string_view(cursor.expression).substr(2);
  cursor.element = u"ab";
  cursor.e_tok = engine::Tok::Id;
  eng.core.state.e_error = 3;
  std::u16string returned(engine::ReportEvalError(eng.core, {u"proc", 7}, u"msg"));
  const std::string extended =
      "msg\r\nExtended Error Info:\r\n  expression  : ab+c\r\n  pos(002)    = --|\r\n"
      "  element     : ab\r\n  type/token  : id\r\n  remaining   : +c\r\n";
  const std::string report = "\r\nProcedure : 'proc (Line: 7)'\r\nError nr. : 3, Description: "
                             "Parser syntax error          (Module: eval)\r\n" + extended + "\r\n";
  EXPECT_EQ(Narrow(eng.core.log.extended), extended);
  EXPECT_EQ(Narrow(Log()), report);
  EXPECT_EQ(returned, Log());
  engine::ReportEvalError(eng.core, {u"second", -5}, u"");
  EXPECT_EQ(Narrow(Log()).substr(0, report.size()), report);  // reports are appended
}

TEST_F(ErrorLogTest, LongFieldsAreAbbreviatedAndTheLogKeepsItsNewestEnd) {
  EXPECT_EQ(Eval(std::u16string(5000, u'1') + u")").code, 2);
  EXPECT_NE(Log().find(u"... (5001 characters)"), std::u16string::npos);
  EXPECT_LT(Log().size(), 5000u);

  const std::u16string big(300000, u'x');
  for (int i = 0; i < 5; ++i) engine::ReportEvalError(eng.core, {u"p", i}, big);
  engine::ReportEvalError(eng.core, {u"newest", 0}, u"");
  EXPECT_LE(Log().size(), std::size_t{1} << 20);
  EXPECT_GT(Log().size(), std::size_t{300000});
  EXPECT_NE(Log().find(u"Procedure : 'newest (Line: 0)'"), std::u16string::npos);
  EXPECT_EQ(Log().find(u"Procedure : 'p (Line: 0)'"), std::u16string::npos);
}

TEST_F(ErrorLogTest, StatusTexts) {
  EXPECT_EQ(Narrow(engine::StatusText(-2)), "File Open Error (not found?)");
  EXPECT_EQ(Narrow(engine::StatusText(-4)), "Operation vancelled by user");
  EXPECT_EQ(Narrow(engine::StatusText(-9)), "Child Window Not Found");
  for (std::int32_t code : {-1, 0, 12, -10}) EXPECT_EQ(Narrow(engine::StatusText(code)), "");
}

TEST_F(ErrorLogTest, DebugOutputFollowsTheFlags) {
  struct Case {
    std::int32_t flags;
    bool returnLog;
    std::size_t boxes;  // message boxes shown
    const char* debugLog;
  };
  const Case cases[] = {
      {0, true, 0, ""},        {1, true, 0, ""},         {3, true, 0, ""},
      {2, true, 1, ""},        {2, false, 0, ""},        {6, true, 1, ""},
      {6, false, 0, "\r\nhi"}, {4, false, 0, "\r\nhi"},  {5, false, 0, ""},
  };
  for (const Case& c : cases) {
    services.shown.clear();
    eng.core.log.debugLog.clear();
    eng.core.log.debugFlags = c.flags;
    std::string returned = Narrow(engine::DebugAdd(eng.core, u"hi", u"T", c.returnLog));
    EXPECT_EQ(services.shown.size(), c.boxes) << c.flags;
    EXPECT_EQ(Narrow(eng.core.log.debugLog), c.debugLog) << c.flags;
    EXPECT_EQ(returned, c.flags != 0 && c.returnLog ? c.debugLog : "") << c.flags;
  }
  eng.core.log.debugFlags = 4;
  engine::DebugAdd(eng.core, u"two", u"", true);
  EXPECT_EQ(Narrow(engine::DebugAdd(eng.core, u"three", u"", true)), "\r\ntwo\r\nthree");
  engine::ShowMsgs(eng.core, 2);  // also silences the debug output
  EXPECT_EQ(eng.core.log.debugFlags, engine::kDebugSuppressed);
}

TEST_F(ErrorLogTest, OfferLogPutsTheShownTextOnTheClipboardOnYes) {
  services.clipboard = u"before";
  engine::OfferLog(eng.core, u"HEAD:\r\n", u"");
  ASSERT_EQ(services.shown.size(), 1u);
  EXPECT_EQ(Narrow(services.shown[0].text), "HEAD:\r\n\r\nNone");
  EXPECT_EQ(Narrow(services.shown[0].title), "Morvane.dll");
  EXPECT_EQ(services.shown[0].buttons, platform::Buttons::YesNo);
  EXPECT_EQ(Narrow(services.clipboard), "before");  // No leaves the clipboard alone
  services.answers.push_back(platform::Answer::Yes);
  engine::OfferLog(eng.core, u"HEAD:\r\n", u"the log");
  EXPECT_EQ(Narrow(services.clipboard), "HEAD:\r\nthe log");
}

}  // namespace
