// SPDX-License-Identifier: MIT
// One script run: its lines, the line being executed, the output text and the counters. The
// line loop and the command handlers share it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "script/interpreter.h"
#include "script/line_record.h"
#include "script/line_text.h"

namespace ui {
struct PlotRecord;
}

namespace script {

struct Command;

// A line of the script as read: trimmed, with the blanks it had before it.
struct ScriptLine {
  std::u16string text;
  std::int32_t number = 0;   // 1-based line number
  std::size_t indent = 0;    // blanks trimmed off its start
};

// A command line taken apart: its word, the text after "=" and the text in brackets.
struct CommandLine {
  const Command* command = nullptr;  // the command table's entry of word; none for others
  std::int32_t number = 0;   // 1-based line number
  std::u16string text;       // the line, comment tail cut
  std::u16string word;       // lower-cased command word
  std::u16string arg;        // after the first "=", trimmed
  std::u16string par;        // between "(" and ")", trimmed
  std::size_t indent = 0;    // where the line's text starts in the line as the script holds it
  std::size_t argAt = 0;     // where arg starts there
  bool hasEquals = false;
};

class Run {
 public:
  Run(Context& context, const RunRequest& request);
  RunResult Execute();

  // Runs the line's command, found in the command table.
  void Dispatch(CommandLine& line);

  // The command handlers (commands.cpp), called through the command table.
  // The file variants (ExprF, FunctF, IntegrateF, sDiffF, DerivateF, MatrF, VectF): their input
  // comes from a file and their result may go to one (file_commands.cpp).
  void FileVariant(CommandLine& line);
  void Var(const CommandLine& line);
  void Funct(const CommandLine& line);
  void Debug(const CommandLine& line);
  void ErrorMsgs(const CommandLine& line);
  void VarPolyn(const CommandLine& line);
  void ElemOrderSet(const CommandLine& line);
  void ElemOrderEx(const CommandLine& line);
  void Matr(const CommandLine& line);
  void DimX(const CommandLine& line);
  void Expr(const CommandLine& line);
  void StoExpr(const CommandLine& line);
  void Integrate(const CommandLine& line);
  void SDiff(const CommandLine& line);
  void Derivate(const CommandLine& line);
  void SolvePolyn(const CommandLine& line);
  void Show(const CommandLine& line);
  void Plot(const CommandLine& line);
  void About();

 private:
  // The next line to execute, or false at the end; pending DimX lines come first.
  bool NextLine(ScriptLine& line);
  bool Selected(std::int32_t number) const;
  static bool Parse(const ScriptLine& raw, CommandLine& line);

  // A record of the line in the given form, with the line's parts for its echo.
  LineRecord& Record(const CommandLine& line, LineForm form);
  // A definition's record, failed when the engine has an error.
  LineRecord& Defined(const CommandLine& line);
  static LineFailure Failure(std::int32_t code);
  // The engine's failure in a formula that starts at `at` in the line, with the span of the
  // token where it was found.
  LineFailure FormulaFailure(std::u16string_view formula, std::size_t at);
  // Counts, writes and (when the request keeps them) keeps the line's record.
  void Report(const LineRecord& record);
  void Note(std::u16string text);  // a comment line of the run's own
  // The elements of the matrix an operand stands for; false when there is none.
  bool MatrixValueOf(double operand, MatrixValue& value);
  // Puts the stored matrix of that name into the record; false with the engine's error when
  // there is none.
  bool StoredMatrix(std::u16string_view name, LineRecord& record);

  std::u16string ReadScriptFile(std::u16string_view name);
  void WriteScriptFile(std::u16string_view name, std::u16string_view text);
  void WritePointTable(const ui::PlotRecord& record);
  // Reports line `number` to the progress display; false when the user has stopped the run.
  bool ShowProgress(std::int32_t number, std::u16string_view raw);
  void Unknown(const CommandLine& line);

  Context& context_;
  const RunRequest& request_;
  TextStyle style_;
  std::u16string_view rest_;                // the lines not read yet
  std::int32_t lastNumber_ = 0;             // number of the last line read
  std::int32_t lineCount_ = 0;              // lines of the script, counted for the progress
  std::unordered_set<std::int32_t> listed_; // line numbers of the selection list
  ScriptLine pending_;                      // a line read ahead by DimX, to run next
  bool hasPending_ = false;
  RunResult result_;
  LineRecord line_;                         // the record of the line being run
  std::int32_t plotNumber_ = 0;             // plots of this run so far
  std::u16string fileNote_;                 // echo note of a file variant; empty otherwise
};

}  // namespace script
