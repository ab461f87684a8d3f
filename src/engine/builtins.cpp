// SPDX-License-Identifier: MIT
// Every function takes its argument as a 32-bit float and rounds its result to one, so results
// carry about seven significant digits: callers have long relied on exactly these values.
#include "engine/builtins.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <utility>

#include "engine_core/core.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace engine {
namespace {

enum class Fn {
  Abs, Atan, Cos, Exp, Fix, Int, Log, Log10, Rnd, Sgn, Sin, Sqrt, Tan, Sec, Cosec, Cotan,
  Arcsin, Arccos, Arcsec, Arccosec, Arccotan, Sinh, Cosh, Tanh, Sech, Cosech, Cotanh,
  Arctanh, Arcsinh, Arccosh, Arcsech, Arccosech, Arccotanh, Pi, Rad, Deg, E,
};
constexpr std::size_t kFunctionCount = static_cast<std::size_t>(Fn::E) + 1;

struct Builtin {
  std::u16string_view name;
  Fn fn;
};

// Sorted by name for binary search.
constexpr std::array kBuiltins = {
    Builtin{u"#deg", Fn::Deg},         Builtin{u"#e", Fn::E},
    Builtin{u"#pi", Fn::Pi},           Builtin{u"#rad", Fn::Rad},
    Builtin{u"#to_deg", Fn::Deg},      Builtin{u"#to_rad", Fn::Rad},
    Builtin{u"abs", Fn::Abs},          Builtin{u"arccos", Fn::Arccos},
    Builtin{u"arccosec", Fn::Arccosec}, Builtin{u"arccosech", Fn::Arccosech},
    Builtin{u"arccosh", Fn::Arccosh},  Builtin{u"arccotan", Fn::Arccotan},
    Builtin{u"arccotanh", Fn::Arccotanh}, Builtin{u"arcsec", Fn::Arcsec},
    Builtin{u"arcsech", Fn::Arcsech},  Builtin{u"arcsin", Fn::Arcsin},
    Builtin{u"arcsinh", Fn::Arcsinh},  Builtin{u"arctanh", Fn::Arctanh},
    Builtin{u"atan", Fn::Atan},        Builtin{u"atn", Fn::Atan},
    Builtin{u"cos", Fn::Cos},          Builtin{u"cosec", Fn::Cosec},
    Builtin{u"cosech", Fn::Cosech},    Builtin{u"cosh", Fn::Cosh},
    Builtin{u"cotan", Fn::Cotan},      Builtin{u"cotanh", Fn::Cotanh},
    Builtin{u"deg", Fn::Deg},          Builtin{u"exp", Fn::Exp},
    Builtin{u"fix", Fn::Fix},          Builtin{u"int", Fn::Int},
    Builtin{u"ln", Fn::Log},           Builtin{u"log", Fn::Log},
    Builtin{u"log10", Fn::Log10},      Builtin{u"rad", Fn::Rad},
    Builtin{u"rnd", Fn::Rnd},          Builtin{u"sec", Fn::Sec},
    Builtin{u"sech", Fn::Sech},        Builtin{u"sgn", Fn::Sgn},
    Builtin{u"sin", Fn::Sin},          Builtin{u"sinh", Fn::Sinh},
    Builtin{u"sqr", Fn::Sqrt},         Builtin{u"sqrt", Fn::Sqrt},
    Builtin{u"tan", Fn::Tan},          Builtin{u"tanh", Fn::Tanh},
    Builtin{u"to_deg", Fn::Deg},       Builtin{u"to_rad", Fn::Rad},
};
static_assert(std::ranges::is_sorted(kBuiltins, {}, &Builtin::name));


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
};

double Quotient(Outcome& out, double numerator, double denominator) {
  out.numerator = numerator;
  out.denominator = denominator;
  return numerator / denominator;
}

// Always inline, so that where fn is a constant only its own case is left.
[[gnu::always_inline]] inline void Compute(Outcome& out, Fn fn, float xf, std::minstd_rand& rng) {
  const double x = Widen(xf);
  const double e = fn >= Fn::Sinh ? ExpE(x) : 0.0;
  const double eNeg = fn >= Fn::Sinh ? ExpE(-x) : 0.0;
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
    case Fn::Log:
      out.value = Widen(std::log(xf));
      if (xf < 0) out.check = &site::kLogDomain;
      break;
    case Fn::Log10:
      out.value = Widen(std::log10(xf));
      if (xf < 0) out.check = &site::kLog10Domain;
      break;
    case Fn::Rnd: {
      std::int32_t n = TruncToInt32(std::nearbyint(x));
      std::uniform_int_distribution<std::int32_t> pick(std::min(0, n), std::max(0, n));
      out.value = pick(rng);
      break;
    }
    case Fn::Sgn: out.value = SignD(x); break;
    case Fn::Sin: out.value = Widen(std::sin(xf)); break;
    case Fn::Sqrt:
      out.value = Widen(std::sqrt(xf));
      if (xf < 0) out.check = &site::kSqrtDomain;
      break;
    case Fn::Tan: out.value = Widen(std::tan(xf)); break;
    case Fn::Sec: out.value = Quotient(out, 1.0, std::cos(x)); break;
    case Fn::Cosec: out.value = Quotient(out, 1.0, std::sin(x)); break;
    case Fn::Cotan: out.value = Quotient(out, 1.0, std::tan(x)); break;
    case Fn::Arcsin:
      if (1 - x * x <= 0) {
        out.check = &site::kArcsinDomain;
        out.part = u" and (-arg^2 + 1) => ";
        out.partValue = 1 - x * x;
      }
      out.value = std::atan(Quotient(out, x, std::sqrt(1 - x * x)));
      break;
    case Fn::Arccos:
      if (1 - x * x <= 0) {
        out.check = &site::kArccosDomain;
        out.part = u" and (-arg^2 + 1) => ";
        out.partValue = x * x - 1;
      }
      out.value = -std::atan(Quotient(out, x, std::sqrt(1 - x * x))) + kHalfPi;
      break;
    case Fn::Arcsec:
    case Fn::Arccosec:
      if (x * x - 1 <= 0) {
        out.check = fn == Fn::Arcsec ? &site::kArcsecDomain : &site::kArccosecDomain;
        out.part = u" and (arg^2 - 1) => ";
        out.partValue = x * x - 1;
      }
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
  }
  out.value = Widen(ToFloat(out.value));
}

}  // namespace

int BuiltinIndex(std::u16string_view lowerName) {
  auto it = std::ranges::lower_bound(kBuiltins, lowerName, {}, &Builtin::name);
  if (it == kBuiltins.end() || it->name != lowerName) return -1;
  return static_cast<int>(it - kBuiltins.begin());
}

void ReportUndefinedFunction(Core& core) {
  if (!core.state.ok()) return;
  core.state.Fail(EvalError::UndefinedFunction);
  ReportEvalError(core, site::kUndefinedFunction,
                  u"Undefined Function = " + ElementText(core.state) + u"\r\n");
}

double e_function(Core& core, std::u16string_view name, double x) {
  return CallBuiltin(core, BuiltinIndex(ToLower(name)), x);
}

bool IsRandomBuiltin(int index) {
  return index >= 0 && kBuiltins[static_cast<std::size_t>(index)].fn == Fn::Rnd;
}

namespace {

// A value CallBuiltin would report instead of returning.
bool Failed(const Outcome& out) { return out.check != nullptr || (std::isinf(out.value) && out.value < 0); }

}  // namespace

std::optional<double> BuiltinValue(int index, double x) {
  Outcome out;
  std::minstd_rand unused;  // rnd is never computed here
  Compute(out, kBuiltins[static_cast<std::size_t>(index)].fn, ToFloat(x), unused);
  if (Failed(out)) return std::nullopt;
  return out.value;
}

namespace {

// BuiltinValues of one function, which no value needs to choose again.
template <Fn fn>
void ValuesOf(std::span<double> values, std::span<char> failed) {
  std::minstd_rand unused;  // rnd is never computed here
  for (std::size_t i = 0; i < values.size(); ++i) {
    Outcome out;
    Compute(out, fn, ToFloat(values[i]), unused);
    if (Failed(out)) failed[i] = 1;
    else values[i] = out.value;
  }
}

template <std::size_t... Fns>
constexpr auto ValuesTable(std::index_sequence<Fns...>) {
  return std::array{&ValuesOf<static_cast<Fn>(Fns)>...};
}

// Indexed by Fn.
constexpr auto kValuesOf = ValuesTable(std::make_index_sequence<kFunctionCount>{});

}  // namespace

void BuiltinValues(int index, std::span<double> values, std::span<char> failed) {
  kValuesOf[static_cast<std::size_t>(kBuiltins[static_cast<std::size_t>(index)].fn)](values, failed);
}

double CallBuiltin(Core& core, int index, double x) {
  if (!core.state.ok()) return 0.0;
  if (index < 0) {
    ReportUndefinedFunction(core);
    return 0.0;
  }
  const Builtin* builtin = &kBuiltins[static_cast<std::size_t>(index)];
  Outcome out;
  // Arguments beyond float range become infinite, as the single-precision routines see them.
  const float xf = ToFloat(x);
  Compute(out, builtin->fn, xf, core.state.rng);
  if (out.check != nullptr) {
    core.state.Fail(EvalError::InvalidArgument);
    std::u16string message = u"Invalid Argument = " + FormatFixed(Widen(xf));
    if (!out.part.empty()) message += std::u16string(out.part) + FormatFixed(out.partValue);
    ReportEvalError(core, *out.check, message + u"\r\n");
  } else if (std::isinf(out.value) && out.value < 0) {
    core.state.Fail(EvalError::InvalidArgument);
    ReportEvalError(core, site::kInfiniteQuotient,
                    u"Invalid Argument: Numerator= " + FormatFixed(out.numerator) +
                        u", Denominator= " + FormatFixed(out.denominator) + u"\r\n");
  }
  return out.value;
}

}  // namespace engine
