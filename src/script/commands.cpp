// SPDX-License-Identifier: MIT
// The command handlers: what each command word does and what it writes.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "diff/differentiate.h"
#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine/matrix_text.h"
#include "engine/tokenizer.h"
#include "engine/var_store.h"
#include "engine_core/error_table.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "matrix/matrix_ops.h"
#include "matrix/matrix_print.h"
#include "matrix/matrix_store.h"
#include "morvane_version.h"
#include "numeric/integrate.h"
#include "numeric/poly_dydx.h"
#include "numeric/solvers.h"
#include "script/command_table.h"
#include "script/run.h"
#include "script/text_files.h"
#include "ui/plot_model.h"
#include "ui/plot_output.h"

namespace script {
namespace {


// Sampling commands keep the debug trace and the error messages off while they run: a
// thousand failing points would otherwise make a thousand reports.
class Silenced {
 public:
  explicit Silenced(engine::Engine& eng)
      : eng_(eng),
        debugFlags_(std::exchange(eng.core.log.debugFlags, 0)),
        messageFlag_(std::exchange(eng.core.state.messageFlag, 0)) {}
  ~Silenced() {
    eng_.core.log.debugFlags = debugFlags_;
    eng_.core.state.messageFlag = messageFlag_;
  }
  Silenced(const Silenced&) = delete;
  Silenced& operator=(const Silenced&) = delete;

 private:
  engine::Engine& eng_;
  std::int32_t debugFlags_;
  std::int32_t messageFlag_;
};

std::u16string Upper(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = engine::UpperAscii(c);
  return out;
}

std::u16string WithoutApostrophes(std::u16string_view text) {
  std::u16string out(text);
  std::erase(out, u'\'');
  return out;
}

std::u16string Bracketed(std::u16string_view name) {
  std::u16string out(engine::Trim(name));
  if (!out.starts_with(u'[')) out.insert(out.begin(), u'[');
  if (!out.ends_with(u']')) out.push_back(u']');
  return out;
}

// The two fields of "name ; value", trimmed.
std::pair<std::u16string, std::u16string> SplitPair(std::u16string_view text) {
  const std::size_t semicolon = text.find(u';');
  if (semicolon == std::u16string_view::npos) return {std::u16string(engine::Trim(text)), u""};
  return {std::u16string(engine::Trim(text.substr(0, semicolon))),
          std::u16string(engine::Trim(text.substr(semicolon + 1)))};
}

std::u16string Digits(std::int64_t value, int base) {
  if (value == 0) return u"0";
  auto magnitude = static_cast<std::uint64_t>(value);  // two's complement for negatives
  std::u16string digits;
  while (magnitude != 0) {
    digits.insert(digits.begin(), u"0123456789ABCDEF"[magnitude % static_cast<std::uint64_t>(base)]);
    magnitude /= static_cast<std::uint64_t>(base);
  }
  return digits;
}

std::int64_t Rounded(double value) {
  if (!(std::fabs(value) < 9.2e18)) return 0;
  return std::llround(value);
}

}  // namespace

void Run::Dispatch(CommandLine& line) {
  const Command* command = FindCommand(line.word);
  if (command == nullptr) return Unknown(line);
  if (command->run != nullptr) command->run(*this, line);
}

void Run::Debug(const CommandLine& line) {
  context_.engine.core.log.debugFlags = engine::TruncToInt32(engine::ParseDecimal(line.arg));
}

void Run::ErrorMsgs(const CommandLine& line) {
  context_.engine.core.log.errorMsgsF = engine::TruncToInt32(engine::ParseDecimal(line.arg));
}

void Run::VarPolyn(const CommandLine& line) { context_.state.polyVariable = line.arg; }

void Run::ElemOrderSet(const CommandLine& line) {
  matrix::aElemOrderSet(context_.engine.matrices.elementOrder, engine::TruncToInt32(engine::ParseDecimal(line.arg)));
}

void Run::Var(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  const auto [name, value] = SplitPair(line.arg);
  eng.core.state.e_error = -1;
  engine::SetVarFunct(eng.core, eng.vars, name, value, false);
  if (!eng.core.state.ok()) {
    Echo(line, u": Expression = " + line.arg + u": ", true);
    ResultLine(captions_.result, ErrorText(eng.core.state.e_error));
  }
}

void Run::Funct(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  const auto [name, body] = SplitPair(line.arg);
  eng.core.state.e_error = -1;
  if (body.empty()) eng.core.state.Fail(engine::EvalError::InvalidArgument);
  else engine::SetVarFunct(eng.core, eng.vars, name, body, true);
  if (!eng.core.state.ok()) {
    Echo(line, u": Expression = " + line.arg + u": ", true);
    ResultLine(captions_.result, ErrorText(eng.core.state.e_error));
  }
}

void Run::Matr(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  eng.core.state.e_error = -1;
  engine::SetStrMatrix(eng, WithoutApostrophes(line.arg), false, true);
  if (!eng.core.state.ok()) {
    Echo(line, u": Expression = " + line.arg + u": " + fileNote_, true);
    ResultLine(captions_.result, ErrorText(eng.core.state.e_error));
  }
}

// DimX = A(rows,cols) ; a = 1 ; b = 2 ..., continued on the following DimX lines of the same
// matrix; the first other line ends the block and runs on its own.
void Run::DimX(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  // The dimensions stand in the brackets after the name: A(rows,cols).
  const std::size_t open = line.arg.find(u'(');
  const std::size_t close = line.arg.find(u')');
  const std::u16string name = Bracketed(std::u16string_view(line.arg).substr(0, open));
  std::u16string dimensions = open != std::u16string::npos && close != std::u16string::npos && close > open
                                  ? line.arg.substr(open + 1, close - open - 1)
                                  : u"";
  std::replace(dimensions.begin(), dimensions.end(), u',', u';');
  const auto [rows, cols] = SplitPair(dimensions);
  std::u16string text = name + u";" + rows + u";" + cols;
  auto appendValues = [&](std::u16string_view values) {
    std::size_t semicolon = values.find(u';');
    while (semicolon != std::u16string_view::npos) {
      values = values.substr(semicolon + 1);
      semicolon = values.find(u';');
      const std::u16string_view field = engine::Trim(values.substr(0, semicolon));
      if (field.empty()) break;
      const std::size_t equals = field.find(u'=');
      const std::u16string_view value = engine::Trim(equals == std::u16string_view::npos ? field : field.substr(equals + 1));
      if (!value.empty()) text += u";" + std::u16string(value);
    }
  };
  appendValues(line.text.substr(line.text.find(u'=') + 1));
  std::u16string next;
  std::int32_t number = 0;
  while (NextLine(next, number)) {
    const std::u16string cut = next.substr(0, next.find(u'\''));
    CommandLine following;
    if (!engine::ToLower(cut).starts_with(u"dimx") || !Parse(cut, number, following) ||
        Bracketed(std::u16string_view(following.arg).substr(0, following.arg.find(u'('))) != name) {
      pending_ = std::move(next);
      pendingNumber_ = number;
      hasPending_ = true;
      break;
    }
    appendValues(following.text.substr(following.text.find(u'=') + 1));
  }
  eng.core.state.e_error = -1;
  engine::SetStrMatrix(eng, text, false, true);
  if (!eng.core.state.ok()) {
    Echo(line, u": Expression = " + line.arg + u": ", true);
    ResultLine(captions_.result, ErrorText(eng.core.state.e_error));
  }
}

std::u16string Run::MatrixText(double value) {
  engine::Engine& eng = context_.engine;
  const matrix::MatrixRecord* record = matrix::RecordAt(eng.matrices, matrix::OperandAddress(value));
  if (record == nullptr) return ErrorText(engine::Code(engine::EvalError::MatrixNotFound));
  const std::u16string printed = matrix::aPrint(eng.core, eng.matrices, record->Addr, record->rows,
                                                record->cols, u"String", matrixFormat_, u"", u"");
  return (record->cols >= 2 ? captions_.matrix : captions_.vector) + printed;
}

void Run::Expr(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  double value = 0.0;
  const std::int32_t type = engine::e_eval(eng, line.arg, &value, true);
  const bool failed = !eng.core.state.ok();
  Echo(line, u": " + Upper(line.word) + u" = " + line.arg + u": " + fileNote_, failed);
  std::u16string text;
  if (failed) text = ErrorText(eng.core.state.e_error);
  else if (type == engine::kMatrix) text = MatrixText(value);
  else if (line.word == u"hex") text = captions_.number + u" &" + Digits(Rounded(value), 16);
  else if (line.word == u"bin") text = captions_.number + u" !" + Digits(Rounded(value), 2);
  else text = captions_.number + u" " + NumberText(value);
  ResultLine(captions_.result, text);
}

void Run::StoExpr(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  const std::u16string name(engine::Trim(std::u16string_view(line.par).substr(0, line.par.find(u';'))));
  const std::u16string expression = WithoutApostrophes(line.arg);
  double value = 0.0;
  const std::int32_t type = engine::e_eval(eng, expression, &value, false);
  bool failed = !eng.core.state.ok();
  std::u16string text;
  if (!failed && type == engine::kMatrix) {
    const matrix::MatrixRecord* record = matrix::RecordAt(eng.matrices, matrix::OperandAddress(value));
    std::u16string matrixText = Bracketed(name) + u"; " + engine::IntegerText(record->rows) + u"; " + engine::IntegerText(record->cols) + u";";
    const std::size_t count = matrix::ElementCount(record->rows, record->cols);
    for (std::size_t k = 0; k < count; ++k) matrixText += engine::ValueText(eng.core.settings.numbers, record->Addr[k]) + u"; ";
    const std::int32_t cols = record->cols;
    engine::SetStrMatrix(eng, matrixText, false, true);
    failed = !eng.core.state.ok();
    text = failed ? ErrorText(eng.core.state.e_error) : (cols >= 2 ? captions_.matrix : captions_.vector) + matrixText;
  } else if (!failed) {
    engine::SetVariable(eng.core, eng.vars, name, value);
    failed = !eng.core.state.ok();
    text = failed ? ErrorText(eng.core.state.e_error) : u"Number " + name + u" = " + NumberText(value);
  } else {
    text = ErrorText(eng.core.state.e_error);
  }
  Echo(line, u": Expression = " + expression + u": ", failed);
  ResultLine(captions_.stored, text);
}

// Integrate(a;b;n;trap;x) = f(x): the trace and error messages stay off during the sampling.
void Run::Integrate(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  std::vector<std::u16string> fields;
  std::u16string_view rest = line.par;
  for (std::size_t semicolon = rest.find(u';');; semicolon = rest.find(u';')) {
    fields.emplace_back(engine::Trim(rest.substr(0, semicolon)));
    if (semicolon == std::u16string_view::npos) break;
    rest = rest.substr(semicolon + 1);
  }
  fields.resize(std::max<std::size_t>(fields.size(), 5));
  const double a = engine::ParseDecimal(fields[0]);
  const double b = engine::ParseDecimal(fields[1]);
  const auto n = engine::TruncToInt32(std::nearbyint(engine::ParseDecimal(fields[2])));
  const std::int32_t method = engine::ToLower(fields[3]) == u"trap" ? 1 : 0;
  double integral = 0.0;
  std::int32_t status = 0;
  {
    const Silenced silenced(eng);
    status = numeric::Integrate(eng, line.arg, a, b, n, method, fields[4], &integral);
  }
  const bool failed = status != 0 || !eng.core.state.ok();
  Echo(line, u": iFunction = " + line.arg + u": " + fileNote_, failed);
  ResultLine(u" Integral iFunction(" + engine::IntegerText(Rounded(a)) + u"," + engine::IntegerText(Rounded(b)) + u") => ",
             failed ? ErrorText(eng.core.state.ok() ? status : eng.core.state.e_error)
                    : captions_.number + u" " + NumberText(integral));
}

void Run::SDiff(const CommandLine& line) {
  diff::Diff d{context_.engine.core, context_.diff};
  std::u16string derivative;
  const bool failed = diff::e_diff(d, line.arg, line.par, derivative) == 0;
  Echo(line, u": f(" + line.par + u") = " + line.arg + u":", failed);
  ResultLine(u"f'(" + line.par + u") => ", failed ? ErrorText(context_.engine.core.state.e_error) : derivative);
}

void Run::Derivate(const CommandLine& line) {
  context_.engine.core.state.e_error = -1;
  const std::u16string derivative = numeric::Poly_dydx(line.arg, context_.state.polyVariable);
  Echo(line, u": Polyn = " + line.arg + u":", false);
  ResultLine(u" Derivate of Polyn => ", derivative);
}

void Run::SolvePolyn(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  eng.core.state.e_error = -1;
  const double root = numeric::dSolve(eng, WithoutApostrophes(line.arg), context_.state.polyVariable);
  const bool failed = !eng.core.state.ok();
  Echo(line, u": Polyn = " + line.arg + u":", failed);
  ResultLine(u" Solution Polyn => ", failed ? ErrorText(eng.core.state.e_error)
                                            : captions_.number + u" " + NumberText(root));
}

void Run::Show(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  const std::u16string& name = line.par;
  const std::u16string key = engine::ToLower(engine::Trim(name));
  std::u16string text;
  std::u16string function;
  double value = 0.0;
  if (engine::FindVarFunct(eng.core, eng.vars, key, false, &value, nullptr) == engine::kFound) {
    text = u"Number " + name + u" = " + NumberText(value);
  } else if (engine::FindVarFunct(eng.core, eng.vars, key, true, nullptr, &function) == engine::kFound) {
    text = u"Function " + name + u" = " + function;
  } else if (engine::e_get_const(eng.core, key, &value) != 0) {
    text = u"Constant " + name + u" = " + NumberText(value);
  } else {
    std::int32_t rows = 0;
    std::int32_t cols = 0;
    const std::u16string matrixName = Bracketed(name);
    const std::intptr_t addr = matrix::FindMatrix(eng.core, eng.matrices, matrixName,
                                                  matrix::kFindByName | matrix::kFindReturnAddr, &rows, &cols, false);
    if (eng.core.state.ok()) {
      const auto* a = reinterpret_cast<const double*>(addr);
      text = (cols >= 2 ? captions_.matrix : captions_.vector) + matrixName + u"\r\n";
      for (std::int32_t i = 0; i < rows; ++i) {
        for (std::int32_t k = 0; k < cols; ++k) {
          const double element = a[static_cast<std::size_t>(i) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(k)];
          const std::u16string label = cols == 1 ? u"vE(" + engine::IntegerText(i) + u")=" : rows == 1 ? u"vE(" + engine::IntegerText(k) + u")="
                                                                                        : u"mA(" + engine::IntegerText(i) + u"," + engine::IntegerText(k) + u")=";
          text += label + NumberText(element) + u"\t";
        }
        text += u"\r\n";
      }
    } else {
      engine::ReportEvalError(eng.core, engine::site::kScriptMatrixResult, u"Matr Name: " + name);
      text = ErrorText(eng.core.state.e_error);
    }
  }
  const bool failed = text.starts_with(u"===> ERROR");
  if (!request_.quiet || failed) result_.output += u"Ln " + engine::IntegerText(line.number) + u": Show(" + name + u")";
  result_.output += u" => " + text + u"\r\n\r\n";
}

// Plot(start; x; end; n; point-file) = formula: sampled here, drawn by the plot output. A plot
// that cannot be sampled, or none of whose points evaluate, is an error line after the name.
void Run::Plot(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  ui::PlotRecord record = ui::ParsePlot(line.par, line.arg);
  std::u16string failure = ui::PlotRefusal(record);
  std::int32_t code = engine::Code(engine::EvalError::InvalidArgument);
  ui::ShownPlot shown;
  if (failure.empty()) {
    {
      const Silenced silenced(eng);
      ui::SamplePlot(eng, record);
    }
    eng.core.state.e_error = -1;
    if (!record.pointFile.empty()) WritePointTable(record);
    if (context_.plots != nullptr) shown = context_.plots->Show(record, ++plotNumber_, request_.plotSaving);
    failure = shown.failure;
    if (failure.empty() && !record.range.any) {
      failure = u"no point of the formula could be evaluated";
      if (record.lastError >= 0) code = record.lastError;
    }
  }
  const bool failed = !failure.empty();
  Echo(line, u": Plot = " + line.text + u":", failed);
  result_.output += u" FileName => " + shown.file + u"\r\n";
  if (failed) result_.output += ErrorText(code) + u" - Plot: " + failure + u"\r\n";
  result_.output += u"\r\n";
}

void Run::WritePointTable(const ui::PlotRecord& record) {
  platform::Services& os = context_.engine.core.platform;
  if (!WriteTextFile(os, record.pointFile, ui::PointTableText(record)))
    os.ShowMessage(u"Error: can't write the file.\r\nfile: " + record.pointFile, u"dUduZava", platform::Buttons::Ok);
}

void Run::ElemOrderEx(const CommandLine& line) {
  // A probe whose second element is 2 reads as row-major in either caller order.
  double probe[4] = {0, 2, 1, 0};
  const std::int32_t answer = matrix::aElemOrderEx(context_.engine.matrices.elementOrder, probe, 0);
  if (!request_.quiet)
    result_.output += u"Ln " + engine::IntegerText(line.number) + u": aElemOrderEx = " + (answer != 0 ? u"by Col" : u"by Row") + u"\r\n\r\n";
}

void Run::About() {
  result_.output += u"'Vuza Reduzodod - math evaluator library\r\n";
  result_.output += u"'Version " + std::u16string(morvane::kVersionText) + u"\r\n";
}

void Run::Unknown(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  eng.core.state.e_error = engine::Code(engine::EvalError::UndefinedCommand);
  Echo(line, u": Expression = :", true);
  ResultLine(captions_.result, ErrorText(eng.core.state.e_error));
}

}  // namespace script
