// SPDX-License-Identifier: MIT
// Random formulas in double numbers and the programmer spelling, evaluated by us and by muParser.
// Both read the same text into the same IEEE operations on the same C library functions, so a
// number we give must be muParser's to the bit. Where we refuse (division by zero, outside a
// function's domain, an infinite result), muParser goes on with infinities and NaNs instead, and
// must have met one of them somewhere in the formula.
#include <gtest/gtest.h>
#include <muParser.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "morvane/api.h"
#include "support/double_bits.h"
#include "support/seeded_random.h"

namespace {

using Random = testing_support::SeededRandom;

// Binding strength in both grammars: ours and muParser's orders agree from "||" up to "^".
enum Level { kOr = 1, kAnd, kCompare, kAdd, kMul, kNegate, kPrimary };

struct Node {
  enum Kind { kLeaf, kNegation, kBinary, kPower, kCall } kind = kLeaf;
  std::string text;     // the leaf, the operator or our function name
  std::string theirs;   // muParser's name for the function, when it differs
  Level level = kPrimary;
  std::vector<Node> args;
};

// muParser's own functions of these names are the C library's ones of the same name.
const char* const kSharedUnary[] = {"sin",  "cos",  "tan", "asin", "acos", "atan",  "sinh",
                                    "cosh", "tanh", "exp", "log",  "ln",   "log10", "sqrt"};
// Ours that muParser lacks, or computes otherwise: log2(v) as log(v)/log(2), asinh and the
// others by their logarithm formulas, abs(-0) as -0. muParser gets them as functions of its
// own over the C library's, under names of their own, so its parsing is still what is compared.
struct Library {
  const char* ours;
  const char* theirs;
};
const Library kLibraryUnary[] = {{"abs", "lib_fabs"},   {"floor", "lib_floor"}, {"ceil", "lib_ceil"},
                                 {"round", "lib_round"}, {"log2", "lib_log2"},   {"asinh", "lib_asinh"},
                                 {"acosh", "lib_acosh"}, {"atanh", "lib_atanh"}};
const Library kBinaryFunctions[] = {{"atan2", "atan2"}, {"pow", "lib_pow"}, {"hypot", "lib_hypot"}};
const char* const kListFunctions[] = {"min", "max", "sum", "avg"};
const char* const kComparisons[] = {"<", ">", "<=", ">=", "==", "!="};
const char* const kVariables[] = {"a", "b", "x", "y"};

Node Leaf(std::string text) { return Node{Node::kLeaf, std::move(text), {}, kPrimary, {}}; }

std::string Digits(Random& random, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + random.Below(10));
  return digits;
}

// Decimal literals of every shape both read, some with more digits than a double holds, so
// that both must round them correctly. Exponents stay where a double is finite.
std::string Literal(Random& random) {
  switch (random.Below(6)) {
    case 0: return std::to_string(random.Below(100));
    case 1: return Digits(random, 1 + static_cast<int>(random.Below(4))) + "." + Digits(random, 1 + static_cast<int>(random.Below(6)));
    case 2: return "0." + Digits(random, 17 + static_cast<int>(random.Below(6)));
    case 3: return random.Percent(50) ? "." + Digits(random, 2) : Digits(random, 2) + ".";
    default: {
      std::string mantissa = Digits(random, 1);
      if (random.Percent(60)) mantissa += "." + Digits(random, 1 + static_cast<int>(random.Below(15)));
      const int exponent = random.Percent(80) ? static_cast<int>(random.Below(41)) - 20
                                              : static_cast<int>(random.Below(620)) - 320;
      const char* sign = exponent < 0 ? "-" : random.Pick({"", "+"});
      return mantissa + random.Pick({"e", "E"}) + sign + std::to_string(std::abs(exponent));
    }
  }
}

Node Generate(Random& random, int depth) {
  if (depth == 0 || random.Percent(25)) {
    const auto pick = random.Below(10);
    if (pick < 4) return Leaf(Literal(random));
    if (pick < 9) return Leaf(random.Pick(kVariables));
    return Leaf(random.Pick({"pi", "e"}));
  }
  const auto pick = random.Below(100);
  Node node;
  if (pick < 36) {
    node.kind = Node::kBinary;
    node.text = random.Pick({"+", "-", "*", "/"});
    node.level = node.text == "+" || node.text == "-" ? kAdd : kMul;
    node.args = {Generate(random, depth - 1), Generate(random, depth - 1)};
  } else if (pick < 44) {
    node.kind = Node::kNegation;
    node.level = kNegate;
    node.args = {Generate(random, depth - 1)};
  } else if (pick < 52) {
    // Always with bracketed operands: "^" groups differently in the two grammars. Exponents
    // are whole formulas, so x^2 and its kind, which muParser's optimiser would turn into
    // products, only come as pow(x, 2) computed at run time.
    node.kind = Node::kPower;
    node.text = "^";
    node.args = {Generate(random, depth - 1), Generate(random, depth - 1)};
  } else if (pick < 70) {
    node.kind = Node::kCall;
    if (random.Percent(65)) {
      node.text = node.theirs = random.Pick(kSharedUnary);
    } else {
      const Library& function = random.Pick(kLibraryUnary);
      node.text = function.ours;
      node.theirs = function.theirs;
    }
    node.args = {Generate(random, depth - 1)};
  } else if (pick < 77) {
    node.kind = Node::kCall;
    const Library& function = random.Pick(kBinaryFunctions);
    node.text = function.ours;
    node.theirs = function.theirs;
    node.args = {Generate(random, depth - 1), Generate(random, depth - 1)};
  } else if (pick < 85) {
    node.kind = Node::kCall;
    node.text = node.theirs = random.Pick(kListFunctions);
    const auto count = 1 + random.Below(4);
    for (std::uint64_t i = 0; i < count; ++i) node.args.push_back(Generate(random, depth - 1));
  } else {
    node.kind = Node::kBinary;
    const auto logic = random.Below(10);
    node.text = logic < 6 ? random.Pick(kComparisons) : logic < 8 ? "&&" : "||";
    node.level = logic < 6 ? kCompare : logic < 8 ? kAnd : kOr;
    node.args = {Generate(random, depth - 1), Generate(random, depth - 1)};
  }
  return node;
}

// The text of node where an operand of at least level minimum is wanted: brackets where the
// grouping needs them, and now and then where it does not.
std::string Print(const Node& node, bool forMuParser, Level minimum, Random& random) {
  std::string text;
  switch (node.kind) {
    case Node::kLeaf: text = node.text; break;
    case Node::kNegation:
      // A negated negation needs its brackets: muParser does not read "--a".
      text = "-" + Print(node.args[0], forMuParser,
                         node.args[0].kind == Node::kNegation ? kPrimary : kNegate, random);
      break;
    case Node::kPower:
      text = "(" + Print(node.args[0], forMuParser, kOr, random) + ")^(" +
             Print(node.args[1], forMuParser, kOr, random) + ")";
      break;
    case Node::kBinary:
      // Every operator groups from the left; a right operand of the same level is bracketed,
      // so that even + and * are done in the order of the tree.
      text = Print(node.args[0], forMuParser, node.level, random) + node.text +
             Print(node.args[1], forMuParser, static_cast<Level>(node.level + 1), random);
      break;
    case Node::kCall:
      text = (forMuParser ? node.theirs : node.text) + "(";
      for (std::size_t i = 0; i < node.args.size(); ++i)
        text += (i ? "," : "") + Print(node.args[i], forMuParser, kOr, random);
      text += ")";
      break;
  }
  return node.level < minimum || random.Percent(5) ? "(" + text + ")" : text;
}

// Values of every size and sign, zeros of both signs among them; all finite.
double Value(Random& random) {
  switch (random.Below(10)) {
    case 0:
    case 1: return static_cast<double>(random.Below(11)) - 5.0;
    case 2:
    case 3:
    case 4: return 20.0 * random.Unit() - 10.0;
    case 5:
    case 6: return random.Unit();
    case 7:
    case 8: {
      const double magnitude = std::pow(10.0, 600.0 * random.Unit() - 300.0);
      return random.Percent(50) ? magnitude : -magnitude;
    }
    default: return random.Pick({-0.0, 0.5, -1.0, 1.0, 2.0, 5e-324, 1e308, -1e-310});
  }
}

using testing_support::Hex;
using testing_support::SameBits;

struct ContextDeleter {
  void operator()(morvane_context* context) const { morvane_context_free(context); }
};

class MuParserDifferentialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (mu::Parser* parser : {&muParser, &muProbe}) {
      // Off, it does every operation as written; on, it folds and reorders (x*2+0 for x*2,
      // (2*x+1)*3 as 6*x+3) and turns x^2 into x*x.
      parser->EnableOptimizer(false);
      for (std::size_t i = 0; i < 4; ++i) parser->DefineVar(kVariables[i], &values[i]);
      // Its own _pi is 3.141592653589 under GCC.
      parser->DefineConst("pi", std::numbers::pi);
      parser->DefineConst("e", std::numbers::e);
      parser->DefineFun("lib_fabs", static_cast<double (*)(double)>(std::fabs));
      parser->DefineFun("lib_floor", static_cast<double (*)(double)>(std::floor));
      parser->DefineFun("lib_ceil", static_cast<double (*)(double)>(std::ceil));
      parser->DefineFun("lib_round", static_cast<double (*)(double)>(std::round));
      parser->DefineFun("lib_log2", static_cast<double (*)(double)>(std::log2));
      parser->DefineFun("lib_asinh", static_cast<double (*)(double)>(std::asinh));
      parser->DefineFun("lib_acosh", static_cast<double (*)(double)>(std::acosh));
      parser->DefineFun("lib_atanh", static_cast<double (*)(double)>(std::atanh));
      parser->DefineFun("lib_pow", static_cast<double (*)(double, double)>(std::pow));
      parser->DefineFun("lib_hypot", static_cast<double (*)(double, double)>(std::hypot));
    }
  }

  // Whether muParser meets an infinity or a NaN in node or below it.
  bool MuParserMeetsNonFinite(const Node& node, Random& random) {
    muProbe.SetExpr(Print(node, true, kOr, random));
    if (!std::isfinite(muProbe.Eval())) return true;
    for (const Node& arg : node.args)
      if (MuParserMeetsNonFinite(arg, random)) return true;
    return false;
  }

  std::unique_ptr<morvane_context, ContextDeleter> context{morvane_context_new()};
  mu::Parser muParser;
  mu::Parser muProbe;  // for the parts of a formula
  double values[4] = {};
};

TEST_F(MuParserDifferentialTest, RandomFormulasGiveMuParsersBitsOrFailWhereItLeavesTheFiniteNumbers) {
  constexpr int kFormulas = 8000;
  constexpr int kPoints = 3;
  Random random(20240611);
  int numbers = 0;
  int refusals = 0;
  int failures = 0;
  for (int f = 0; f < kFormulas && failures < 20; ++f) {
    const Node tree = Generate(random, 1 + static_cast<int>(random.Below(5)));
    // The same bracketing for both: each printer starts from the same state of its own.
    Random ourBrackets(static_cast<std::uint64_t>(f));
    Random theirBrackets(static_cast<std::uint64_t>(f));
    const std::string ours = Print(tree, false, kOr, ourBrackets);
    const std::string theirs = Print(tree, true, kOr, theirBrackets);
    try {
      muParser.SetExpr(theirs);
    } catch (const mu::Parser::exception_type& e) {
      ADD_FAILURE() << "muParser cannot read " << theirs << ": " << e.GetMsg();
      ++failures;
      continue;
    }
    for (int p = 0; p < kPoints; ++p) {
      std::string where;
      for (std::size_t i = 0; i < 4; ++i) {
        values[i] = Value(random);
        morvane_error error{};
        ASSERT_EQ(morvane_set_variable(context.get(), kVariables[i], values[i], &error), MORVANE_OK);
        where += std::string(i ? ", " : " at ") + kVariables[i] + " = " + Hex(values[i]);
      }
      double value = 0.0;
      morvane_error error{};
      const int code = morvane_eval(context.get(), ours.c_str(), &value, &error);
      const double expected = muParser.Eval();
      if (code == MORVANE_OK) {
        ++numbers;
        if (!SameBits(value, expected)) {
          ADD_FAILURE() << ours << where << ": " << Hex(value) << ", muParser " << Hex(expected);
          ++failures;
        }
      } else if (code == MORVANE_ERROR_DIVISION_BY_ZERO || code == MORVANE_ERROR_INVALID_ARGUMENT ||
                 code == MORVANE_ERROR_OVERFLOW) {
        ++refusals;
        Random probeBrackets(0);
        if (!MuParserMeetsNonFinite(tree, probeBrackets)) {
          ADD_FAILURE() << ours << where << ": error " << code << " at " << error.position << " ("
                        << error.message << "), muParser " << Hex(expected) << " with finite numbers throughout";
          ++failures;
        }
      } else {
        ADD_FAILURE() << ours << where << ": error " << code << " at " << error.position << " (" << error.message
                      << "), muParser " << Hex(expected);
        ++failures;
      }
    }
  }
  // The formulas must mostly reach a number, or the comparison proves little.
  EXPECT_GT(numbers, kFormulas * kPoints / 2) << refusals << " refused";
}

}  // namespace
