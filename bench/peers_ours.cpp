// SPDX-License-Identifier: MIT
// Our evaluator through the UTF-8 interface: compiled once with the seven variables as
// parameters bound to the shared doubles, as a program embedding the library would.
#include <memory>
#include <string>

#include "peers_evaluators.h"

namespace peers {
namespace {

using Context = std::shared_ptr<morvane_context>;

class OursPrepared final : public Prepared {
 public:
  // The formula keeps the context alive, so formulas may outlive the evaluator that made them.
  OursPrepared(Context context, morvane_formula* formula, Variables& variables)
      : context_(std::move(context)), formula_(formula), variables_(variables) {}
  ~OursPrepared() override { morvane_formula_free(formula_); }
  OursPrepared(const OursPrepared&) = delete;
  OursPrepared& operator=(const OursPrepared&) = delete;

  bool Evaluate(double& value, std::string& why) override {
    morvane_error error{};
    if (morvane_formula_eval(formula_, &value, &error) == MORVANE_OK) return true;
    why = error.message;
    return false;
  }

  void Run(std::size_t n) override {
    double value = 0;
    // The error block is passed as a caller checking each result would.
    morvane_error error{};
    RunSwapping(variables_, n, [&] {
      morvane_formula_eval(formula_, &value, &error);
      return value;
    });
  }

 private:
  Context context_;
  morvane_formula* formula_;
  Variables& variables_;
};

class Ours final : public Evaluator {
 public:
  Ours(const morvane_options& options, Variables& variables)
      : context_(morvane_context_new_with(&options), morvane_context_free), variables_(variables) {}

  std::unique_ptr<Prepared> Prepare(const std::string& text, std::string& why) override {
    if (context_ == nullptr) {
      why = "no context";
      return nullptr;
    }
    const auto addresses = variables_.Addresses();
    morvane_error error{};
    morvane_formula* formula = morvane_compile(context_.get(), text.c_str(), kVariableNames.data(),
                                               kVariableNames.size(), &error);
    for (std::size_t i = 0; formula != nullptr && i < addresses.size(); ++i) {
      if (morvane_formula_bind(formula, kVariableNames[i], addresses[i], &error) != MORVANE_OK) {
        morvane_formula_free(formula);
        formula = nullptr;
      }
    }
    if (formula == nullptr) {
      why = error.message;
      return nullptr;
    }
    return std::make_unique<OursPrepared>(context_, formula, variables_);
  }

 private:
  Context context_;
  Variables& variables_;
};

}  // namespace

std::unique_ptr<Evaluator> MakeOurs(const morvane_options& options, Variables& variables) {
  return std::make_unique<Ours>(options, variables);
}

}  // namespace peers
