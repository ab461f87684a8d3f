// SPDX-License-Identifier: MIT
// Classic numbers take every function's argument as a 32-bit float and round its result to one,
// so results carry about seven significant digits: callers have long relied on exactly these
// values. Double numbers call the C library's functions.
#include "engine/builtins.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <utility>

#include "engine/arithmetic.h"
#include "engine_core/core.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace engine {
namespace {

enum class Fn {
  Abs, Atan, Cos, Exp, Fix, Int, Log, Log10, Rnd, Sgn, Sin, Sqrt, Tan, Sec, Cosec, Cotan,
  Arcsin, Arccos, Arcsec, Arccosec, Arccotan, Sinh, Cosh, Tanh, Sech, Cosech, Cotanh,
  Arctanh, Arcsinh, Arccosh, Arcsech, Arccosech, Arccotanh, Pi, Rad, Deg, E,
  Floor, Ceil, Round, Log2,
  // of two arguments
  Pow, Atan2, Hypot,
};
constexpr std::size_t kFunctionCount = static_cast<std::size_t>(Fn::Hypot) + 1;

constexpr bool TakesTwo(Fn fn) { return fn >= Fn::Pow; }
// The hyperbolic functions and their inverses, which classic numbers build from ExpE.
constexpr bool IsHyperbolic(Fn fn) { return fn >= Fn::Sinh && fn <= Fn::Arccotanh; }

struct Builtin {
  std::u16string_view name;
  Fn fn;
  bool programmer = false;  // a name of the programmer spelling only
};

// Sorted by name for binary search.
constexpr std::array kBuiltins = {
    Builtin{u"#deg", Fn::Deg},         Builtin{u"#e", Fn::E},
    Builtin{u"#pi", Fn::Pi},           Builtin{u"#rad", Fn::Rad},
    Builtin{u"#to_deg", Fn::Deg},      Builtin{u"#to_rad", Fn::Rad},
    Builtin{u"abs", Fn::Abs},          Builtin{u"acos", Fn::Arccos, true},
    Builtin{u"acosh", Fn::Arccosh, true}, Builtin{u"arccos", Fn::Arccos},
    Builtin{u"arccosec", Fn::Arccosec}, Builtin{u"arccosech", Fn::Arccosech},
    Builtin{u"arccosh", Fn::Arccosh},  Builtin{u"arccotan", Fn::Arccotan},
    Builtin{u"arccotanh", Fn::Arccotanh}, Builtin{u"arcsec", Fn::Arcsec},
    Builtin{u"arcsech", Fn::Arcsech},  Builtin{u"arcsin", Fn::Arcsin},
    Builtin{u"arcsinh", Fn::Arcsinh},  Builtin{u"arctanh", Fn::Arctanh},
    Builtin{u"asin", Fn::Arcsin, true}, Builtin{u"asinh", Fn::Arcsinh, true},
    Builtin{u"atan", Fn::Atan},        Builtin{u"atan2", Fn::Atan2, true},
    Builtin{u"atanh", Fn::Arctanh, true}, Builtin{u"atn", Fn::Atan},
    Builtin{u"ceil", Fn::Ceil, true},  Builtin{u"cos", Fn::Cos},
    Builtin{u"cosec", Fn::Cosec},      Builtin{u"cosech", Fn::Cosech},
    Builtin{u"cosh", Fn::Cosh},        Builtin{u"cotan", Fn::Cotan},
    Builtin{u"cotanh", Fn::Cotanh},    Builtin{u"deg", Fn::Deg},
    Builtin{u"exp", Fn::Exp},          Builtin{u"fix", Fn::Fix},
    Builtin{u"floor", Fn::Floor, true}, Builtin{u"hypot", Fn::Hypot, true},
    Builtin{u"int", Fn::Int},          Builtin{u"ln", Fn::Log},
    Builtin{u"log", Fn::Log},          Builtin{u"log10", Fn::Log10},
    Builtin{u"log2", Fn::Log2, true},  Builtin{u"pow", Fn::Pow, true},
    Builtin{u"rad", Fn::Rad},          Builtin{u"rnd", Fn::Rnd},
    Builtin{u"round", Fn::Round, true}, Builtin{u"sec", Fn::Sec},
    Builtin{u"sech", Fn::Sech},        Builtin{u"sgn", Fn::Sgn},
    Builtin{u"sin", Fn::Sin},          Builtin{u"sinh", Fn::Sinh},
    Builtin{u"sqr", Fn::Sqrt},         Builtin{u"sqrt", Fn::Sqrt},
    Builtin{u"tan", Fn::Tan},          Builtin{u"tanh", Fn::Tanh},
    Builtin{u"to_deg", Fn::Deg},       Builtin{u"to_rad", Fn::Rad},
};
static_assert(std::ranges::is_sorted(kBuiltins, {}, &Builtin::name));

// An index names a row of the table and the precision it computes in: the rows once for
// single precision, then once more for double numbers. The tokenizer chooses when it reads the
// name, so that a call never asks again.
constexpr int kRows = static_cast<int>(kBuiltins.size());

struct Resolved {
  Fn fn;
  bool exact;
};

Resolved Resolve(int index) {
  const bool exact = index >= kRows;
  return {kBuiltins[static_cast<std::size_t>(exact ? index - kRows : index)].fn, exact};
}

// The exponential of the hyperbolic functions, in double precision.
double ExpE(double x) { return std::pow(2.71828182845905, x); }

double SignD(double x) { return x > 0 ? 1.0 : x < 0 ? -1.0 : 0.0; }

constexpr double kHalfPi = std::numbers::pi / 2;  // 2 * arctan(1)

constexpr double Widen(float x) { return static_cast<double>(x); }

// Narrowing that is defined for every double: values beyond float range become infinite.
float ToFloat(double x) {
  constexpr auto kMax = static_cast<double>(std::numeric_limits<float>::max());
  if (x > kMax) return std::numeric_limits<float>::infinity();
  if (x < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(x);
}

// One evaluation: the result, the last quotient's terms for the infinity report, and the
// domain failure, if any.
struct Outcome {
  double value = 0.0;
  double numerator = 0.0;
  double denominator = 1.0;
  const ReportSite* check = nullptr;  // the domain check that failed, if any
  std::u16string_view part;       // text added to the domain failure message
  double partValue = 0.0;         // the quantity shown after `part`
  bool pole = false;              // an infinite value that is no overflow: ln 0, atanh 1
};

double Quotient(Outcome& out, double numerator, double denominator) {
  out.numerator = numerator;
  out.denominator = denominator;
  return numerator / denominator;
}

// rnd(x): a whole number from 0 to x rounded, both included.
double RandomInteger(double x, std::minstd_rand& rng) {
  const std::int32_t n = TruncToInt32(std::nearbyint(x));
  std::uniform_int_distribution<std::int32_t> pick(std::min(0, n), std::max(0, n));
  return pick(rng);
}

// The domain checks. The arc functions check the argument as given: narrowed to a float,
// 0.9999999999 would be 1 and an argument just beyond 1 would be inside. The logarithms and the
// root check the argument they compute with (`computed`).
void CheckDomain(Outcome& out, Fn fn, double x, double computed) {
  switch (fn) {
    case Fn::Log:
    case Fn::Log10:
    case Fn::Log2:
    case Fn::Sqrt:
      if (computed < 0) out.check = fn == Fn::Sqrt ? &site::kSqrtDomain : fn == Fn::Log ? &site::kLogDomain : &site::kLog10Domain;
      break;
    case Fn::Arcsin:
    case Fn::Arccos:
      if (std::fabs(x) > 1) {
        out.check = fn == Fn::Arcsin ? &site::kArcsinDomain : &site::kArccosDomain;
        out.part = u" and (-arg^2 + 1) => ";
        out.partValue = fn == Fn::Arcsin ? 1 - x * x : x * x - 1;
      }
      break;
    case Fn::Arcsec:
    case Fn::Arccosec:
      if (std::fabs(x) < 1) {
        out.check = fn == Fn::Arcsec ? &site::kArcsecDomain : &site::kArccosecDomain;
        out.part = u" and (arg^2 - 1) => ";
        out.partValue = x * x - 1;
      }
      break;
    default: break;
  }
}

// Single precision, as callers of the classic numbers have long relied on: the argument as a
// float, the result rounded to one. Always inline, so that where fn is a constant only its own
// case is left.
[[gnu::always_inline]] inline void ComputeClassic(Outcome& out, Fn fn, double given, std::minstd_rand& rng) {
  const float xf = ToFloat(given);
  const double x = Widen(xf);
  const double e = IsHyperbolic(fn) ? ExpE(x) : 0.0;
  const double eNeg = IsHyperbolic(fn) ? ExpE(-x) : 0.0;
  switch (fn) {
    case Fn::Abs: out.value = Widen(std::fabs(xf)); break;
    case Fn::Atan: out.value = Widen(std::atan(xf)); break;
    case Fn::Cos: out.value = Widen(std::cos(xf)); break;
    case Fn::Exp: out.value = Widen(std::pow(2.7182817f, xf)); break;
    case Fn::Fix:
      // Sign times the truncated magnitude; 0 stays 0 (the bare formula gives 0/0 there).
      out.value = x == 0.0 ? 0.0 : SignD(x) * TruncToInt32(std::fabs(x));
      break;
    case Fn::Int: out.value = TruncToInt32(x); break;
    case Fn::Log: out.value = Widen(std::log(xf)); break;
    case Fn::Log10: out.value = Widen(std::log10(xf)); break;
    case Fn::Log2: out.value = Widen(std::log2(xf)); break;
    case Fn::Rnd: out.value = RandomInteger(x, rng); break;
    case Fn::Sgn: out.value = SignD(x); break;
    case Fn::Sin: out.value = Widen(std::sin(xf)); break;
    case Fn::Sqrt: out.value = Widen(std::sqrt(xf)); break;
    case Fn::Tan: out.value = Widen(std::tan(xf)); break;
    case Fn::Sec: out.value = Quotient(out, 1.0, std::cos(x)); break;
    case Fn::Cosec: out.value = Quotient(out, 1.0, std::sin(x)); break;
    case Fn::Cotan: out.value = Quotient(out, 1.0, std::tan(x)); break;
    // At an end of the domain the quotient is infinite and its arctangent the right angle.
    case Fn::Arcsin: out.value = std::atan(Quotient(out, x, std::sqrt(1 - x * x))); break;
    case Fn::Arccos: out.value = -std::atan(Quotient(out, x, std::sqrt(1 - x * x))) + kHalfPi; break;
    case Fn::Arcsec:
    case Fn::Arccosec:
      // arcsec x = arccos(1/x) and arccosec x = arcsin(1/x), in the arctangent form of the
      // other inverse functions; the classic formulas with sign terms were off by up to pi.
      out.value = std::atan(Quotient(out, SignD(x), std::sqrt(x * x - 1)));
      if (fn == Fn::Arcsec) out.value = kHalfPi - out.value;
      break;
    case Fn::Arccotan: out.value = kHalfPi - std::atan(x); break;  // arccot 1 is pi/4
    case Fn::Sinh: out.value = Quotient(out, e - eNeg, 2); break;
    case Fn::Cosh: out.value = Quotient(out, e + eNeg, 2); break;
    case Fn::Tanh: out.value = Quotient(out, e - eNeg, e + eNeg); break;
    case Fn::Sech: out.value = Quotient(out, 2, e + eNeg); break;
    case Fn::Cosech: out.value = Quotient(out, 2, e - eNeg); break;
    case Fn::Cotanh: out.value = Quotient(out, e + eNeg, e - eNeg); break;
    case Fn::Arctanh: out.value = std::log(Quotient(out, 1 + x, 1 - x)) / 2; break;
    case Fn::Arcsinh: out.value = std::log(x + std::sqrt(x * x + 1)); break;
    case Fn::Arccosh: out.value = std::log(x + std::sqrt(x * x - 1)); break;
    case Fn::Arcsech: out.value = std::log(Quotient(out, std::sqrt(1 - x * x) + 1, x)); break;
    case Fn::Arccosech:
      out.value = std::log(Quotient(out, SignD(x) * std::sqrt(x * x + 1) + 1, x));
      break;
    case Fn::Arccotanh: out.value = std::log(Quotient(out, x + 1, x - 1)) / 2; break;
    case Fn::Pi: out.value = Widen(3.1415927f); break;
    case Fn::Rad: out.value = Widen(0.017453292f); break;
    case Fn::Deg: out.value = Widen(57.29578f); break;
    case Fn::E: out.value = Widen(2.7182817f); break;
    case Fn::Floor: out.value = Widen(std::floor(xf)); break;
    case Fn::Ceil: out.value = Widen(std::ceil(xf)); break;
    case Fn::Round: out.value = Widen(std::round(xf)); break;
    case Fn::Pow:
    case Fn::Atan2:
    case Fn::Hypot: break;  // of two arguments: Compute2
  }
  out.value = Widen(ToFloat(out.value));
}

// Double numbers: the C library's functions, and the constants to the nearest double.
[[gnu::always_inline]] inline void ComputeExact(Outcome& out, Fn fn, double x, std::minstd_rand& rng) {
  switch (fn) {
    case Fn::Abs: out.value = std::fabs(x); break;
    case Fn::Atan: out.value = std::atan(x); break;
    case Fn::Cos: out.value = std::cos(x); break;
    case Fn::Exp: out.value = std::exp(x); break;
    case Fn::Fix: out.value = x == 0.0 ? 0.0 : SignD(x) * TruncToInt32(std::fabs(x)); break;
    case Fn::Int: out.value = TruncToInt32(x); break;
    case Fn::Log: out.value = std::log(x); break;
    case Fn::Log10: out.value = std::log10(x); break;
    case Fn::Log2: out.value = std::log2(x); break;
    case Fn::Rnd: out.value = RandomInteger(x, rng); break;
    case Fn::Sgn: out.value = SignD(x); break;
    case Fn::Sin: out.value = std::sin(x); break;
    case Fn::Sqrt: out.value = std::sqrt(x); break;
    case Fn::Tan: out.value = std::tan(x); break;
    case Fn::Sec: out.value = Quotient(out, 1.0, std::cos(x)); break;
    case Fn::Cosec: out.value = Quotient(out, 1.0, std::sin(x)); break;
    case Fn::Cotan: out.value = Quotient(out, 1.0, std::tan(x)); break;
    case Fn::Arcsin: out.value = std::asin(x); break;
    case Fn::Arccos: out.value = std::acos(x); break;
    case Fn::Arcsec: out.value = std::acos(1 / x); break;
    case Fn::Arccosec: out.value = std::asin(1 / x); break;
    case Fn::Arccotan: out.value = kHalfPi - std::atan(x); break;
    case Fn::Sinh: out.value = std::sinh(x); break;
    case Fn::Cosh: out.value = std::cosh(x); break;
    case Fn::Tanh: out.value = std::tanh(x); break;
    case Fn::Sech: out.value = Quotient(out, 1.0, std::cosh(x)); break;
    case Fn::Cosech: out.value = Quotient(out, 1.0, std::sinh(x)); break;
    case Fn::Cotanh: out.value = Quotient(out, 1.0, std::tanh(x)); break;
    case Fn::Arctanh: out.value = std::atanh(x); break;
    case Fn::Arcsinh: out.value = std::asinh(x); break;
    case Fn::Arccosh: out.value = std::acosh(x); break;
    case Fn::Arcsech: out.value = std::acosh(Quotient(out, 1.0, x)); break;
    case Fn::Arccosech: out.value = std::asinh(Quotient(out, 1.0, x)); break;
    case Fn::Arccotanh: out.value = std::atanh(Quotient(out, 1.0, x)); break;
    case Fn::Pi: out.value = std::numbers::pi; break;
    case Fn::Rad: out.value = std::numbers::pi / 180; break;
    case Fn::Deg: out.value = 180 / std::numbers::pi; break;
    case Fn::E: out.value = std::numbers::e; break;
    case Fn::Floor: out.value = std::floor(x); break;
    case Fn::Ceil: out.value = std::ceil(x); break;
    case Fn::Round: out.value = std::round(x); break;
    case Fn::Pow:
    case Fn::Atan2:
    case Fn::Hypot: break;  // of two arguments: Compute2
  }
}

// The functions whose value outgrows a double long before their argument does.
constexpr bool Grows(Fn fn) { return fn == Fn::Exp || fn == Fn::Sinh || fn == Fn::Cosh; }

[[gnu::always_inline]] inline void Compute(Outcome& out, Fn fn, bool exact, double x, std::minstd_rand& rng) {
  CheckDomain(out, fn, x, exact ? x : Widen(ToFloat(x)));
  if (exact) {
    ComputeExact(out, fn, x, rng);
    // An infinity at a finite argument is a pole, unless the function grows that large.
    out.pole = std::isinf(out.value) && std::isfinite(x) && !Grows(fn);
  } else {
    ComputeClassic(out, fn, x, rng);
    // Single precision has always reported every negative infinity, and only that.
    out.pole = std::isinf(out.value) && out.value < 0;
  }
}

// pow is the "^" operator under another name; atan2 and hypot compute as the other functions do.
double Compute2(Fn fn, bool exact, double a, double b) {
  if (fn == Fn::Pow) return Power(a, b, exact);
  if (exact) return fn == Fn::Atan2 ? std::atan2(a, b) : std::hypot(a, b);
  const float af = ToFloat(a);
  const float bf = ToFloat(b);
  return Widen(fn == Fn::Atan2 ? std::atan2(af, bf) : std::hypot(af, bf));
}

// A value CallBuiltin would report instead of returning.
bool Failed(const Outcome& out) { return out.check != nullptr || out.pole; }

// The lanes of one function in one precision.
template <Fn fn, bool exact>
void ValuesOf(double* values, char* failed, std::size_t n) {
  std::minstd_rand unused;  // rnd is never computed here
  for (std::size_t i = 0; i < n; ++i) {
    Outcome out;
    Compute(out, fn, exact, values[i], unused);
    if (Failed(out)) failed[i] = 1;
    else values[i] = out.value;
  }
}

template <Fn fn, bool exact>
double ValueOrNaN(double x) {
  std::minstd_rand unused;  // rnd is never computed here
  Outcome out;
  Compute(out, fn, exact, x, unused);
  return Failed(out) ? std::numeric_limits<double>::quiet_NaN() : out.value;
}

template <bool exact, std::size_t... Fns>
constexpr auto ValuesTable(std::index_sequence<Fns...>) {
  return std::array<BuiltinLanes, sizeof...(Fns)>{&ValuesOf<static_cast<Fn>(Fns), exact>...};
}
template <bool exact, std::size_t... Fns>
constexpr auto ScalarTable(std::index_sequence<Fns...>) {
  return std::array<BuiltinScalar, sizeof...(Fns)>{&ValueOrNaN<static_cast<Fn>(Fns), exact>...};
}

// Indexed by Fn.
constexpr auto kClassicValuesOf = ValuesTable<false>(std::make_index_sequence<kFunctionCount>{});
constexpr auto kExactValuesOf = ValuesTable<true>(std::make_index_sequence<kFunctionCount>{});
constexpr auto kClassicScalars = ScalarTable<false>(std::make_index_sequence<kFunctionCount>{});
constexpr auto kExactScalars = ScalarTable<true>(std::make_index_sequence<kFunctionCount>{});

}  // namespace

int BuiltinIndex(std::u16string_view lowerName, const FormulaSettings& settings) {
  auto it = std::ranges::lower_bound(kBuiltins, lowerName, {}, &Builtin::name);
  if (it == kBuiltins.end() || it->name != lowerName || (it->programmer && !settings.programmer())) return -1;
  return static_cast<int>(it - kBuiltins.begin()) + (settings.exact() ? kRows : 0);
}

int BuiltinArguments(int index) { return index >= 0 && TakesTwo(Resolve(index).fn) ? 2 : 1; }

void ReportUndefinedFunction(Core& core) {
  if (!core.state.ok()) return;
  core.state.Fail(EvalError::UndefinedFunction);
  ReportEvalError(core, site::kUndefinedFunction,
                  u"Undefined Function = " + ElementText(core.cursor) + u"\r\n");
}

double e_function(Core& core, std::u16string_view name, double x) {
  return CallBuiltin(core, BuiltinIndex(ToLower(name), core.settings), x);
}

bool IsRandomBuiltin(int index) { return index >= 0 && Resolve(index).fn == Fn::Rnd; }

std::optional<double> BuiltinValue(int index, double x) {
  const Resolved builtin = Resolve(index);
  Outcome out;
  std::minstd_rand unused;  // rnd is never computed here
  Compute(out, builtin.fn, builtin.exact, x, unused);
  if (Failed(out)) return std::nullopt;
  return out.value;
}

double BuiltinValue2(int index, double a, double b) {
  const Resolved builtin = Resolve(index);
  return Compute2(builtin.fn, builtin.exact, a, b);
}

BuiltinLanes BuiltinLanesOf(int index) {
  const Resolved builtin = Resolve(index);
  const auto fn = static_cast<std::size_t>(builtin.fn);
  return builtin.exact ? kExactValuesOf[fn] : kClassicValuesOf[fn];
}

BuiltinForCode BuiltinForCodeOf(BuiltinLanes lanes) {
  for (std::size_t fn = 0; fn < kFunctionCount; ++fn) {
    if (lanes == kClassicValuesOf[fn]) return {kClassicScalars[fn], BuiltinInstruction::None};
    if (lanes != kExactValuesOf[fn]) continue;
    const auto instruction = static_cast<Fn>(fn) == Fn::Abs    ? BuiltinInstruction::Abs
                             : static_cast<Fn>(fn) == Fn::Sqrt ? BuiltinInstruction::Sqrt
                                                               : BuiltinInstruction::None;
    return {kExactScalars[fn], instruction};
  }
  return {nullptr, BuiltinInstruction::None};
}

double CallBuiltin(Core& core, int index, double x) {
  if (!core.state.ok()) return 0.0;
  if (index < 0) {
    ReportUndefinedFunction(core);
    return 0.0;
  }
  const Resolved builtin = Resolve(index);
  Outcome out;
  Compute(out, builtin.fn, builtin.exact, x, core.random);
  if (out.check != nullptr) {
    core.state.Fail(EvalError::InvalidArgument);
    // Classic numbers report the argument as the single-precision routines saw it.
    const double seen = builtin.exact ? x : Widen(ToFloat(x));
    std::u16string message = u"Invalid Argument = " + FormatFixed(seen);
    if (!out.part.empty()) message += std::u16string(out.part) + FormatFixed(out.partValue);
    ReportEvalError(core, *out.check, message + u"\r\n");
  } else if (out.pole) {
    core.state.Fail(EvalError::InvalidArgument);
    ReportEvalError(core, site::kInfiniteQuotient,
                    u"Invalid Argument: Numerator= " + FormatFixed(out.numerator) +
                        u", Denominator= " + FormatFixed(out.denominator) + u"\r\n");
  }
  return out.value;
}

double CallBuiltin2(Core& core, int index, double a, double b) {
  if (!core.state.ok()) return 0.0;
  return BuiltinValue2(index, a, b);
}

}  // namespace engine
