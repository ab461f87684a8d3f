// SPDX-License-Identifier: MIT
// TinyExpr, built as the public benchmark builds it (powers from the right, log natural), with
// the shared variables bound by address; pi and e are its own.
#include <tinyexpr.h>

#include <array>
#include <memory>
#include <string>

#include "peers_evaluators.h"

namespace peers {
namespace {

class TinyexprPrepared final : public Prepared {
 public:
  TinyexprPrepared(te_expr* expression, Variables& variables)
      : expression_(expression), variables_(variables) {}
  ~TinyexprPrepared() override { te_free(expression_); }
  TinyexprPrepared(const TinyexprPrepared&) = delete;
  TinyexprPrepared& operator=(const TinyexprPrepared&) = delete;

  bool Evaluate(double& value, std::string&) override {
    value = te_eval(expression_);
    return true;
  }

  void Run(std::size_t n) override {
    RunSwapping(variables_, n, [&] { return te_eval(expression_); });
  }

 private:
  te_expr* expression_;
  Variables& variables_;
};

using Bindings = std::array<te_variable, kVariableNames.size()>;

// One-shot: compile, evaluate and free at every evaluation, as a caller of te_interp would with
// variables.
class TinyexprOneShotText final : public Prepared {
 public:
  TinyexprOneShotText(std::string text, const Bindings& bindings, Variables& variables)
      : text_(std::move(text)), bindings_(bindings), variables_(variables) {}

  bool Evaluate(double& value, std::string&) override {
    value = Once();
    return true;
  }

  void Run(std::size_t n) override {
    RunSwapping(variables_, n, [&] { return Once(); });
  }

 private:
  double Once() {
    te_expr* expression = te_compile(text_.c_str(), bindings_.data(), static_cast<int>(bindings_.size()), nullptr);
    const double value = te_eval(expression);
    te_free(expression);
    return value;
  }

  std::string text_;
  const Bindings& bindings_;
  Variables& variables_;
};

class Tinyexpr final : public Evaluator {
 public:
  Tinyexpr(Variables& variables, bool oneShot) : variables_(variables), oneShot_(oneShot) {
    const auto addresses = variables.Addresses();
    for (std::size_t i = 0; i < addresses.size(); ++i)
      bindings_[i] = {kVariableNames[i], addresses[i], TE_VARIABLE, nullptr};
  }

  std::unique_ptr<Prepared> Prepare(const std::string& text, std::string& why) override {
    int position = 0;
    te_expr* expression =
        te_compile(text.c_str(), bindings_.data(), static_cast<int>(bindings_.size()), &position);
    if (expression == nullptr) {
      why = "syntax error at character " + std::to_string(position);
      return nullptr;
    }
    if (!oneShot_) return std::make_unique<TinyexprPrepared>(expression, variables_);
    te_free(expression);
    return std::make_unique<TinyexprOneShotText>(text, bindings_, variables_);
  }

 private:
  Variables& variables_;
  bool oneShot_;
  Bindings bindings_{};
};

}  // namespace

std::unique_ptr<Evaluator> MakeTinyexpr(Variables& variables) {
  return std::make_unique<Tinyexpr>(variables, false);
}

std::unique_ptr<Evaluator> MakeTinyexprOneShot(Variables& variables) {
  return std::make_unique<Tinyexpr>(variables, true);
}

}  // namespace peers
