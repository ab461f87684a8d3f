// SPDX-License-Identifier: MIT
#include "engine/evaluator.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/engine.h"
#include "engine/parser.h"
#include "engine/point_evaluator.h"
#include "engine/substitution.h"
#include "engine/tokenizer.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "matrix/matrix_ops.h"
#include "matrix/matrix_store.h"

namespace engine {
namespace {

// User functions expand as text; definitions that double the text at each level could grow it
// without bound, so expansion stops here with code 13.
constexpr std::size_t kMaxExpandedChars = std::size_t{1} << 24;

}  // namespace

bool Prepare(Engine& engine, std::u16string_view expr) {
  EvalState& s = engine.core.state;
  TokenCursor& cursor = engine.core.cursor;
  cursor.expression.assign(expr);
  if (!engine.core.settings.programmer()) std::replace(cursor.expression.begin(), cursor.expression.end(), u',', u'.');
  if (!engine.vars.sFuncts.entries.empty()) {
    std::u16string expanded = ReplaceFunctions(engine, cursor.expression);
    if (!s.ok()) return false;
    cursor.expression = std::move(expanded);
  }
  return true;
}

namespace {

// Steps 5 to 7 shared by both entry points: tokenize and parse the prepared text, then
// reject leftover tokens.
double Run(Engine& engine, std::int8_t& type) {
  EvalState& s = engine.core.state;
  TokenCursor& cursor = engine.core.cursor;
  s.Clear();
  cursor.remaining = cursor.expression;
  s.prsDepth = 0;
  e_nxt(engine);
  type = 0;
  double value = e_prs(engine, 1, type);
  s.resultType = type;
  return value;
}

// After an evaluation only its matrix result, if any, survives of the internal matrices; the
// result stays valid until the next evaluation.
void KeepOnlyResult(Engine& engine, double result) {
  const double* keep = matrix::OperandAddress(result);
  matrix::ClearInternalMatrices(engine.core, engine.matrices, reinterpret_cast<std::intptr_t>(keep));
}

void Start(Engine& engine) {
  EvalState& s = engine.core.state;
  TokenCursor& cursor = engine.core.cursor;
  s.Clear();
  cursor.expression.clear();
  cursor.remaining = {};
  cursor.e_tok = Tok::End;
  cursor.element = {};
  cursor.tokenAt = 0;
  cursor.reportedAt = kNowhere;
  ++s.runCount;
}

struct Evaluation {
  std::optional<std::int32_t> stoppedWith;  // the answer of a run that stopped before parsing
  double value = 0.0;
  bool matrixResult = false;
};

// What both entry points do: a fresh run over expr, leftover tokens after the formula reported
// as each entry point has always reported them, and of the internal matrices only a matrix
// result kept.
template <typename ReportLeftover>
Evaluation Evaluate(Engine& engine, std::u16string_view expr, bool checkFuncs, ReportLeftover reportLeftover) {
  EvalState& s = engine.core.state;
  TokenCursor& cursor = engine.core.cursor;
  Start(engine);
  if (checkFuncs && CheckFunctions(engine) == Code(EvalError::AmbiguousFunction)) return {1};
  if (!Prepare(engine, expr)) return {s.e_error};
  std::int8_t type = 0;
  s.evaluating = -1;
  const double value = Run(engine, type);
  s.evaluating = 0;
  if (cursor.e_tok != Tok::End && s.ok()) {
    s.Fail(EvalError::EvaluatorSyntax);
    reportLeftover();
  }
  const bool matrixResult = s.ok() && type == kMatrix;
  KeepOnlyResult(engine, matrixResult ? value : 0.0);
  // Built in the caller's place: a named result filled field by field and then copied out made
  // the caller read it back wider than it was written, a stall per call.
  return {std::nullopt, value, matrixResult};
}

}  // namespace

std::u16string ReplaceFunctions(Engine& engine, std::u16string_view text, std::vector<std::size_t>* origins) {
  std::u16string result(text);
  std::u16string expanded;
  if (origins != nullptr) *origins = UnchangedOrigins(text.size());
  for (const VarEntry& function : engine.vars.sFuncts.entries) {
    const SubstitutionTemplate place(result, function.name);
    const std::size_t valueLength = function.value.size() + 2;
    if (place.FilledSize(valueLength) > kMaxExpandedChars) {
      engine.core.state.Fail(EvalError::InvalidArgument);
      ReportEvalError(engine.core, site::kFunctionExpansion,
                      u"Expanded formula longer than 16777216 characters; function: " +
                          function.name + u"\r\n");
      break;
    }
    place.Fill(expanded, u"(" + function.value + u")");
    result.swap(expanded);
    if (origins != nullptr) ComposeOrigins(*origins, place.Origins(valueLength));
  }
  return result;
}

std::size_t PlaceInGiven(Engine& engine, std::u16string_view given, std::size_t prepared) {
  if (engine.vars.sFuncts.entries.empty()) return std::min(prepared, given.size());
  std::vector<std::size_t> origins;
  ReplaceFunctions(engine, given, &origins);
  return origins[std::min(prepared, origins.size() - 1)];
}

std::int32_t CheckFunctions(Engine& engine) {
  EvalState& s = engine.core.state;
  const auto& functions = engine.vars.sFuncts.entries;
  if (functions.empty()) return s.e_error;
  s.Clear();
  for (std::size_t i = 0; i < functions.size(); ++i) {
    std::u16string rest;
    for (std::size_t k = 0; k < functions.size(); ++k)
      if (k != i) rest += functions[k].name + u"=" + functions[k].value + u";";
    if (rest.find(functions[i].name) != std::u16string::npos) {
      s.Fail(EvalError::AmbiguousFunction);
      ReportEvalError(engine.core, site::kAmbiguousFunction,
                      u"sFuncts: " + VarFuncListText(engine.vars, ListKind::Functions) + u"\r\nFunct: " +
                          functions[i].name);
      return s.e_error;
    }
  }
  return s.e_error;
}

std::int32_t e_eval(Engine& engine, std::u16string_view expr, double* result, bool checkFuncs) {
  EvalState& s = engine.core.state;
  const Evaluation run = Evaluate(engine, expr, checkFuncs, [&] { ReportEvalError(engine.core, site::kEval, u""); });
  if (run.stoppedWith) return *run.stoppedWith;
  if (s.ok() && !run.matrixResult && IsOverflow(engine.core.settings, run.value)) {
    s.Fail(EvalError::Overflow);
    ReportEvalError(engine.core, site::kOverflow, u"");
  }
  if (!s.ok()) return s.e_error;
  if (result != nullptr) *result = run.value;
  return run.matrixResult ? kMatrix : kNumber;
}

double de_eval(Engine& engine, std::u16string_view expr, bool checkFuncs) {
  EvalState& s = engine.core.state;
  const Evaluation run = Evaluate(engine, expr, checkFuncs, [&] {
    ReportEvalError(engine.core, site::kDEvalLeftover, u"e_tok = " + TokText(engine.core.cursor));
  });
  if (run.stoppedWith) return *run.stoppedWith;
  if (!s.ok()) return s.e_error;
  if (run.matrixResult) {
    // The result also lives on under a name callers can use; it shares the result's memory.
    const matrix::MatrixRecord* record = matrix::RecordAt(engine.matrices, matrix::OperandAddress(run.value));
    if (record != nullptr)
      matrix::SetMatrix(engine.core, engine.matrices, u"[mResult]", record->Addr, s.lastRows,
                        s.lastCols, false, record->owned);
  }
  return run.value;
}

std::int32_t e_evals(Engine& engine, std::u16string_view expr, double x0,
                     std::u16string_view var, double x1, std::int32_t n, std::span<double> xs,
                     std::span<double> ys, std::span<double, 5> stats) {
  EvalState& s = engine.core.state;
  const std::size_t points = n < 0 ? 0 : static_cast<std::size_t>(n) + 1;
  if (n < 0 || !std::isfinite(x0) || !std::isfinite(x1) || xs.size() < points ||
      ys.size() < points) {
    s.Fail(EvalError::InvalidArgument);
    ReportEvalError(engine.core, site::kTabulation, u"Invalid range or number of steps\r\n");
    return s.e_error;
  }
  const double step = n == 0 ? 0.0 : (x1 - x0) / n;
  std::fill(stats.begin(), stats.end(), 0.0);
  for (std::size_t i = 0; i < points; ++i) {
    // Each point from x0 directly, so rounding never drops the last point.
    xs[i] = i + 1 == points && n > 0 ? x1 : x0 + static_cast<double>(i) * step;
  }
  std::vector<char> ok(points);
  std::int32_t lastFailure = -1;
  PointEvaluator(engine, expr, var).AtAll(xs.first(points), ys.first(points), ok, lastFailure);
  // A point that fails takes the value before it.
  double y = 0.0;
  bool anyPoint = false;
  for (std::size_t i = 0; i < points; ++i) {
    if (!ok[i]) {
      ys[i] = y;
      continue;
    }
    const double x = xs[i];
    y = ys[i];
    if (!anyPoint) {
      stats[1] = stats[3] = x;
      stats[2] = stats[4] = y;
      anyPoint = true;
    } else {
      stats[1] = std::min(stats[1], x);
      stats[2] = std::min(stats[2], y);
      stats[3] = std::max(stats[3], x);
      stats[4] = std::max(stats[4], y);
    }
  }
  if (!s.ok()) {
    ReportEvalError(engine.core, site::kTabulation, u"");
    return s.e_error;
  }
  return -1;
}

void ReSetEqParser(Engine& engine) {
  ClearVarFuncList(engine.vars, ListKind::Variables);
  ClearVarFuncList(engine.vars, ListKind::Functions);
  matrix::ClearMatrixList(engine.core, engine.matrices, 0);
  engine.core.state.resultType = -1;
  engine.core.options.messageFlag = 0;
  ClearErrorLog(engine.core.log);
}

void SetBoolSign(Engine& engine, std::int32_t sign) {
  if (sign == 1 || sign == -1) {
    engine.core.options.BoolSign = sign;
  } else if (engine.core.options.messageFlag & kShowErrors) {
    DebugAdd(engine.core, u"Procedure: SetBoolSign\r\nWrong parameter. Must be 1 or -1",
             u"EqParser: Error", true);
  }
}

void SetFormulaSettings(Engine& engine, FormulaSettings settings) {
  engine.core.settings = settings;
  engine.core.options.BoolSign = settings.programmer() ? 1 : -1;
}

}  // namespace engine
