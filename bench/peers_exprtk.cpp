// SPDX-License-Identifier: MIT
// ExprTk, the benchmark's reference: one symbol table over the shared variables with pi and e as
// constants, one parser reused for every expression. Its header takes a minute to compile, so
// it stays in this translation unit alone.
#include <exprtk.hpp>
#include <memory>
#include <numbers>
#include <string>

#include "peers_evaluators.h"

namespace peers {
namespace {

using SymbolTable = exprtk::symbol_table<double>;
using Expression = exprtk::expression<double>;

class ExprtkPrepared final : public Prepared {
 public:
  // An expression is a counted handle on its compiled tree: the copy shares it.
  ExprtkPrepared(const Expression& expression, Variables& variables)
      : expression_(expression), variables_(variables) {}

  bool Evaluate(double& value, std::string&) override {
    value = expression_.value();
    return true;
  }

  void Run(std::size_t n) override {
    RunSwapping(variables_, n, [&] { return expression_.value(); });
  }

 private:
  Expression expression_;
  Variables& variables_;
};

class Exprtk final : public Evaluator {
 public:
  explicit Exprtk(Variables& variables) : variables_(variables) {
    const auto addresses = variables.Addresses();
    for (std::size_t i = 0; i < addresses.size(); ++i)
      symbols_.add_variable(kVariableNames[i], *addresses[i]);
    symbols_.add_constants();
    symbols_.add_constant("e", std::numbers::e);
  }

  std::unique_ptr<Prepared> Prepare(const std::string& text, std::string& why) override {
    Expression expression;
    expression.register_symbol_table(symbols_);
    if (!parser_.compile(text, expression)) {
      why = parser_.error();
      return nullptr;
    }
    return std::make_unique<ExprtkPrepared>(expression, variables_);
  }

 private:
  Variables& variables_;
  SymbolTable symbols_;
  exprtk::parser<double> parser_;
};

}  // namespace

std::unique_ptr<Evaluator> MakeExprtk(Variables& variables) {
  return std::make_unique<Exprtk>(variables);
}

}  // namespace peers
