// SPDX-License-Identifier: MIT
// The batch command line: options, where the script comes from and where the output goes.
#include <string>

#include "diff/diff_state.h"
#include "script/batch.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::Narrow;

class BatchTest : public testing_support::EngineTest {
 protected:
  diff::DiffState diffState;
  script::BatchState state;
  script::HostOptions host;
  script::BatchContext context{.engine = eng, .diff = diffState, .state = state, .host = host};

  std::int32_t Main(std::u16string_view line) { return script::ulvEvalMain(context, line); }
  std::u16string File(std::u16string_view name) {
    auto found = services.files.find(std::u16string(name));
    return found == services.files.end() ? u"<missing>" : engine::ToU16(found->second);
  }
};

TEST_F(BatchTest, OptionsSetTheirFlags) {
  const script::RunFlags f = script::ParseOptions(u"/i dir/in.ulv /a /nln /nt /dec:2 /log:run.log /lc:10");
  EXPECT_EQ(f.InpFN, u"dir/in.ulv");
  EXPECT_EQ(f.OutpFN, u"dir/Result.ulv");  // /a without a name: next to the input file
  EXPECT_TRUE(f.AppendF && f.NoHF && f.noLnExpF && f.bare && f.logF && f.lineOffsetGiven);
  EXPECT_EQ(f.decimals, 2);
  EXPECT_EQ(f.logFile, u"run.log");
  EXPECT_EQ(f.lineOffset, 10);
  const script::RunFlags reset = script::ParseOptions(u"/i in.ulv /o out.ulv /nln /lns:1;2 /rset");
  EXPECT_TRUE(reset.rsetF);
  EXPECT_TRUE(reset.InpFN.empty() && reset.OutpFN.empty() && !reset.noLnExpF && !reset.lnsF && !reset.inputFile);
  EXPECT_EQ(script::ParseOptions(u"/zz /o x").unknown, u"/zz");
}

// The editor's menu commands hand over typed requests: each must ask for what the command line
// the editor passed before asked for, option for option.
TEST(BatchRequestTest, MenuRequestsAreTheirCommandLines) {
  using script::ParseOptions;
  EXPECT_EQ(script::WholeFileRun(u"c:/docs/a b.ulv", 3), ParseOptions(u"/i \"c:/docs/a b.ulv\" /o /log /pbar", 3));
  EXPECT_EQ(script::FileLineRun(u"c:/docs/a.ulv", 12, 4), ParseOptions(u"/i \"c:/docs/a.ulv\" /a /lns:12 /lc:0 /noh", 4));
  EXPECT_EQ(script::TextRun(u" Expr = 1/2 ", 4, false), ParseOptions(u" /noh /sel:'Expr = 1/2' /", 4));
  EXPECT_EQ(script::TextRun(u"Expr = 'a'/2", 6, true), ParseOptions(u" /noh /nln /nt /sel:'Expr = 'a'/2' /", 6));
}

TEST_F(BatchTest, SelectedTextMayHoldSlashes) {
  const script::RunFlags f = script::ParseOptions(u" /noh /sclp /log /sel:'Expr = 1/4' /");
  EXPECT_TRUE(f.getFromSelTextF && f.SaveToClpBF && f.NoHF);
  EXPECT_EQ(f.selText, u"Expr = 1/4");
  EXPECT_EQ(Main(u" /noh /sclp /sel:'Expr = 1/4' /"), 1000);
  EXPECT_EQ(services.clipboard, u"Ln 1: EXPR = 1/4: \r\n Result => Number = 0.2500\r\n");
  EXPECT_EQ(state.resultText, services.clipboard);
}

TEST_F(BatchTest, ScriptFileToOutputFile) {
  services.files[u"in.ulv"] = "Expr = 2*3\r\nx = 1\r\nExpr = 1/0\r\n";
  EXPECT_EQ(Main(u"/i in.ulv /o out.ulv"), 3002);
  const std::u16string out = File(u"out.ulv");
  EXPECT_NE(out.find(u"'Input file: in.ulv\r\n'Executed Commands: 3, Errors found: 2\r\n"), std::u16string::npos)
      << Narrow(out);
  EXPECT_NE(out.find(u" Result => Number = 6.0000"), std::u16string::npos);
  EXPECT_TRUE(out.ends_with(u"\r\n"));
}

TEST_F(BatchTest, LineSelectionAppendsWithoutHeader) {
  services.files[u"in.ulv"] = "Expr = 1\r\nExpr = 2\r\nExpr = 3\r\nExpr = 4\r\nExpr = 5\r\nExpr = 6\r\nExpr = 7\r\n";
  services.files[u"out.ulv"] = "before\r\n";
  EXPECT_EQ(Main(u"/i in.ulv /o out.ulv /lns:3;7"), 2000);
  EXPECT_EQ(File(u"out.ulv"),
            u"before\r\nLn 3: EXPR = 3: \r\n Result => Number = 3.0000\r\n\r\nLn 7: EXPR = 7: \r\n Result => Number = 7.0000\r\n");
}

TEST_F(BatchTest, ExitCodeCountsCommandsAndErrors) {
  std::u16string script;
  for (int i = 0; i < 121; ++i) script += u"Expr = 1\r\n";
  script += u"nothing = 1\r\nExpr = 1/0";
  services.files[u"many.ulv"] = engine::ToNarrowLossy(script);
  EXPECT_EQ(Main(u"/i many.ulv /noh"), 123002);
}

TEST_F(BatchTest, UnreadableInputIsReported) {
  EXPECT_EQ(Main(u"/i missing.ulv /o out.ulv"), 0);
  EXPECT_TRUE(state.inputFailed);
  EXPECT_EQ(state.resultText, u"Error : Invalid Input file.\r\nfilename: missing.ulv Program will terminate.");
  EXPECT_EQ(File(u"out.ulv"), u"<missing>");  // nothing written over an existing output
  ASSERT_FALSE(services.shown.empty());
  EXPECT_EQ(services.shown.front().text, u"Error 4: can't read the file\r\nfile: missing.ulv");
}

TEST_F(BatchTest, UnwritableOutputKeepsTheOldFileAndTheResult) {
  services.files[u"out.ulv"] = "saved before\r\n";
  services.readOnly.insert(u"out.ulv");
  EXPECT_EQ(Main(u"/o out.ulv /sel:'Expr = 1+1'"), 1000);
  EXPECT_TRUE(state.outputFailed);
  EXPECT_EQ(services.files[u"out.ulv"], "saved before\r\n");
  EXPECT_NE(state.resultText.find(u"Number = 2.0000"), std::u16string::npos);  // still there to take
  ASSERT_FALSE(services.shown.empty());
  EXPECT_EQ(services.shown.back().text, u"Error 5: can't write the file\r\nfile: out.ulv");
  EXPECT_EQ(state.messages.find(u"SaveToFile"), std::u16string::npos);

  Main(u"/a out.ulv /sel:'Expr = 1'");
  EXPECT_EQ(services.shown.back().text, u"Error 5: can't open the file\r\nfile: out.ulv");
  Main(u"/o ok.ulv /sel:'Expr = 1'");
  EXPECT_FALSE(state.outputFailed);  // the next run starts clean
}

TEST_F(BatchTest, UnknownOptionsAreListedAndTheRunGoesOn) {
  EXPECT_EQ(Main(u"/bogus /zz:3 /sel:'Expr = 2'"), 1000);
  EXPECT_NE(state.messages.find(u"Unknown option: \"/bogus /zz:3\""), std::u16string::npos) << Narrow(state.messages);
}

TEST_F(BatchTest, LoadSaveFileModes) {
  auto loadSave = [&](std::int32_t mode) { return script::LoadSaveFile(context, *script::FileModeOf(mode)); };
  services.files[u"a.ulv"] = "\xEF\xBB\xBF" "Expr = 1";
  services.files[u"lib/ShowCmds.ulv"] = "'commands";
  services.files[u"wide.ulv"] = std::string("\xFF\xFE\0\0E\0\0\0", 8);

  state.flags.InpFN = u"none.ulv";
  EXPECT_EQ(loadSave(1), script::kFileNotRead);
  EXPECT_EQ(services.shown.back().text, u"Error 7: can't read the file\r\nfile: none.ulv");
  EXPECT_EQ(loadSave(2), script::kFileDone);
  EXPECT_EQ(state.runText, u"'commands\r\n");

  EXPECT_EQ(loadSave(4), script::kFileCancelled);
  EXPECT_EQ(state.runText, u"Error 7: Operation cancelled by user.");
  EXPECT_EQ(services.asked.back(), u"open: Open File Text (*.txt)|*.txt|All files (*.*)|*.*");
  services.fileNames.push_back(u"a.ulv");
  EXPECT_EQ(loadSave(4), script::kFileDone);
  EXPECT_EQ(state.flags.InpFN, u"a.ulv");
  EXPECT_EQ(state.runText, u"Expr = 1\r\n");

  services.fileNames.push_back(u"saved.txt");
  EXPECT_EQ(loadSave(8), script::kFileDone);
  EXPECT_EQ(File(u"saved.txt"), u"Expr = 1\r\n");
  EXPECT_EQ(services.asked.back().rfind(u"save: Open File", 0), 0u);
  EXPECT_EQ(loadSave(8), script::kFileCancelled);
  services.readOnly.insert(u"locked.txt");
  services.fileNames.push_back(u"locked.txt");
  EXPECT_EQ(loadSave(8), script::kFileNotWritten);
  EXPECT_EQ(services.shown.back().text, u"Error 5: can't write the file\r\nfile: locked.txt");

  state.flags.InpFN = u"wide.ulv";  // UTF-32: refused, and the run text is left empty
  EXPECT_EQ(loadSave(6), script::kFileNotRead);
  EXPECT_TRUE(state.runText.empty());
  EXPECT_EQ(services.shown.back().text.rfind(u"UTF-32 (little endian) BOM detected.", 0), 0u);
  EXPECT_EQ(loadSave(3), script::kFileUnknownMode);
}

TEST_F(BatchTest, PluginLogGetsTheCommandLineAndTheExitCode) {
  host.pluginLogFile = u"plugin.log";
  Main(u"/sel:'Expr = 1'");
  EXPECT_EQ(services.appended, (std::vector<std::u16string>{
                                   u"plugin.log: Proc: ulvEvalMain(): CmdLine = '/sel:'Expr = 1''",
                                   u"plugin.log: Eval Codes    : Ret = 1000, ExitCode = 1000",
                                   u"plugin.log: Evaluation End: Exit code: 1000"}));
  services.appended.clear();
  Main(u"/i missing.ulv");  // a failed input still ends the run's record
  EXPECT_EQ(services.appended.back(), u"plugin.log: Evaluation End: Exit code: 0");
  EXPECT_TRUE(state.messages.ends_with(u"Evaluation End: Exit code: 0\r\n" + std::u16string(53, u'-') + u"\r\n"));
}

TEST_F(BatchTest, LogLinesGoToTheLogFile) {
  EXPECT_EQ(Main(u"/log:run.log /sel:'Expr = 1'"), 1000);
  bool sawCodes = false;
  for (const std::u16string& line : services.appended)
    sawCodes = sawCodes || line == u"run.log: Eval Codes    : Ret = 1000, ExitCode = 1000";
  EXPECT_TRUE(sawCodes);
}

}  // namespace

namespace {

class HostileScriptTest : public BatchTest {};

TEST_F(HostileScriptTest, EmptyBinaryAndLongLineScriptsRunToTheEnd) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 37) & 0xFF));
  services.files[u"empty.ulv"] = "";
  services.files[u"binary.ulv"] = binary;
  services.files[u"long.ulv"] = "Expr = " + std::string(1 << 20, '1') + "\r\nExpr = " +
                                std::string(1 << 19, '(') + "1\r\nExpr = 2";
  EXPECT_EQ(Main(u"/i empty.ulv /noh"), 0);
  EXPECT_FALSE(state.inputFailed);
  const std::int32_t binaryCode = Main(u"/i binary.ulv /noh");
  EXPECT_FALSE(state.inputFailed);
  EXPECT_LE(binaryCode % 1000, binaryCode / 1000);  // no more errors than commands
  EXPECT_EQ(Main(u"/i long.ulv /noh"), 3002);  // a 1M-digit number overflows (8), the deep one is 3
  EXPECT_NE(state.resultText.find(u"Ln 3: EXPR = 2: "), std::u16string::npos);
  EXPECT_EQ(Main(u"/sel:'Expr = 1+1'"), 1000);       // and the next run works
}

TEST_F(HostileScriptTest, HundredMegabyteScriptRuns) {
  const std::string comment = "' a comment line of the kind long scripts are full of\r\n";
  const std::size_t comments = (std::size_t{100} << 20) / comment.size();
  std::string big;
  big.reserve(comments * comment.size() + 16);
  for (std::size_t i = 0; i < comments; ++i) big += comment;
  big += "Expr = 6*7";
  services.files[u"big.ulv"] = std::move(big);
  EXPECT_EQ(Main(u"/i big.ulv /o out.ulv /noh"), 1000);
  EXPECT_EQ(File(u"out.ulv"),
            u"Ln " + engine::ToU16(std::to_string(comments + 1)) + u": EXPR = 6*7: \r\n Result => Number = 42.0000\r\n");
}

}  // namespace
