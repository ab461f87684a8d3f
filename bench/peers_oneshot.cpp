// SPDX-License-Identifier: MIT
// Our one-shot evaluation, e_eval of the process-wide session (classic numbers): each call reads
// the text anew. The shared variables' values are stored in the session before each checked
// evaluation; the timed ones read what is stored, as a caller evaluating many texts would.
#include <cstdio>
#include <memory>
#include <string>

#include "morvane.h"
#include "peers_evaluators.h"

namespace peers {
namespace {

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

void Store(Variables& variables) {
  const auto addresses = variables.Addresses();
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    char value[32];
    std::snprintf(value, sizeof value, "%.17g", *addresses[i]);
    SetVarFunct(Widen(kVariableNames[i]).c_str(), Widen(value).c_str(), 0);
  }
}

class OursOneShotText final : public Prepared {
 public:
  OursOneShotText(std::u16string text, Variables& variables) : text_(std::move(text)), variables_(variables) {}

  bool Evaluate(double& value, std::string& why) override {
    Store(variables_);
    const int code = e_eval(text_.c_str(), &value, 0);
    if (code == 0) return true;
    why = "e_eval code " + std::to_string(code);
    return false;
  }

  void Run(std::size_t n) override {
    double value = 0;
    RunSwapping(variables_, n, [&] {
      e_eval(text_.c_str(), &value, 0);
      return value;
    });
  }

 private:
  std::u16string text_;
  Variables& variables_;
};

class OursOneShot final : public Evaluator {
 public:
  explicit OursOneShot(Variables& variables) : variables_(variables) { ReSetEqParser(); }

  std::unique_ptr<Prepared> Prepare(const std::string& text, std::string&) override {
    return std::make_unique<OursOneShotText>(Widen(text), variables_);
  }

 private:
  Variables& variables_;
};

}  // namespace

std::unique_ptr<Evaluator> MakeOursOneShot(Variables& variables) { return std::make_unique<OursOneShot>(variables); }

}  // namespace peers
