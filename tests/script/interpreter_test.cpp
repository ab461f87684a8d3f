// SPDX-License-Identifier: MIT
// Scripts run line by line: what runs, what is counted, and the output text.
#include "diff/diff_state.h"
#include "engine/evaluator.h"
#include "engine_core/number_text.h"
#include "matrix/matrix_store.h"
#include "script/interpreter.h"
#include "script/line_text.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::Narrow;

class InterpreterTest : public testing_support::EngineTest {
 protected:
  diff::DiffState diffState;
  script::InterpreterState state;
  script::Context context{eng, diffState, state};

  script::RunResult Run(std::u16string_view text, bool quiet = false) {
    script::RunRequest request;
    request.text = text;
    request.quiet = quiet;
    return script::RunScript(context, request);
  }
  script::RunResult RunSelected(std::u16string_view text, std::u16string_view list, std::int32_t offset) {
    script::RunRequest request;
    request.text = text;
    request.selection = true;
    request.lineList = list;
    request.lineOffset = offset;
    return script::RunScript(context, request);
  }
};

TEST_F(InterpreterTest, LinesWithoutCommandsRunNothing) {
  const script::RunResult r = Run(u"just words\r\n\r\nmore words");
  EXPECT_EQ(r.output, u"");
  EXPECT_EQ(r.Code(), 0);
}

TEST_F(InterpreterTest, ExpressionsAndTheirOutput) {
  const script::RunResult r = Run(u"Var = a ; 2\r\nExpr = a*pi ' the comment is cut\r\nHex = 255\r\nBin = 5");
  EXPECT_EQ(r.executed, 4);
  EXPECT_EQ(r.errors, 0);
  EXPECT_EQ(r.output,
            u"Ln 2: EXPR = a*pi: \r\n Result => Number = 6.2832\r\n\r\n"
            u"Ln 3: HEX = 255: \r\n Result => Number = &FF\r\n\r\n"
            u"Ln 4: BIN = 5: \r\n Result => Number = !101");
}

TEST_F(InterpreterTest, UnknownWordIsCountedAsAnError) {
  const script::RunResult r = Run(u"x = 1");
  EXPECT_EQ(r.executed, 1);
  EXPECT_EQ(r.errors, 1);
  EXPECT_EQ(r.output, u"Ln 1: Expression = :\r\n Result => ===> ERROR n. = 25: Undefined Command/Keyword    (Module: eval)");
}

TEST_F(InterpreterTest, CommentsAndVerbatimLines) {
  const script::RunResult r = Run(u"' dropped\r\n'' kept\r\nExpr = 1+1\r\n!\\\r\nExpr = 5\r\n!/\r\nExpr = 2");
  EXPECT_EQ(r.executed, 2);
  EXPECT_EQ(r.output.rfind(u"'' kept\r\nLn 3: EXPR = 1+1", 0), 0u) << Narrow(r.output);
  EXPECT_NE(r.output.find(u"!\\\r\nExpr = 5\r\n!/\r\n"), std::u16string::npos) << Narrow(r.output);
}

TEST_F(InterpreterTest, LineSelection) {
  const std::u16string script = u"Expr = 1\r\nExpr = 2\r\n" + std::u16string(u"Expr = 3\r\n") +
                                u"Expr = 4\r\nExpr = 5\r\nExpr = 6\r\nExpr = 7\r\nExpr = 8\r\nExpr = 9\r\n"
                                u"Expr = 10\r\nExpr = 11\r\nExpr = 12";
  EXPECT_EQ(RunSelected(script, u";2;", 0).executed, 1);
  EXPECT_EQ(RunSelected(script, u";2;", 10).executed, 0);
  const script::RunResult r = RunSelected(script, u";22;", 10);
  EXPECT_EQ(r.executed, 1);
  EXPECT_EQ(r.output.rfind(u"Ln 12:", 0), 0u) << Narrow(r.output);
  EXPECT_EQ(RunSelected(script, u";junk;2;x;", 0).executed, 1);
}

TEST_F(InterpreterTest, DimXBlockBuildsOneMatrixAndTheNextLineRuns) {
  const script::RunResult r = Run(
      u"DimX = A(2,2) ; a = 1 ; b = 2\r\nDimX = A(2,2) ; c = 3\r\nDimX = A(2,2) ; d = 4\r\nExpr = det([A])");
  EXPECT_EQ(r.errors, 0) << Narrow(r.output);
  EXPECT_NE(r.output.find(u"Ln 4: EXPR = det([A]): \r\n Result => Number = -2.0000"), std::u16string::npos)
      << Narrow(r.output);
}

TEST_F(InterpreterTest, ShowOfAnUnknownNameIsAnErrorLine) {
  const script::RunResult r = Run(u"Show(nothing)\r\nExpr = 1");
  EXPECT_EQ(r.executed, 2);
  EXPECT_EQ(r.errors, 1);
  EXPECT_NE(r.output.find(u"Ln 1: Show(nothing) => ===> ERROR n. = 14"), std::u16string::npos) << Narrow(r.output);
}

TEST_F(InterpreterTest, QuietRunsKeepOnlyResults) {
  const script::RunResult r = Run(u"Expr = 2\r\nExpr = 1/0", true);
  EXPECT_EQ(r.output,
            u" Result => Number = 2.0000\r\n\r\n"
            u"Ln 2: EXPR = 1/0: \r\n Result => ===> ERROR n. = 8: Division by zero             (Module: eval & sDiff)");
}

TEST_F(InterpreterTest, StoredResultsAndOtherCommands) {
  const script::RunResult r = Run(
      u"Matr = [mA];2;2;1;2;3;4\r\nStoExpr(w) = 3^2\r\nStoExpr(mB) = [mA]*2\r\nShow(w)\r\n"
      u"Funct = f ; x^2\r\nVar = x ; 3\r\nExpr = f+1\r\nIntegrate(0;1;2;simp;x) = x^2\r\n"
      u"sDiff(x) = x^2\r\nVarPolyn = x\r\nDerivate = 3x^2-4x+7\r\nSolvePolyn = x^2-4");
  EXPECT_EQ(r.errors, 0) << Narrow(r.output);
  for (std::u16string_view expected : {
           std::u16string_view(u" Stored => Number w = 9.0000"),
           std::u16string_view(u" Stored => Matrix: [mB]; 2; 2;2; 4; 6; 8; "),
           std::u16string_view(u"Ln 4: Show(w) => Number w = 9.0000"),
           std::u16string_view(u"Ln 7: EXPR = f+1: \r\n Result => Number = 10.0000"),
           std::u16string_view(u" Integral iFunction(0,1) => Number = 0.3125"),
           std::u16string_view(u"f'(x) => 2*x"),
           std::u16string_view(u" Derivate of Polyn => 6*x - 4"),
           std::u16string_view(u" Solution Polyn => Number = 2.0000"),
       })
    EXPECT_NE(r.output.find(expected), std::u16string::npos) << Narrow(expected) << "\n" << Narrow(r.output);
}

}  // namespace

namespace {

class FileCommandsTest : public InterpreterTest {};

TEST_F(FileCommandsTest, InputFromFilesAndResultsToFiles) {
  services.files[u"f.ulv"] = "' the formula\r\nExpr = 6*7\r\n";
  services.files[u"poly.ulv"] = "3x^2\r\n+2x\r\n";
  services.files[u"int.ulv"] = "Integrate(0;1;2;simp;x) = x^2\r\n";
  services.files[u"fn.ulv"] = "g ; x+1\r\n";
  const script::RunResult r = Run(
      u"ExprF = f.ulv [out.ulv]\r\nVarPolyn = x\r\nDerivateF = poly.ulv\r\nIntegrateF = int.ulv\r\n"
      u"FunctF = g fn.ulv\r\nVar = x ; 1\r\nExpr = g");
  EXPECT_EQ(r.errors, 0) << Narrow(r.output);
  EXPECT_NE(r.output.find(u"Ln 1: EXPRF = 6*7: =>(f.ulv [out.ulv])"), std::u16string::npos) << Narrow(r.output);
  EXPECT_NE(r.output.find(u" Derivate of Polyn => 6*x + 2"), std::u16string::npos) << Narrow(r.output);
  EXPECT_NE(r.output.find(u" Integral iFunction(0,1) => Number = 0.3125"), std::u16string::npos);
  EXPECT_NE(r.output.find(u" Result => Number = 2.0000"), std::u16string::npos);
  ASSERT_EQ(services.files.count(u"ulvXNpp/out.ulv"), 1u);  // names without a folder go there
  EXPECT_NE(services.files[u"ulvXNpp/out.ulv"].find("Number = 42.0000"), std::string::npos);
}

TEST_F(FileCommandsTest, MissingInputFileIsAnErrorLine) {
  const script::RunResult r = Run(u"ExprF = nothere.ulv");
  EXPECT_EQ(r.errors, 1);
  EXPECT_NE(r.output.find(u"===> ERROR n. = -2: File Open Error (not found?)"), std::u16string::npos)
      << Narrow(r.output);
  ASSERT_FALSE(services.shown.empty());
  EXPECT_EQ(services.shown[0].text, u"Error 3: Couldn't open the file!\r\nnothere.ulv");
}

}  // namespace

namespace {

// Each line's record carries its values as numbers, and the text written is the records'.
TEST_F(InterpreterTest, RecordsCarryTheLinesValues) {
  script::RunRequest request;
  request.text = u"Var = a ; 2\r\nExpr = a^10\r\nStoExpr(b) = a+1\r\nMatr = [M];2;2;1;2;3;4\r\n"
                 u"Expr = [M]*2\r\nShow(M)\r\n  Expr = 1 + nosuch\r\nPlot(0;x;1;10) = nosuch\r\n''kept";
  request.keepRecords = true;
  const script::RunResult r = script::RunScript(context, request);
  ASSERT_EQ(r.records.size(), 9u) << Narrow(r.output);
  using script::LineForm;
  EXPECT_EQ(r.records[0].form, LineForm::Definition);
  EXPECT_EQ(r.records[0].name, u"a");
  EXPECT_EQ(r.records[0].value.number, 2.0);
  EXPECT_EQ(r.records[1].value.number, 1024.0);
  EXPECT_EQ(r.records[2].form, LineForm::Stored);
  EXPECT_EQ(r.records[2].name, u"b");
  EXPECT_EQ(r.records[2].value.number, 3.0);
  EXPECT_EQ(r.records[4].value.matrix, (script::MatrixValue{2, 2, {2, 4, 6, 8}}));
  EXPECT_EQ(r.records[5].nameKind, script::NameKind::Matrix);
  EXPECT_EQ(r.records[5].value.matrix.elements, (std::vector<double>{1, 2, 3, 4}));
  ASSERT_TRUE(r.records[6].failed());
  EXPECT_EQ(r.records[6].failure->code, 4);  // an undefined name, under it
  EXPECT_EQ(r.records[6].failure->begin, 13u);
  EXPECT_EQ(r.records[6].failure->end, 19u);
  EXPECT_EQ(r.records[7].failure->detail, u"no point of the formula could be evaluated");
  EXPECT_EQ(r.records[8].form, LineForm::Copied);
  EXPECT_EQ(r.errors, 2);

  std::u16string rendered;
  for (const script::LineRecord& record : r.records) script::AppendLineText(rendered, record, {});
  EXPECT_EQ(rendered.substr(0, rendered.size() - 2), r.output);
}

}  // namespace

namespace {

// A stored matrix keeps its numbers: every bit in double numbers, the 10-decimal value in
// classic ones, as saved scripts have always had it.
TEST_F(InterpreterTest, StoExprStoresAMatrixByValue) {
  for (const engine::Numbers numbers : {engine::Numbers::Classic, engine::Numbers::Double}) {
    engine::SetFormulaSettings(eng, {.numbers = numbers});
    const script::RunResult r = Run(u"Matr = [A];1;2;1;2\r\nStoExpr(B) = [A]/3");
    ASSERT_EQ(r.errors, 0) << Narrow(r.output);
    std::int32_t rows = 0;
    std::int32_t cols = 0;
    const auto* b = reinterpret_cast<const double*>(
        matrix::FindMatrix(eng.core, eng.matrices, u"[b]", matrix::kFindByName | matrix::kFindReturnAddr, &rows, &cols, false));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(rows * cols, 2);
    const bool exact = numbers == engine::Numbers::Double;
    EXPECT_EQ(b[0], exact ? 1.0 / 3 : engine::RoundTo10Decimals(1.0 / 3));
    EXPECT_EQ(b[1], exact ? 2.0 / 3 : engine::RoundTo10Decimals(2.0 / 3));
  }
}

}  // namespace
