// SPDX-License-Identifier: MIT
// The command handlers: what each command word does and what it writes.
#include <algorithm>
#include <cmath>
#include <memory>
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
        messageFlag_(std::exchange(eng.core.options.messageFlag, 0)) {}
  ~Silenced() {
    eng_.core.log.debugFlags = debugFlags_;
    eng_.core.options.messageFlag = messageFlag_;
  }
  Silenced(const Silenced&) = delete;
  Silenced& operator=(const Silenced&) = delete;

 private:
  engine::Engine& eng_;
  std::int32_t debugFlags_;
  std::int32_t messageFlag_;
};

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

}  // namespace


LineRecord& Run::Record(const CommandLine& line, LineForm form) {
  // One record serves every line, so that its texts keep their room from line to line.
  LineRecord& record = line_;
  record.name.clear();
  record.nameKind = NameKind::None;
  record.value.kind = ValueKind::None;
  record.value.number = 0.0;
  record.value.matrix.rows = record.value.matrix.cols = 0;
  record.value.matrix.elements.clear();
  record.value.text.clear();
  record.interval = {};
  record.failure.reset();
  record.fileNote.clear();
  record.number = line.number;
  record.form = form;
  record.command = line.command;
  record.word = line.word;
  record.argument = line.arg;
  record.brackets = line.par;
  record.text = line.text;
  return record;
}

LineFailure Run::Failure(std::int32_t code) {
  LineFailure failure;
  failure.code = code;
  failure.message = engine::EvalErrorText(code);
  return failure;
}

LineFailure Run::FormulaFailure(std::u16string_view formula, std::size_t at) {
  engine::Engine& eng = context_.engine;
  LineFailure failure = Failure(eng.core.state.e_error);
  if (formula.empty()) return failure;
  // The token the evaluator stood on: a name, number or [matrix] whole, any other character
  // alone; the end of the formula is its last character.
  const std::size_t place = std::min(engine::PlaceInGiven(eng, formula, eng.core.cursor.failurePlace()), formula.size() - 1);
  std::size_t end = place;
  if (formula[place] == u'[') end = std::min(formula.find(u']', place), formula.size() - 1) + 1;
  while (end < formula.size() && (engine::IsNameChar(formula[end]) || formula[end] == u'.')) ++end;
  failure.begin = at + place;
  failure.end = at + std::max(end, place + 1);
  return failure;
}

void Run::Report(const LineRecord& record) {
  if (record.failed()) ++result_.errors;
  AppendLineText(result_.output, record, style_);
  if (request_.keepRecords) result_.records.push_back(record);
}

void Run::Note(std::u16string text) {
  LineRecord record;
  record.form = LineForm::Note;
  record.text = std::move(text);
  Report(record);
}

bool Run::MatrixValueOf(double operand, MatrixValue& value) {
  engine::Engine& eng = context_.engine;
  const matrix::MatrixRecord* record = matrix::RecordAt(eng.matrices, matrix::OperandAddress(operand));
  if (record == nullptr) return false;
  value.rows = record->rows;
  value.cols = record->cols;
  value.elements.resize(matrix::ElementCount(record->rows, record->cols));
  matrix::aCopyArray(eng.matrices.elementOrder, record->Addr, value.elements.data(), record->rows, record->cols);
  return true;
}

bool Run::StoredMatrix(std::u16string_view name, LineRecord& record) {
  engine::Engine& eng = context_.engine;
  std::int32_t rows = 0;
  std::int32_t cols = 0;
  const std::intptr_t addr =
      matrix::FindMatrix(eng.core, eng.matrices, name, matrix::kFindByName | matrix::kFindReturnAddr, &rows, &cols, false);
  if (!eng.core.state.ok()) return false;
  record.name = name;
  record.nameKind = NameKind::Matrix;
  record.value.kind = ValueKind::Matrix;
  const auto* elements = reinterpret_cast<const double*>(addr);
  record.value.matrix = {rows, cols, std::vector<double>(elements, elements + matrix::ElementCount(rows, cols))};
  return true;
}

void Run::Dispatch(CommandLine& line) {
  line.command = FindCommand(line.word);
  if (line.command == nullptr) return Unknown(line);
  if (line.command->run != nullptr) return line.command->run(*this, line);
  Report(Record(line, LineForm::Definition));
}

void Run::Debug(const CommandLine& line) {
  context_.engine.core.log.debugFlags = engine::TruncToInt32(engine::ParseDecimal(line.arg));
  Report(Record(line, LineForm::Definition));
}

void Run::ErrorMsgs(const CommandLine& line) {
  context_.engine.core.log.errorMsgsF = engine::TruncToInt32(engine::ParseDecimal(line.arg));
  Report(Record(line, LineForm::Definition));
}

void Run::VarPolyn(const CommandLine& line) {
  context_.state.polyVariable = line.arg;
  Report(Record(line, LineForm::Definition));
}

void Run::ElemOrderSet(const CommandLine& line) {
  matrix::aElemOrderSet(context_.engine.matrices.elementOrder, engine::TruncToInt32(engine::ParseDecimal(line.arg)));
  Report(Record(line, LineForm::Definition));
}

// A definition's record: its failure when the engine has one.
LineRecord& Run::Defined(const CommandLine& line) {
  LineRecord& record = Record(line, LineForm::Definition);
  if (!context_.engine.core.state.ok()) record.failure = Failure(context_.engine.core.state.e_error);
  return record;
}

void Run::Var(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  const auto [name, value] = SplitPair(line.arg);
  eng.core.state.Clear();
  engine::SetVarFunct(eng.core, eng.vars, name, value, false);
  LineRecord& record = Defined(line);
  if (!record.failed()) {
    record.name = name;
    record.nameKind = NameKind::Variable;
    record.value.kind = ValueKind::Number;
    if (const engine::VarEntry* entry = engine::FindEntry(eng.core, eng.vars, engine::ToLower(name), false))
      record.value.number = engine::TextValue(*entry);
  }
  Report(record);
}

void Run::Funct(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  const auto [name, body] = SplitPair(line.arg);
  eng.core.state.Clear();
  if (body.empty()) eng.core.state.Fail(engine::EvalError::InvalidArgument);
  else engine::SetVarFunct(eng.core, eng.vars, name, body, true);
  LineRecord& record = Defined(line);
  if (!record.failed()) {
    record.name = name;
    record.nameKind = NameKind::Function;
    record.value.kind = ValueKind::Text;
    if (const engine::VarEntry* entry = engine::FindEntry(eng.core, eng.vars, engine::ToLower(name), true))
      record.value.text = entry->value;
  }
  Report(record);
}

void Run::Matr(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  eng.core.state.Clear();
  const std::u16string text = WithoutApostrophes(line.arg);
  engine::SetStrMatrix(eng, text, false, true);
  LineRecord& record = Defined(line);
  record.fileNote = fileNote_;
  if (!record.failed()) StoredMatrix(Bracketed(std::u16string_view(text).substr(0, text.find(u';'))), record);
  Report(record);
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
  std::vector<std::u16string> values;
  auto appendValues = [&](std::u16string_view fields) {
    std::size_t semicolon = fields.find(u';');
    while (semicolon != std::u16string_view::npos) {
      fields = fields.substr(semicolon + 1);
      semicolon = fields.find(u';');
      const std::u16string_view field = engine::Trim(fields.substr(0, semicolon));
      if (field.empty()) break;
      const std::size_t equals = field.find(u'=');
      const std::u16string_view value = engine::Trim(equals == std::u16string_view::npos ? field : field.substr(equals + 1));
      if (!value.empty()) values.emplace_back(value);
    }
  };
  appendValues(line.text.substr(line.text.find(u'=') + 1));
  ScriptLine next;
  while (NextLine(next)) {
    CommandLine following;
    if (!engine::ToLower(next.text).starts_with(u"dimx") || !Parse(next, following) ||
        Bracketed(std::u16string_view(following.arg).substr(0, following.arg.find(u'('))) != name) {
      pending_ = std::move(next);
      hasPending_ = true;
      break;
    }
    appendValues(following.text.substr(following.text.find(u'=') + 1));
  }
  eng.core.state.Clear();
  const std::vector<std::u16string_view> elements(values.begin(), values.end());
  engine::SetFieldMatrix(eng, name, engine::TruncToInt32(engine::ParseDecimal(rows)),
                         engine::TruncToInt32(engine::ParseDecimal(cols)), elements, true);
  LineRecord& record = Defined(line);
  if (!record.failed()) StoredMatrix(name, record);
  Report(record);
}

void Run::Expr(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  LineRecord& record = Record(line, LineForm::Formula);
  record.fileNote = fileNote_;
  double value = 0.0;
  const std::int32_t type = engine::e_eval(eng, line.arg, &value, true);
  if (!eng.core.state.ok()) {
    record.failure = FormulaFailure(line.arg, line.argAt);
  } else if (type == engine::kMatrix) {
    record.value.kind = ValueKind::Matrix;
    if (!MatrixValueOf(value, record.value.matrix)) record.failure = Failure(engine::Code(engine::EvalError::MatrixNotFound));
  } else {
    record.value.kind = ValueKind::Number;
    record.value.number = value;
  }
  Report(record);
}

void Run::StoExpr(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  const std::u16string name(engine::Trim(std::u16string_view(line.par).substr(0, line.par.find(u';'))));
  const std::u16string expression = WithoutApostrophes(line.arg);
  LineRecord& record = Record(line, LineForm::Stored);
  record.argument = expression;
  record.name = name;
  double value = 0.0;
  const std::int32_t type = engine::e_eval(eng, expression, &value, false);
  if (!eng.core.state.ok()) {
    // Where apostrophes were taken out, places in the expression are not places in the line.
    record.failure = expression == line.arg ? FormulaFailure(expression, line.argAt) : Failure(eng.core.state.e_error);
  } else if (type == engine::kMatrix) {
    const matrix::MatrixRecord* found = matrix::RecordAt(eng.matrices, matrix::OperandAddress(value));
    if (found == nullptr) {
      record.failure = Failure(engine::Code(engine::EvalError::MatrixNotFound));
    } else {
      record.name = Bracketed(name);
      record.nameKind = NameKind::Matrix;
      record.value.kind = ValueKind::Matrix;
      MatrixValue& stored = record.value.matrix;
      stored.rows = found->rows;
      stored.cols = found->cols;
      stored.elements.assign(found->Addr, found->Addr + matrix::ElementCount(found->rows, found->cols));
      // Classic numbers keep what a matrix has always stored here: each element as it reads
      // back from its 10-decimal text.
      if (!eng.core.settings.exact())
        for (double& element : stored.elements) element = engine::RoundTo10Decimals(element);
      std::shared_ptr<double[]> memory = matrix::NewElements(stored.elements.size());
      if (memory == nullptr) {
        record.failure = Failure(engine::Code(engine::EvalError::Undefined));  // no memory for the copy
      } else {
        std::copy(stored.elements.begin(), stored.elements.end(), memory.get());
        double* elements = memory.get();
        matrix::SetMatrix(eng.core, eng.matrices, record.name, elements, stored.rows, stored.cols, false, std::move(memory));
        if (!eng.core.state.ok()) record.failure = Failure(eng.core.state.e_error);
      }
    }
  } else {
    engine::SetVariable(eng.core, eng.vars, name, value);
    record.nameKind = NameKind::Variable;
    record.value.kind = ValueKind::Number;
    record.value.number = value;
    if (!eng.core.state.ok()) record.failure = Failure(eng.core.state.e_error);
  }
  Report(record);
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
  LineRecord& record = Record(line, LineForm::Integral);
  record.fileNote = fileNote_;
  record.interval = {engine::ParseDecimal(fields[0]), engine::ParseDecimal(fields[1])};
  const auto n = engine::TruncToInt32(std::nearbyint(engine::ParseDecimal(fields[2])));
  const numeric::Rule rule = engine::ToLower(fields[3]) == u"trap" ? numeric::Rule::Trapezoid : numeric::Rule::Midpoint;
  std::int32_t status = 0;
  {
    const Silenced silenced(eng);
    status = numeric::Integrate(eng, line.arg, record.interval[0], record.interval[1], n, rule, fields[4], record.value.number);
  }
  record.value.kind = ValueKind::Number;
  if (!eng.core.state.ok()) record.failure = Failure(eng.core.state.e_error);
  else if (status != 0) record.failure = Failure(status);
  Report(record);
}

void Run::SDiff(const CommandLine& line) {
  diff::Diff d{context_.engine.core, context_.diff};
  LineRecord& record = Record(line, LineForm::Derivative);
  record.value.kind = ValueKind::Text;
  if (diff::e_diff(d, line.arg, line.par, record.value.text) == 0) record.failure = Failure(context_.engine.core.state.e_error);
  Report(record);
}

void Run::Derivate(const CommandLine& line) {
  context_.engine.core.state.Clear();
  LineRecord& record = Record(line, LineForm::PolynomialDerivative);
  record.value.kind = ValueKind::Text;
  record.value.text = numeric::Poly_dydx(line.arg, context_.state.polyVariable);
  Report(record);
}

void Run::SolvePolyn(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  eng.core.state.Clear();
  LineRecord& record = Record(line, LineForm::PolynomialRoot);
  record.value.kind = ValueKind::Number;
  record.value.number = numeric::dSolve(eng, WithoutApostrophes(line.arg), context_.state.polyVariable);
  if (!eng.core.state.ok()) record.failure = Failure(eng.core.state.e_error);
  Report(record);
}

void Run::Show(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  LineRecord& record = Record(line, LineForm::Shown);
  record.name = line.par;
  const std::u16string key = engine::ToLower(engine::Trim(line.par));
  LineValue& value = record.value;
  value.kind = ValueKind::Number;
  if (const engine::VarEntry* variable = engine::FindEntry(eng.core, eng.vars, key, false)) {
    record.nameKind = NameKind::Variable;
    value.number = engine::TextValue(*variable);
    eng.core.state.Clear();
  } else if (const engine::VarEntry* function = engine::FindEntry(eng.core, eng.vars, key, true)) {
    eng.core.state.Clear();  // the miss among the variables is no error of the line
    record.nameKind = NameKind::Function;
    value.kind = ValueKind::Text;
    value.text = function->value;
  } else if (engine::e_get_const(eng.core, key, &value.number) != 0) {
    record.nameKind = NameKind::Constant;
  } else if (!StoredMatrix(Bracketed(line.par), record)) {
    engine::ReportEvalError(eng.core, engine::site::kScriptMatrixResult, u"Matr Name: " + line.par);
    record.failure = Failure(eng.core.state.e_error);
  }
  Report(record);
}

// Plot(start; x; end; n; point-file) = formula: sampled here, drawn by the plot output. A plot
// that cannot be sampled, or none of whose points evaluate, is an error line after the name.
void Run::Plot(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  ui::PlotRecord plot = ui::ParsePlot(line.par, line.arg);
  std::u16string failure = ui::PlotRefusal(plot);
  std::int32_t code = engine::Code(engine::EvalError::InvalidArgument);
  LineRecord& record = Record(line, LineForm::Plot);
  record.value.kind = ValueKind::Text;
  if (failure.empty()) {
    {
      const Silenced silenced(eng);
      ui::SamplePlot(eng, plot);
    }
    eng.core.state.Clear();
    if (!plot.pointFile.empty()) WritePointTable(plot);
    ui::ShownPlot shown;
    if (context_.plots != nullptr) shown = context_.plots->Show(plot, ++plotNumber_, request_.plotSaving);
    record.value.text = shown.file;
    failure = shown.failure;
    if (failure.empty() && !plot.range.any) {
      failure = u"no point of the formula could be evaluated";
      if (plot.lastError >= 0) code = plot.lastError;
    }
  }
  if (!failure.empty()) {
    record.failure = Failure(code);
    record.failure->detail = std::move(failure);
  }
  Report(record);
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
  LineRecord& record = Record(line, LineForm::ElementOrder);
  record.value.kind = ValueKind::Text;
  record.value.text = answer != 0 ? u"by Col" : u"by Row";
  Report(record);
}

void Run::About() {
  Note(u"'Vuza Reduzodod - math evaluator library");
  Note(u"'Version " + std::u16string(morvane::kVersionText));
}

void Run::Unknown(const CommandLine& line) {
  engine::Engine& eng = context_.engine;
  eng.core.state.e_error = engine::Code(engine::EvalError::UndefinedCommand);
  LineRecord& record = Record(line, LineForm::Unknown);
  record.failure = Failure(eng.core.state.e_error);
  // The span is the word that is no command.
  record.failure->begin = line.indent;
  record.failure->end = line.indent + line.word.size();
  Report(record);
}

}  // namespace script
