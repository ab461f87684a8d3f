// SPDX-License-Identifier: MIT
// Script files in every encoding, the bytes of output files, and the header of a run.
#include <gtest/gtest.h>

#include <string>

#include "diff/diff_state.h"
#include "script/script_run.h"
#include "morvane_version.h"
#include "script/text_files.h"
#include "support/engine_fixture.h"

namespace {

using script::DecodeText;
using testing_support::Narrow;

TEST(TextFilesTest, EncodingsByByteOrderMark) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"\xEF\xBB\xBF" "Expr = 1", u"Expr = 1\r\n"},                      // UTF-8 with a mark
      {"Expr = \xC3\xA9\nVar = a ; 1\n", u"Expr = \u00e9\r\nVar = a ; 1\r\n"},  // valid UTF-8, LF ends
      {"Expr = \xE9\r", u"Expr = \u00e9\r\n"},                           // not UTF-8: Windows-1252
      {"\x80\x99", u"\u20ac\u2122\r\n"},
      {std::string("\xFF\xFE" "A\0=\0" "1\0\r\0\n\0", 12), u"A=1\r\n"},    // UTF-16 little endian
      {"", u""},
  };
  for (const Case& c : cases) {
    const script::DecodedText decoded = DecodeText(c.bytes);
    EXPECT_EQ(decoded.text, c.text) << Narrow(c.text);
    EXPECT_TRUE(decoded.refusal.empty());
  }
}

TEST(TextFilesTest, RefusedEncodingsGiveTheirMessage) {
  const struct {
    std::string bytes;
    std::u16string_view message;
  } cases[] = {
      {std::string("\xFE\xFF\0A", 4), u"UTF-16 (big endian) BOM detected."},
      {std::string("\xFF\xFE\0\0A\0\0\0", 8), u"UTF-32 (little endian) BOM detected."},
      {std::string("\0\0\xFE\xFF\0\0\0A", 8), u"UTF-32 (big endian) BOM detected."},
  };
  for (const auto& c : cases) {
    const script::DecodedText decoded = DecodeText(c.bytes);
    EXPECT_TRUE(decoded.text.empty());
    EXPECT_EQ(decoded.refusal.rfind(c.message, 0), 0u) << Narrow(decoded.refusal);
    EXPECT_NE(decoded.refusal.find(u"Unable to convert the file. Try to save it in ASCII, UTF8 or Unicode format."),
              std::u16string::npos);
  }
}

TEST(TextFilesTest, OnlyFilesWrittenAfreshGetTheMarkTheServicesWant) {
  testing_support::RecordingServices os;
  EXPECT_TRUE(script::WriteTextFile(os, u"plain.txt", u"\u00e9"));
  EXPECT_EQ(os.files[u"plain.txt"], "\xC3\xA9");
  os.byteOrderMark = true;
  EXPECT_TRUE(script::WriteTextFile(os, u"marked.txt", u"\u00e9\r\n"));
  EXPECT_TRUE(script::WriteTextFile(os, u"marked.txt", u"a", true));
  EXPECT_EQ(os.files[u"marked.txt"], "\xEF\xBB\xBF\xC3\xA9\r\na");
  os.readOnly.insert(u"locked.txt");
  EXPECT_FALSE(script::WriteTextFile(os, u"locked.txt", u"a"));
}

// Windows editors need the mark to read the text as UTF-8; elsewhere it would be stray bytes.
TEST(TextFilesTest, NativeServicesWantTheMarkOnWindowsOnly) {
#ifdef _WIN32
  constexpr bool kWindows = true;
#else
  constexpr bool kWindows = false;
#endif
  EXPECT_EQ(platform::MakeNativeServices()->WantsByteOrderMark(), kWindows);
}

class ScriptRunTest : public testing_support::EngineTest {
 protected:
  diff::DiffState diffState;
  script::InterpreterState state;
  script::Context context{eng, diffState, state};
};

TEST_F(ScriptRunTest, HeaderRecordsTheRun) {
  script::ScriptRunRequest request;
  request.run.text = u"'' only a copied line\r\n' a comment";
  request.info = u"'Vuza Reduzodod";
  request.inputFile = u"in.ulv";
  const script::ScriptRunResult result = script::RunScriptWithHeader(context, request);
  EXPECT_EQ(result.text,
            u"'Vuza Reduzodod\r\n'Incorporates library Morvane.dll - rel. " + std::u16string(morvane::kVersionText) +
                u"\r\n'" + std::u16string(84, u'-') + u"\r\n'BatchRun : Time 08/12/2026 - 10:20:30\r\n"
                u"'Input file: in.ulv\r\n'Executed Commands: 0, Errors found: 0\r\n'" + std::u16string(84, u'*') +
                u"\r\n'' only a copied line\r\n");
}

TEST_F(ScriptRunTest, WithoutHeaderTheResultEndsInOneLineEnd) {
  script::ScriptRunRequest request;
  request.run.text = u"Expr = 2";
  request.noHeader = true;
  const script::ScriptRunResult result = script::RunScriptWithHeader(context, request);
  EXPECT_EQ(result.text, u"Ln 1: EXPR = 2: \r\n Result => Number = 2.0000\r\n");
  EXPECT_EQ(result.run.Code(), 1000);
}

TEST_F(ScriptRunTest, PluginLogStartsAfresh) {
  services.files[u"plugin.log"] = "an old run\r\n";
  EXPECT_TRUE(script::StartPluginLog(services, u"plugin.log", u"'Vuza Reduzodod"));
  EXPECT_EQ(services.files[u"plugin.log"], "'Vuza Reduzodod\r\nBatchRun : Time 08/12/2026 - 10:20:30\r\n"
                                           "Log File : \"plugin.log\"\r\n" + std::string(67, '-') + "\r\n");
  services.readOnly.insert(u"locked.log");
  EXPECT_FALSE(script::StartPluginLog(services, u"locked.log", u"'Vuza Reduzodod"));
}

}  // namespace
