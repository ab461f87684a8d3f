// SPDX-License-Identifier: MIT
// Exports of evaluation, variables and user functions.
#include <span>

#include "engine/evaluator.h"
#include "engine/tokenizer.h"
#include "engine/var_store.h"
#include "engine_core/text_util.h"
#include "exports/abi.h"
#include "morvane.h"

using exports::guarded;
using exports::In;
using exports::session;

namespace {

// What FindVarFunct returns for a name it found; callers test for it.
constexpr int32_t kFound = 21;

engine::Engine& Eng() { return session().engine; }

// A list kind as callers spell it: "vars" in any case, anything else the functions.
engine::ListKind KindOf(const char16_t* kind) {
  return engine::EqualsIgnoreCase(In(kind), u"vars") ? engine::ListKind::Variables : engine::ListKind::Functions;
}

}  // namespace

int32_t MORVANE_CALL e_eval(const char16_t* expr, double* result, int32_t checkFuncs) {
  return guarded(0, [&] { return engine::e_eval(Eng(), In(expr), result, checkFuncs != 0); });
}

double MORVANE_CALL de_eval(const char16_t* expr, int32_t checkFuncs) {
  return guarded(0.0, [&] { return engine::de_eval(Eng(), In(expr), checkFuncs != 0); });
}

int32_t MORVANE_CALL e_evals(const char16_t* expr, double x0, const char16_t* var, double x1,
                             int32_t n, double* xs, double* ys, double* stats) {
  return guarded(0, [&] {
    const std::size_t points = xs && ys && stats && n >= 0 ? static_cast<std::size_t>(n) + 1 : 0;
    double none[5] = {};
    return engine::e_evals(Eng(), In(expr), x0, In(var), x1, points == 0 ? -1 : n,
                           std::span<double>(xs, xs ? points : 0),
                           std::span<double>(ys, ys ? points : 0),
                           std::span<double, 5>(stats ? stats : none, 5));
  });
}

int32_t MORVANE_CALL GetEvalResult(char16_t* buffer, int32_t size) {
  return guarded(0, [&] {
    const std::u16string& text = session().batch.resultText;
    if (size == 0) return static_cast<int32_t>(text.size());
    return exports::copy_out(text, buffer);
  });
}

int32_t MORVANE_CALL GetResultType() {
  return guarded(-1, [] { return static_cast<int32_t>(Eng().core.state.resultType); });
}

int32_t MORVANE_CALL SetBoolSign(int32_t sign) {
  return guarded(0, [&] {
    engine::SetBoolSign(Eng(), sign);
    return 0;
  });
}

int32_t MORVANE_CALL ReSetEqParser() {
  return guarded(0, [] {
    engine::ReSetEqParser(Eng());
    return 0;
  });
}

int32_t MORVANE_CALL e_get_const(const char16_t* name, double* value) {
  return guarded(0, [&] { return engine::e_get_const(Eng().core, In(name), value); });
}

int32_t MORVANE_CALL SetVarFunct(const char16_t* name, const char16_t* value, int32_t isFunction) {
  return guarded(0, [&] {
    return engine::SetVarFunct(Eng().core, Eng().vars, In(name), In(value), isFunction != 0);
  });
}

int32_t MORVANE_CALL FindVarFunct(const char16_t* name, int32_t isFunction, double* value,
                                  char16_t* buffer) {
  return guarded(0, [&] {
    engine::Core& core = Eng().core;
    const engine::VarEntry* entry = engine::FindEntry(core, Eng().vars, In(name), isFunction != 0);
    if (entry == nullptr) return 0;
    if (isFunction != 0) exports::copy_out(entry->value, buffer);
    if (value != nullptr)
      *value = isFunction != 0 ? static_cast<double>(entry->value.size()) : engine::TextValue(*entry);
    core.state.Clear();
    return kFound;
  });
}

int32_t MORVANE_CALL GetVarFuncList(char16_t* buffer, int32_t size, const char16_t* kind) {
  return guarded(0, [&] {
    return exports::copy_out(engine::VarFuncListText(Eng().vars, KindOf(kind)), buffer, size);
  });
}

int32_t MORVANE_CALL GetVarFuncListLen(const char16_t* kind) {
  return guarded(0, [&] {
    return static_cast<int32_t>(engine::VarFuncListText(Eng().vars, KindOf(kind)).size());
  });
}

int32_t MORVANE_CALL ClearVarFuncList(const char16_t* kind) {
  return guarded(0, [&] {
    engine::ClearVarFuncList(Eng().vars, KindOf(kind));
    return 1;
  });
}
