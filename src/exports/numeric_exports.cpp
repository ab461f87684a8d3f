// SPDX-License-Identifier: MIT
// Exports of integration, the solvers, the polynomial derivative and the integer functions.
#include "diff/diff_state.h"
#include "exports/abi.h"
#include "morvane.h"
#include "numeric/integer_functions.h"
#include "numeric/integrate.h"
#include "numeric/poly_dydx.h"
#include "numeric/solvers.h"

using exports::guarded;
using exports::In;
using exports::session;

namespace {

engine::Engine& Eng() { return session().engine; }

// Callers name the rule by its number and may pass no place for the result; both are refused
// here, before the integration, in the order callers have always seen the codes.
int32_t IntegrateFor(const char16_t* formula, double a, double b, int32_t n, int32_t method,
                     const char16_t* variable, double* result) {
  engine::Core& core = Eng().core;
  core.state.Clear();
  if (result == nullptr) {
    core.state.Fail(engine::EvalError::ValueNotDefined);
    if (core.options.messageFlag & engine::kShowErrors)
      core.platform.ShowMessage(u"Input parameter error: Returned Value not defined", u"EqParser: Integrate",
                                platform::Buttons::Ok);
    return core.state.e_error;
  }
  if (method < static_cast<int32_t>(numeric::Rule::Midpoint) || method > static_cast<int32_t>(numeric::Rule::Simpson)) {
    core.state.e_error = numeric::kUnknownRule;
    *result = 0.0;
    return numeric::kUnknownRule;
  }
  return numeric::Integrate(Eng(), In(formula), a, b, n, static_cast<numeric::Rule>(method), In(variable), *result);
}

}  // namespace

int32_t MORVANE_CALL Integrate(const char16_t* formula, double a, double b, int32_t n, int32_t method,
                               const char16_t* variable, double* result) {
  return guarded(0, [&] { return IntegrateFor(formula, a, b, n, method, variable, result); });
}

double MORVANE_CALL dIntegrate(const char16_t* formula, double a, double b, int32_t n, int32_t method,
                               const char16_t* variable) {
  return guarded(0.0, [&] {
    double integral = 0.0;
    IntegrateFor(formula, a, b, n, method, variable, &integral);
    return integral;
  });
}

int32_t MORVANE_CALL InterpLin(const double* x, const double* x1, const double* x2, const double* y1,
                               const double* y2, double* result) {
  return guarded(0, [&] {
    if (x && x1 && x2 && y1 && y2 && result) *result = numeric::InterpLin(*x, *x1, *x2, *y1, *y2);
    return 0;
  });
}

int32_t MORVANE_CALL IntBezier2D(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                                 int32_t, int32_t, int32_t, int32_t, int32_t) {
  return 0;
}

double MORVANE_CALL dPolySolve(const char16_t* formula, const char16_t* variable) {
  return guarded(0.0, [&] { return numeric::dPolySolve(Eng(), In(formula), In(variable)); });
}

int32_t MORVANE_CALL NewtSolve(const char16_t* formula, const char16_t* variable, double* result) {
  return guarded(0, [&] { return numeric::NewtSolve(Eng(), In(formula), In(variable), result); });
}

double MORVANE_CALL dSolve(const char16_t* formula, const char16_t* variable) {
  return guarded(0.0, [&] { return numeric::dSolve(Eng(), In(formula), In(variable)); });
}

int32_t MORVANE_CALL SolveD(const char16_t* formula, const char16_t* variable, double* result) {
  return guarded(-1, [&] {
    diff::Diff d{Eng().core, session().diff};
    return numeric::SolveD(Eng(), d, In(formula), In(variable), result);
  });
}

const char16_t* MORVANE_CALL sPolyNewt(const char16_t* formula, const char16_t* variable, int32_t maxRounds) {
  return guarded<const char16_t*>(u"", [&] {
    return exports::hold(session().texts.sPolyNewt, numeric::sPolyNewt(Eng(), In(formula), In(variable), maxRounds));
  });
}

const char16_t* MORVANE_CALL sSolve(const char16_t* formula, const char16_t* variable, int32_t steps) {
  return guarded<const char16_t*>(u"", [&] {
    return exports::hold(session().texts.sSolve, numeric::sSolve(Eng(), In(formula), In(variable), steps));
  });
}

const char16_t* MORVANE_CALL Poly_dydx(const char16_t* formula, const char16_t* variable) {
  return guarded<const char16_t*>(u"", [&] {
    return exports::hold(session().texts.polyDydx, numeric::Poly_dydx(In(formula), In(variable)));
  });
}

int32_t MORVANE_CALL lPoly_dydx(const char16_t* formula, const char16_t* variable) {
  return guarded(0, [&] {
    session().batch.resultText = numeric::Poly_dydx(In(formula), In(variable));
    Eng().core.state.Clear();
    return static_cast<int32_t>(session().batch.resultText.size());
  });
}

int32_t MORVANE_CALL GCF(int32_t a, int32_t b) { return numeric::GCF(a, b); }
int32_t MORVANE_CALL LCM(int32_t a, int32_t b) { return numeric::LCM(a, b); }
int32_t MORVANE_CALL IsPrime(int32_t n) { return numeric::IsPrime(n); }
int32_t MORVANE_CALL lIsPrime(int32_t n) { return numeric::lIsPrime(n); }
double MORVANE_CALL fact(int32_t n) { return numeric::fact(n); }
double MORVANE_CALL fact_inv() { return 0.0; }
