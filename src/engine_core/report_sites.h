// SPDX-License-Identifier: MIT
// Every place that reports an error, by name. A report's first line reads
// "Procedure : '<procedure> (Line: <line>)'": those names and numbers are the ones the error log
// has always shown, and callers that parse the log look for them, so they stay as they are
// even where the procedure has another name in this code.
#pragma once

#include <cstdint>
#include <string_view>

namespace engine {

struct ReportSite {
  std::u16string_view procedure;
  std::int32_t line = 0;
};

namespace site {

// Formulas: reading, expanding and evaluating them.
inline constexpr ReportSite kParser{u"e_prs", 0};
inline constexpr ReportSite kTokenMatch{u"e_match", 1546};
inline constexpr ReportSite kEval{u"e_eval", 0};
inline constexpr ReportSite kDEvalLeftover{u"de_eval", 1010};
inline constexpr ReportSite kTabulation{u"e_evals", 0};
inline constexpr ReportSite kFunctionExpansion{u"ReplaceFunctions", 0};
inline constexpr ReportSite kAmbiguousFunction{u"CheckFunctions", 223};
inline constexpr ReportSite kMalformedNumber{u"e_nxt", 0};
inline constexpr ReportSite kOverflow{u"e_eval", 0};
// "/" of two numbers was once decided by the matrix arithmetic, and its reports still say so.
inline constexpr ReportSite kNumberDivision{u"CalcMatrixDivMult", 0};

// Built-in functions: an unknown name, and the argument checks of each.
inline constexpr ReportSite kUndefinedFunction{u"e_function", 1376};
inline constexpr ReportSite kLogDomain{u"e_function", 1301};
inline constexpr ReportSite kLog10Domain{u"e_function", 1305};
inline constexpr ReportSite kSqrtDomain{u"e_function", 1320};
inline constexpr ReportSite kArcsinDomain{u"e_function", 1340};
inline constexpr ReportSite kArccosDomain{u"e_function", 1345};
inline constexpr ReportSite kArcsecDomain{u"e_function", 1350};
inline constexpr ReportSite kArccosecDomain{u"e_function", 1355};
inline constexpr ReportSite kInfiniteQuotient{u"e_function", 1391};

// Variables and user functions.
inline constexpr ReportSite kInvalidName{u"SetVarFunct", 0};
inline constexpr ReportSite kVariableNotFound{u"FindVarFunctD", 460};
inline constexpr ReportSite kFunctionNotFound{u"FindVarFunctD", 485};

// Matrices: the store.
inline constexpr ReportSite kMatrixNotFound{u"FindMatrix", 393};
inline constexpr ReportSite kMatrixTextEmpty{u"SetStrMatrix", 886};
inline constexpr ReportSite kMatrixTextHeader{u"SetStrMatrix", 836};
inline constexpr ReportSite kMatrixTextElements{u"SetStrMatrix", 859};
inline constexpr ReportSite kMatrixByLongUndefined{u"GetMatrixByLong", 536};
inline constexpr ReportSite kMatrixByLongOrders{u"GetMatrixByLong", 543};

// Matrices: operands and arithmetic.
inline constexpr ReportSite kMatrixOperand{u"e_prs", 0};
inline constexpr ReportSite kMatrixPower{u"CalcMatrixDivMult", 2466};
inline constexpr ReportSite kMatrixProductOrders{u"CalcMatrixDivMult", 2510};
inline constexpr ReportSite kMatrixProductOperands{u"CalcMatrixDivMult", 2543};
inline constexpr ReportSite kMatrixByZero{u"CalcMatrixDivMult", 2572};
inline constexpr ReportSite kMatrixQuotientOrders{u"CalcMatrixDivMult", 2602};
inline constexpr ReportSite kMatrixDivisorSingular{u"CalcMatrixDivMult", 2631};
inline constexpr ReportSite kNumberByMatrixSingular{u"CalcMatrixDivMult", 2663};
inline constexpr ReportSite kMatrixQuotientOperands{u"CalcMatrixDivMult", 2675};
inline constexpr ReportSite kMatrixSum{u"CalcMatrixSumSubt", 2409};

// Matrices: the functions det, trace, syst and vcoeff.
inline constexpr ReportSite kSquareFunction{u"CalcMatrFunct", 2172};
inline constexpr ReportSite kSystem{u"CalcMatrFunct", 2213};
inline constexpr ReportSite kSystemArguments{u"CalcMatrFunct", 2220};
inline constexpr ReportSite kFit{u"CalcMatrFunct", 2273};
inline constexpr ReportSite kFitArguments{u"CalcMatrFunct", 2280};
inline constexpr ReportSite kMatrixFunctionName{u"CalcMatrFunct", 2311};

// Integration and the script's matrix results.
inline constexpr ReportSite kIntegrate{u"Integrate", 0};
inline constexpr ReportSite kScriptMatrixResult{u"sEval", 304};

}  // namespace site
}  // namespace engine
