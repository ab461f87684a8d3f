/* SPDX-License-Identifier: MIT */
/*
 * Vuza Reduzodod: the interface for programs, in UTF-8 and with contexts.
 *
 * A context holds everything its evaluations share: variables, user functions, matrices and
 * settings. Contexts are independent of each other and of the process-wide state the functions
 * of morvane.h work on, so threads may each use a context of their own at the same time. One
 * context must not be used from two threads at once; doing so may corrupt that context (never
 * another one). The one exception is morvane_cancel, meant to be called from another thread.
 *
 * Text in is zero-terminated UTF-8. Text out belongs to the context and stays valid until the
 * context's next call or its end. Positions count characters (code points) from 0.
 *
 * On 32-bit Windows the functions are __stdcall, as every function of the library.
 *
 * Every function that can fail returns MORVANE_OK (0) or an error code, and fills *error when
 * error is not null. Nothing thrown or crashed in the library escapes to the caller.
 *
 * A context has two settings (morvane_options), fixed when it is made:
 * - numbers: MORVANE_NUMBERS_DOUBLE (the default) holds IEEE doubles end to end: a value set,
 *   bound or passed keeps every bit and reads back exactly, built-ins are the C library's
 *   functions in double precision, constants are the nearest doubles, literals take an exponent
 *   ("1e5", "2.5E-3") and texts (derivatives) write the shortest digits that read back to the
 *   same double. MORVANE_NUMBERS_CLASSIC gives the numbers of the process-wide functions of
 *   morvane.h: values rounded to 10 decimals as they enter a formula, built-ins in single
 *   precision, no exponents.
 * - spelling: MORVANE_SPELLING_PROGRAMMER (the default) reads "." as the decimal point and ","
 *   between arguments (";" too), gives 1 for a true comparison, accepts "==", "!=", "&&" and "||"
 *   beside "=", "<>", "and" and "or", and has the plain names asin acos atan sinh cosh tanh asinh
 *   acosh atanh pow(x, y) atan2(y, x) floor ceil round log10 log2 hypot(x, y) beside the
 *   library's own. MORVANE_SPELLING_CLASSIC reads "," as a decimal point too, takes ";" between
 *   arguments and gives -1 for a true comparison.
 * In every setting "log" and "ln" are the natural logarithm, and a result too large for a
 * double is MORVANE_ERROR_OVERFLOW (classic numbers return a negative infinity, as the
 * process-wide functions always have). A function at a pole (log(0), atanh(1)) or outside its
 * domain (sqrt(-1), asin(2)) is MORVANE_ERROR_INVALID_ARGUMENT; a result that is not a number
 * (acosh(0.5), (-8)^0.5) is NaN, as the C library gives it.
 */
#ifndef MORVANE_API_H
#define MORVANE_API_H

#include <stddef.h>

#include "morvane.h" /* the library's linkage: MORVANE_EXPORT and MORVANE_CALL */

#ifdef __cplusplus
extern "C" {
#endif

typedef struct morvane_context morvane_context;
typedef struct morvane_formula morvane_formula;

/* Error codes. The evaluator's errors keep the numbers of the library's error table: its code
 * c (as e_eval returns it) is 30 + c here; the matrix functions' code c is 1 + c. Codes from 90
 * are this interface's own. */
enum morvane_code {
  MORVANE_OK = 0,
  MORVANE_ERROR_UNDEFINED = 30,            /* an internal failure */
  MORVANE_ERROR_SYNTAX = 32,               /* the text does not read as a formula */
  MORVANE_ERROR_PARSER_SYNTAX = 33,
  MORVANE_ERROR_UNDEFINED_FUNCTION = 34,
  MORVANE_ERROR_NO_VALUE = 35,             /* no result: no root, no derivative */
  MORVANE_ERROR_TOKEN = 36,                /* a bracket or a separator where it cannot stand */
  MORVANE_ERROR_NOT_FOUND = 37,            /* no variable or function of that name */
  MORVANE_ERROR_DIVISION_BY_ZERO = 38,
  MORVANE_ERROR_NOT_INTEGER = 39,
  MORVANE_ERROR_INVALID_ARGUMENT = 43,     /* outside a function's domain, a bad name or count */
  MORVANE_ERROR_MATRIX_NOT_FOUND = 44,
  MORVANE_ERROR_UNDEFINED_VARIABLE = 46,   /* a name that is neither variable nor constant */
  MORVANE_ERROR_OVERFLOW = 49,             /* a result too large for a double */
  MORVANE_ERROR_CANCELLED = 56,            /* stopped by morvane_cancel */
  MORVANE_ERROR_NULL_ARGUMENT = 90,        /* a pointer that must not be null was */
  MORVANE_ERROR_INVALID_UTF8 = 91,
  MORVANE_ERROR_CONTEXT_FREED = 92,        /* the formula's context was freed */
  MORVANE_ERROR_UNBOUND_VARIABLE = 93,     /* a formula's variable has neither value nor binding */
  MORVANE_ERROR_NOT_A_NUMBER = 94,         /* the result is a matrix */
  MORVANE_ERROR_NOT_CONVERGED = 95,        /* the solver ended away from a root */
  MORVANE_ERROR_OUT_OF_MEMORY = 96
};

typedef struct morvane_error {
  int code;          /* MORVANE_OK or an error code */
  int position;      /* the character of the text where the error was found, -1 when none */
  int byte_offset;   /* the same place in bytes, -1 when none */
  char message[256]; /* UTF-8, zero-terminated, shortened at a character boundary if need be */
} morvane_error;

/* A context's numbers and spelling; see the top of this header. */
enum morvane_numbers { MORVANE_NUMBERS_DOUBLE = 0, MORVANE_NUMBERS_CLASSIC = 1 };
enum morvane_spelling { MORVANE_SPELLING_PROGRAMMER = 0, MORVANE_SPELLING_CLASSIC = 1 };

/* Zero-initialised options are the defaults: double numbers, programmer spelling. */
typedef struct morvane_options {
  int numbers;  /* a morvane_numbers */
  int spelling; /* a morvane_spelling */
} morvane_options;

/* Integration rules. */
enum morvane_rule { MORVANE_MIDPOINT = 0, MORVANE_TRAPEZOID = 1, MORVANE_SIMPSON = 2 };

/* The library's version, "major.minor.patch". */
MORVANE_EXPORT const char* MORVANE_CALL morvane_version(void);

/* A new, empty context with double numbers and the programmer spelling; null when memory runs
 * out. */
MORVANE_EXPORT morvane_context* MORVANE_CALL morvane_context_new(void);
/* A new, empty context with options (null: the defaults); null when memory runs out or an
 * option is none of its values. */
MORVANE_EXPORT morvane_context* MORVANE_CALL morvane_context_new_with(const morvane_options* options);
/* Ends a context; its formulas stay to be freed and fail with MORVANE_ERROR_CONTEXT_FREED.
 * Null is allowed. */
MORVANE_EXPORT void MORVANE_CALL morvane_context_free(morvane_context* context);
/* Stops what the context is doing now: an integration, a root search or an evaluation at many
 * points ends soon after (within a few milliseconds) with MORVANE_ERROR_CANCELLED. Safe to call
 * from any thread while the context is in use, and when it is idle; a call on the context that
 * starts afterwards is not cancelled. Null is allowed. */
MORVANE_EXPORT void MORVANE_CALL morvane_cancel(morvane_context* context);
/* Forgets every variable, function and matrix of the context. */
MORVANE_EXPORT int MORVANE_CALL morvane_reset(morvane_context* context, morvane_error* error);

/* The value of text, e.g. "2*sin(pi/4)" or "&FF + !1010" (hexadecimal and binary). */
MORVANE_EXPORT int MORVANE_CALL morvane_eval(morvane_context* context, const char* text, double* value,
                                morvane_error* error);

/* Variables, and user functions written in terms of other names, e.g. "f" = "x^2+1" (used as
 * "f*2"). Names are a letter or "_" followed by letters, digits and "_", in any case. Values
 * must be finite. */
MORVANE_EXPORT int MORVANE_CALL morvane_set_variable(morvane_context* context, const char* name, double value,
                                        morvane_error* error);
MORVANE_EXPORT int MORVANE_CALL morvane_get_variable(morvane_context* context, const char* name, double* value,
                                        morvane_error* error);
MORVANE_EXPORT int MORVANE_CALL morvane_set_function(morvane_context* context, const char* name,
                                        const char* body, morvane_error* error);
/* The function's body in *body (the context's text). */
MORVANE_EXPORT int MORVANE_CALL morvane_get_function(morvane_context* context, const char* name,
                                        const char** body, morvane_error* error);

/* The derivative of formula in variable, as text in *derivative (the context's text). */
MORVANE_EXPORT int MORVANE_CALL morvane_diff(morvane_context* context, const char* formula, const char* variable,
                                const char** derivative, morvane_error* error);
/* The integral of formula over variable from a to b by rule, in n subintervals. */
MORVANE_EXPORT int MORVANE_CALL morvane_integrate(morvane_context* context, const char* formula,
                                     const char* variable, double a, double b, int n, int rule,
                                     double* integral, morvane_error* error);
/* A root of formula = 0 in variable: a coarse search from 0, then Newton steps on the symbolic
 * derivative. MORVANE_ERROR_NOT_CONVERGED when the steps end where formula does not change
 * sign. The variable keeps the last value tried. */
MORVANE_EXPORT int MORVANE_CALL morvane_solve(morvane_context* context, const char* formula, const char* variable,
                                 double* root, morvane_error* error);

/* Compiles text with the listed variables as its parameters, count of them: it reads them as
 * morvane_eval reads variables of those names (user functions that name them see them too), so
 * it accepts exactly the texts morvane_eval accepts and gives the same numbers. Other names are
 * read from the context now: later changes to them are not seen. */
MORVANE_EXPORT morvane_formula* MORVANE_CALL morvane_compile(morvane_context* context, const char* text,
                                                const char* const* variables, size_t count,
                                                morvane_error* error);
/* Gives a parameter a value; it replaces a binding. Values must be finite when evaluated. */
MORVANE_EXPORT int MORVANE_CALL morvane_formula_set(morvane_formula* formula, const char* name, double value,
                                       morvane_error* error);
/* Binds a parameter to a caller's double, read at each evaluation; null leaves the parameter
 * without a value and fails. */
MORVANE_EXPORT int MORVANE_CALL morvane_formula_bind(morvane_formula* formula, const char* name,
                                        const double* address, morvane_error* error);
/* The formula's value with its parameters' current values. */
MORVANE_EXPORT int MORVANE_CALL morvane_formula_eval(morvane_formula* formula, double* value,
                                        morvane_error* error);
/* The formula at n points, bit for bit what n calls of morvane_formula_eval give: inputs[k]
 * holds the n values of variable k, in the order given to morvane_compile, and results
 * receives the n values. The caller gives n: every array must hold at least n doubles (the
 * library cannot tell a shorter one). The formula's own values and bindings are neither used
 * nor changed. On a failure the results before the failing point are written, error says why
 * as morvane_formula_eval would at that point, and *failed_at (when not null) receives the
 * point's index; it receives n when every point succeeds. n = 0 succeeds and writes nothing. */
MORVANE_EXPORT int MORVANE_CALL morvane_formula_eval_array(morvane_formula* formula, const double* const* inputs,
                                              size_t n, double* results, size_t* failed_at,
                                              morvane_error* error);
/* Null is allowed. */
MORVANE_EXPORT void MORVANE_CALL morvane_formula_free(morvane_formula* formula);

#ifdef __cplusplus
}
#endif

#endif /* MORVANE_API_H */
