// SPDX-License-Identifier: MIT
// What the interpreter reports for every line it runs: typed values that each face of the
// system reads as they are, and from which one renderer (line_text.h) writes the output text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace script {

struct Command;

struct MatrixValue {
  std::int32_t rows = 0;
  std::int32_t cols = 0;
  std::vector<double> elements;  // row after row
  bool operator==(const MatrixValue&) const = default;
};

enum class ValueKind : std::uint8_t { None, Number, Matrix, Text };

struct LineValue {
  ValueKind kind = ValueKind::None;
  double number = 0.0;
  MatrixValue matrix;
  std::u16string text;  // a derivative, a function's body, a plot's picture, an element order
};

// What a name that a line stored or showed stands for.
enum class NameKind : std::uint8_t { None, Variable, Function, Constant, Matrix };

struct LineFailure {
  std::int32_t code = -1;
  std::u16string message;  // the error table's text of the code
  // Where in the line (as the script holds it) the error was found: the token there. An empty
  // span stands for the whole line.
  std::size_t begin = 0;
  std::size_t end = 0;
  std::u16string detail;   // why a plot failed, after its code's text
};

// How a line is written; each command's handler picks the form of its report.
enum class LineForm : std::uint8_t {
  Copied,            // a line of a verbatim block or a "''" comment, written as it stands
  Note,              // a comment line the run writes itself (cancelled, stopped, the library)
  Definition,        // stores or sets something; written only when it fails
  Formula,           // Expr, Hex, Bin and ExprF: the number or matrix of a formula
  Stored,            // StoExpr: what was stored under which name
  Integral,          // Integrate and IntegrateF
  Derivative,        // sDiff and sDiffF
  PolynomialDerivative,
  PolynomialRoot,
  Shown,             // Show: what a name stands for
  Plot,              // the picture file, or why there is none
  ElementOrder,      // aElemOrderEx
  Unknown,           // a word that is no command
};

struct LineRecord {
  std::int32_t number = 0;            // the line's number, as its echo says
  LineForm form = LineForm::Definition;
  const Command* command = nullptr;   // none for copied lines, notes and unknown words
  // The line taken apart, as its echo shows it: for a copied line or a note, the text.
  std::u16string word;                // lower-cased command word
  std::u16string argument;            // what the command took after "="
  std::u16string brackets;            // what it took between "(" and ")"
  std::u16string text;                // the line without its comment tail
  std::u16string fileNote;            // where a file variant's output went
  // What the line produced.
  std::u16string name;                // the name it stored or showed
  NameKind nameKind = NameKind::None;
  LineValue value;
  std::array<double, 2> interval{};   // an integral's bounds
  std::optional<LineFailure> failure;

  bool failed() const { return failure.has_value(); }
};

}  // namespace script
