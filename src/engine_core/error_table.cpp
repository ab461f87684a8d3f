// SPDX-License-Identifier: MIT
#include "engine_core/error_table.h"

#include <array>
#include <utility>

namespace engine {
namespace {

using Row = std::pair<int, std::u16string_view>;

// Padding inside the texts is part of them: callers compare and align on it.
constexpr std::array kRows = {
    // differentiator, rows 60 + code
    Row{59, u"No Error                     (Module: sDiff)"},
    Row{60, u"Undefined error (procedure exit before completion)  (Module: sDiff)"},
    Row{61, u"Too Long Formula             (Module: sDiff)"},
    Row{62, u"Wrong Number                 (Module: sDiff)"},
    Row{63, u"Wrong First Operand          (Module: sDiff)"},
    Row{64, u"Wrong Brackets               (Module: sDiff)"},
    Row{65, u"Wrong Power Nr (x^?)         (Module: sDiff)"},
    Row{66, u"Error in formula             (Module: sDiff)"},
    Row{67, u"Empty Formula                (Module: sDiff)"},
    // evaluator, rows 30 + code
    Row{29, u"No Error                     (Module: aMatr)"},
    Row{30, u"Undefined error (exit before completion) (Module: eval)"},
    Row{31, u"Ambiguous function name      (Module: eval)"},
    Row{32, u"Evaluator syntax error       (Module: eval)"},
    Row{33, u"Parser syntax error          (Module: eval)"},
    Row{34, u"Undefined function           (Module: eval)"},
    Row{35, u"Returned Value not defined   (Module: eval)"},
    Row{36, u"Token match / syntax error   (Module: eval)"},
    Row{37, u"Parameter/Element Not Found  (Module: eval)"},
    Row{38, u"Division by zero             (Module: eval & sDiff)"},
    Row{39, u"Expression/value not integer (Module: eval)"},
    Row{40, u"Condition/Matrix not found   (Module: eval)"},
    Row{41, u"Wrong string matrix          (Module: eval)"},
    Row{42, u"No enought matrix elements   (Module: eval)"},
    Row{43, u"Invalid parameter/argument   (Module: eval)"},
    Row{44, u"Matrix not defined/found     (Module: eval)"},
    Row{46, u"Undefined Custom Variable    (Module: eval)"},
    Row{47, u"Undefined Custom Function    (Module: eval)"},
    Row{48, u"Undefined Constant           (Module: eval)"},
    Row{49, u"Overflow                     (Module: eval)"},
    Row{55, u"Undefined Command/Keyword    (Module: eval)"},
    Row{56, u"Cancelled                    (Module: eval)"},
    // matrix functions, rows 1 + code
    Row{0, u"No Error                       (Module: aMatr)"},
    Row{1, u"Undefined error (exit before completion) (Module: aMatr)"},
    Row{5, u"Orders not equal               (Module: aMatr)"},
    Row{6, u"Orders not valid               (Module: aMatr)"},
    Row{7, u"Matrix not squared             (Module: aMatr)"},
    Row{8, u"Matrix singolar                (Module: aMatr)"},
    Row{9, u"Invalid Parameter              (Module: aMatr)"},
    Row{10, u"Vector expected not Matrix     (Module: aMatr)"},
    Row{11, u"Wrong Matrix rank              (Module: aMatr)"},
    Row{12, u"Wrong vector of points         (Module: aMatr)"},
    Row{13, u"Rank of matrix of coeff. > n-2 (Module: aMatr)"},
    Row{14, u"System without Solutions      (Module: aMatr)"},
    Row{15, u"Wrong SWAP Row or Col         (Module: aMatr)"},
    Row{16, u"Matrix not defined            (Module: aMatr)"},
    Row{17, u"Matrix is Zero                (Module: aMatr)"},
    Row{18, u"Invalid aElemOrder            (Module: aMatr)"},
};

constexpr std::array<std::u16string_view, kErrorTableSize> BuildTable() {
  std::array<std::u16string_view, kErrorTableSize> table{};
  for (const auto& [row, text] : kRows) table[static_cast<std::size_t>(row)] = text;
  return table;
}

constexpr auto kTable = BuildTable();

constexpr bool RowsInRangeAndUnique() {
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    if (kRows[i].first < 0 || kRows[i].first >= kErrorTableSize) return false;
    for (std::size_t j = i + 1; j < kRows.size(); ++j)
      if (kRows[i].first == kRows[j].first) return false;
  }
  return true;
}
static_assert(RowsInRangeAndUnique(), "every description needs its own row of the table");
static_assert(!kTable[kEvalBase + 25].empty() && !kTable[kEvalBase + 8].empty());

constexpr std::array<std::u16string_view, 8> kStatusTexts = {
    u"File Open Error (not found?)",       // -2
    u"File Write Error (already in use?)", // -3
    u"Operation vancelled by user",        // -4
    u"Invalid Parameter.",                 // -5
    u"Instance Quit OK",                   // -6
    u"API Error",                          // -7
    u"Window not Found",                   // -8
    u"Child Window Not Found",             // -9
};

}  // namespace

std::u16string_view EvalErrorName(std::int32_t code) {
  std::u16string_view text = EvalErrorText(code);
  text = text.substr(0, text.find(u"(Module"));
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  return text;
}

std::u16string_view ErrorTableRow(int row) {
  if (row < 0 || row >= kErrorTableSize) return {};
  return kTable[static_cast<std::size_t>(row)];
}

std::u16string_view EvalErrorText(std::int32_t code) {
  std::int64_t row = std::int64_t{kEvalBase} + code;
  if (row < 0 || row >= kErrorTableSize) row = kEvalBase + 25;
  return kTable[static_cast<std::size_t>(row)];
}

std::u16string_view StatusText(std::int32_t code) {
  if (code > -2 || code < -9) return {};
  return kStatusTexts[static_cast<std::size_t>(-2 - code)];
}

}  // namespace engine
