// SPDX-License-Identifier: MIT
// One script run: its lines, the line being executed, the output text and the counters. The
// line loop and the command handlers share it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "script/interpreter.h"

namespace ui {
struct PlotRecord;
}

namespace script {

struct Captions {
  std::u16string number = u"Number =";
  std::u16string vector = u"Vector: ";
  std::u16string matrix = u"Matrix: ";
  std::u16string result = u" Result => ";
  std::u16string stored = u" Stored => ";
};

// A command line taken apart: its word, the text after "=" and the text in brackets.
struct CommandLine {
  std::int32_t number = 0;   // 1-based line number
  std::u16string text;       // the line, comment tail cut
  std::u16string word;       // lower-cased command word
  std::u16string arg;        // after the first "=", trimmed
  std::u16string par;        // between "(" and ")", trimmed
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
  bool NextLine(std::u16string& line, std::int32_t& number);
  bool Selected(std::int32_t number) const;
  static bool Parse(std::u16string_view raw, std::int32_t number, CommandLine& line);

  void Echo(const CommandLine& line, std::u16string_view part, bool failed);
  void ResultLine(std::u16string_view prefix, std::u16string_view text);
  std::u16string ErrorText(std::int32_t code);
  std::u16string NumberText(double value) const;
  std::u16string MatrixText(double value);  // a matrix result printed, or the error text

  std::u16string ReadScriptFile(std::u16string_view name);
  void WriteScriptFile(std::u16string_view name, std::u16string_view text);
  void WritePointTable(const ui::PlotRecord& record);
  // Reports line `number` to the progress display; false when the user has stopped the run.
  bool ShowProgress(std::int32_t number, std::u16string_view raw);
  void Unknown(const CommandLine& line);

  Context& context_;
  const RunRequest& request_;
  Captions captions_;
  std::u16string matrixFormat_;             // "0." and one "0" per decimal
  std::u16string_view rest_;                // the lines not read yet
  std::int32_t lastNumber_ = 0;             // number of the last line read
  std::int32_t lineCount_ = 0;              // lines of the script, counted for the progress
  std::unordered_set<std::int32_t> listed_; // line numbers of the selection list
  std::u16string pending_;                  // a line read ahead by DimX, to run next
  bool hasPending_ = false;
  std::int32_t pendingNumber_ = 0;
  RunResult result_;
  std::int32_t plotNumber_ = 0;             // plots of this run so far
  std::u16string fileNote_;                 // echo note of a file variant; empty otherwise
};

}  // namespace script
