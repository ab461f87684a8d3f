// SPDX-License-Identifier: MIT
// muParser (the system's library): one parser per expression, as it holds one, with the shared
// variables defined by address and pi and e as constants.
#include <muParser.h>

#include <memory>
#include <numbers>
#include <string>

#include "peers_evaluators.h"

namespace peers {
namespace {

class MuparserPrepared final : public Prepared {
 public:
  MuparserPrepared(std::unique_ptr<mu::Parser> parser, Variables& variables)
      : parser_(std::move(parser)), variables_(variables) {}

  bool Evaluate(double& value, std::string& why) override {
    try {
      value = parser_->Eval();
      return true;
    } catch (const mu::ParserError& error) {
      why = error.GetMsg();
      return false;
    }
  }

  void Run(std::size_t n) override {
    RunSwapping(variables_, n, [&] { return parser_->Eval(); });
  }

 private:
  std::unique_ptr<mu::Parser> parser_;
  Variables& variables_;
};

class Muparser final : public Evaluator {
 public:
  explicit Muparser(Variables& variables) : variables_(variables) {}

  std::unique_ptr<Prepared> Prepare(const std::string& text, std::string& why) override {
    auto parser = std::make_unique<mu::Parser>();
    try {
      const auto addresses = variables_.Addresses();
      for (std::size_t i = 0; i < addresses.size(); ++i)
        parser->DefineVar(kVariableNames[i], addresses[i]);
      parser->DefineConst("pi", std::numbers::pi);
      parser->DefineConst("e", std::numbers::e);
      parser->SetExpr(text);
      // The first evaluation turns the text into bytecode; a syntax error shows here.
      parser->Eval();
    } catch (const mu::ParserError& error) {
      why = error.GetMsg();
      return nullptr;
    }
    return std::make_unique<MuparserPrepared>(std::move(parser), variables_);
  }

 private:
  Variables& variables_;
};

}  // namespace

std::unique_ptr<Evaluator> MakeMuparser(Variables& variables) {
  return std::make_unique<Muparser>(variables);
}

}  // namespace peers
