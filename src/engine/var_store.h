// SPDX-License-Identifier: MIT
// The stores of variables and user functions. Each keeps its entries in insertion order with a
// name index; the list texts callers see ("a=1.5;b=2;") are built from the entries.
#pragma once

#include <cstdint>
#include <deque>
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

// Which list a list call means.
enum class ListKind : std::uint8_t { Variables, Functions };

// Sets or replaces a variable (isFunction false) or a user function; returns the entry count.
// A name that is empty or holds "=", ";" or inner blanks is refused with e_error 13.
std::int32_t SetVarFunct(Core& core, VarStore& store, std::u16string_view name,
                         std::u16string_view value, bool isFunction);

// Sets a variable to a number: its text is the number's short text (ValueText), which in
// double numbers reads back as the number itself.
std::int32_t SetVariable(Core& core, VarStore& store, std::u16string_view name, double value);

// Looks a trimmed name up as given (callers pass it lower-cased). A miss sets e_error 7 and,
// with report, tells the error log which name was missing; a hit leaves the error alone.
const VarEntry* FindEntry(Core& core, const VarStore& store, std::u16string_view name,
                          bool isFunction, bool report = false);

// A variable's value as its text reads, every digit the caller gave kept (formulas see
// entry.number instead).
double TextValue(const VarEntry& variable);

// The tokenizer's lookup of a lower-cased name; touches no error state.
const VarEntry* LookupVariable(const VarStore& store, std::u16string_view name);

void ClearVarFuncList(VarStore& store, ListKind kind);

// The list text, "name=value;" per entry.
std::u16string VarFuncListText(const VarStore& store, ListKind kind);

}  // namespace engine
