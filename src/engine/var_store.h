// SPDX-License-Identifier: MIT
// The stores of variables and user functions. Each keeps its entries in insertion order with a
// name index; the list texts callers see ("a=1.5;b=2;") are built from the entries.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace engine {

struct Core;

struct VarEntry {
  std::u16string name;   // lower-cased, trimmed
  std::u16string value;  // the text as the caller passed it
  double number = 0.0;   // a variable's value as formulas see it: its 10-decimal reading, or in
                         // double numbers the text's exact reading
};

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::u16string_view text) const noexcept {
    return std::hash<std::u16string_view>{}(text);
  }
};

// A deque never moves its entries, so the index can key on views of their names, and a store
// of a million names grows without copying itself. A copy would keep views of the original's
// names, so lists only move.
struct VarList {
  VarList() = default;
  VarList(const VarList&) = delete;
  VarList& operator=(const VarList&) = delete;
  VarList(VarList&&) = default;
  VarList& operator=(VarList&&) = default;
  ~VarList() = default;

  std::deque<VarEntry> entries;  // in insertion order
  std::unordered_map<std::u16string_view, std::size_t, TextHash> index;  // name -> entry
};

struct VarStore {
  VarList vars;                    // variables
  VarList sFuncts;                 // user functions, name=body
  std::int32_t entryCount = 0;     // entries in the list after the last SetVarFunct
};

inline constexpr std::int32_t kFound = 21;

// Sets or replaces a variable (isFunction false) or a user function; returns the entry count.
// A name that is empty or holds "=", ";" or inner blanks is refused with e_error 13.
std::int32_t SetVarFunct(Core& core, VarStore& store, std::u16string_view name,
                         std::u16string_view value, bool isFunction);

// Sets a variable to a number: its text is the number's short text (ValueText), which in
// double numbers reads back as the number itself.
std::int32_t SetVariable(Core& core, VarStore& store, std::u16string_view name, double value);

// Looks a trimmed name up as given. Variables return their value, functions the length of
// their text (copied to text when given). e_error becomes 21 when found, 7 when not.
double FindVarFunctD(Core& core, VarStore& store, std::u16string_view name, bool isFunction,
                     std::u16string* text, bool report);

// FindVarFunctD without reports; on success writes the result to value, resets e_error to -1
// and returns 21, otherwise returns 0 with e_error 7.
std::int32_t FindVarFunct(Core& core, VarStore& store, std::u16string_view name,
                          bool isFunction, double* value, std::u16string* text);

// The tokenizer's lookup of a lower-cased name; touches no error state.
const VarEntry* LookupVariable(const VarStore& store, std::u16string_view name);

// "vars" (any case) empties the variables, anything else the functions.
void ClearVarFuncList(VarStore& store, std::u16string_view kind);

// The list text, "name=value;" per entry; "vars" selects the variables.
std::u16string VarFuncListText(const VarStore& store, std::u16string_view kind);

bool IsVarsKind(std::u16string_view kind);

}  // namespace engine
