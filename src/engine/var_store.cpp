// SPDX-License-Identifier: MIT
#include "engine/var_store.h"

#include "engine_core/core.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace engine {
namespace {

// A name that would break the list text, or that a formula could never use as one word.
bool IsValidName(std::u16string_view name) {
  if (name.empty()) return false;
  for (char16_t c : name)
    if (c == u'=' || c == u';' || c == u' ' || c == u'\t' || c == u'\r' || c == u'\n') return false;
  return true;
}

// The list a call means, const or not as the store is.
template <typename Store>
auto& Select(Store& store, bool isFunction) {
  return isFunction ? store.sFuncts : store.vars;
}

}  // namespace

std::int32_t SetVarFunct(Core& core, VarStore& store, std::u16string_view name,
                         std::u16string_view value, bool isFunction) {
  std::u16string key = ToLower(Trim(name));
  VarList& list = Select(store, isFunction);
  if (!IsValidName(key)) {
    core.state.Fail(EvalError::InvalidArgument);
    ReportEvalError(core, site::kInvalidName, u"Invalid name = '" + std::u16string(name) + u"'\r\n");
    return static_cast<std::int32_t>(list.entries.size());
  }
  const double read = ParseDecimal(value);
  double number = isFunction ? 0.0 : core.settings.exact() ? read : RoundTo10Decimals(read);
  auto found = list.index.find(key);
  if (found == list.index.end()) {
    const VarEntry& added = list.entries.emplace_back(VarEntry{std::move(key), std::u16string(value), number});
    list.index.emplace(added.name, list.entries.size() - 1);
  } else {
    VarEntry& entry = list.entries[found->second];
    entry.value = value;
    entry.number = number;
  }
  store.entryCount = static_cast<std::int32_t>(list.entries.size());
  return store.entryCount;
}

std::int32_t SetVariable(Core& core, VarStore& store, std::u16string_view name, double value) {
  return SetVarFunct(core, store, name, ValueText(core.settings.numbers, value), false);
}

const VarEntry* FindEntry(Core& core, const VarStore& store, std::u16string_view name,
                          bool isFunction, bool report) {
  const VarList& list = Select(store, isFunction);
  std::u16string_view key = Trim(name);
  auto found = list.index.find(key);
  if (found != list.index.end()) return &list.entries[found->second];
  core.state.Fail(EvalError::NotFound);
  if (report)
    ReportEvalError(core, isFunction ? site::kFunctionNotFound : site::kVariableNotFound,
                    u"VarToFind = " + std::u16string(key) + u"=");
  return nullptr;
}

double TextValue(const VarEntry& variable) { return ParseDecimal(variable.value); }

const VarEntry* LookupVariable(const VarStore& store, std::u16string_view name) {
  if (store.vars.entries.empty()) return nullptr;  // spares formulas without variables a hash
  auto found = store.vars.index.find(name);
  return found == store.vars.index.end() ? nullptr : &store.vars.entries[found->second];
}

void ClearVarFuncList(VarStore& store, ListKind kind) {
  VarList& list = Select(store, kind == ListKind::Functions);
  list.entries.clear();
  list.index.clear();
}

std::u16string VarFuncListText(const VarStore& store, ListKind kind) {
  const VarList& list = Select(store, kind == ListKind::Functions);
  std::u16string text;
  for (const VarEntry& entry : list.entries) text += entry.name + u"=" + entry.value + u";";
  return text;
}

}  // namespace engine
