// SPDX-License-Identifier: MIT
// A formula of one variable evaluated at many points: tabulation, integration, plots and the
// solvers all sample through this one place. The formula is compiled once where it can be, and
// each point goes through the text only when the compiled form cannot say what the text would
// (a failure to report, a value no text holds, debug output to write).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/compiled_formula.h"
#include "engine/substitution.h"

namespace engine {

struct Engine;

class PointEvaluator {
 public:
  enum class Binding {
    // The value's short text (ValueText), in brackets, replaces every whole-identifier
    // occurrence of the variable (in any case) in the formula's text.
    Substituted,
    // The variable is set in the store to the value's short text and the formula read as it stands,
    // so user functions that name the variable see it and the store keeps the last value.
    Stored,
  };

  PointEvaluator(Engine& engine, std::u16string_view formula, std::u16string_view variable,
                 Binding binding = Binding::Substituted);

  // f(x) through e_eval; false with the failing code in status() and y untouched. Every way of
  // sampling fails as cancelled (code 26) once the session's cancel flag is up.
  bool At(double x, double& y);
  // f at each of xs into ys, in order, up to the first point that fails; returns how many
  // succeeded. The failing point is left as At leaves it.
  std::size_t AtEach(std::span<const double> xs, std::span<double> ys);
  // f at every point of xs into ys, going on past the points that fail: ok[i] tells which did
  // not, whose y is left as it was, and lastFailure receives the status of the last of them
  // (unchanged when none failed). status() is then the last point's, as At leaves it.
  void AtAll(std::span<const double> xs, std::span<double> ys, std::span<char> ok, std::int32_t& lastFailure);
  // Stored only: f with the variable set to the text x, through de_eval, so a failure comes
  // back as its code and a matrix result also as [mResult].
  double AtText(std::u16string_view x);
  std::int32_t status() const { return status_; }

 private:
  bool TextAt(double x, double& y);
  // Whether the session was asked to stop: the point then fails as cancelled.
  bool Cancelled();
  void CompiledSucceeded();

  Engine& engine_;
  Binding binding_;
  std::u16string formula_;
  std::u16string variable_;
  SubstitutionTemplate place_;  // the formula split around the variable (Substituted)
  std::u16string value_;        // the value's text, bracketed when substituted
  std::u16string text_;         // the formula with the value in place
  std::int32_t status_ = 0;
  std::optional<CompiledFormula> compiled_;
  std::vector<double> frame_;       // the compiled form's registers for one point
  CompiledFormula::Block block_;    // and for many, made at the first block
};

}  // namespace engine
