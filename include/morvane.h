/* SPDX-License-Identifier: MIT */
/*
 * Vuza Reduzodod: the numerical library's C interface.
 *
 * Text is zero-terminated UTF-16 (wchar_t on Windows has the same layout). Texts returned as
 * pointers belong to the library and stay valid until the next call of the same function.
 * Caller buffers are never written past the length of the text they already hold (the
 * "pre-filled length"), nor past an explicit size when one is passed; a terminator is written
 * only inside that room.
 *
 * Errors: evaluator functions leave a code in the current error (GetE_Error); -1 means none.
 * No function lets an exception or a crash escape; an internal failure reports code 0.
 */
#ifndef MORVANE_H
#define MORVANE_H

#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

#if defined(_WIN32)
#define MORVANE_EXPORT __declspec(dllexport)
#else
#define MORVANE_EXPORT __attribute__((visibility("default")))
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define MORVANE_CALL __stdcall
#else
#define MORVANE_CALL
#endif

#ifdef __cplusplus
#define MORVANE_API extern "C" MORVANE_EXPORT
#else
#define MORVANE_API MORVANE_EXPORT
#endif

/* ---- Evaluation ---- */

/* Evaluates expr. Returns the error code, or the result type (0 number, 1 matrix) with the
 * value written to *result. checkFuncs != 0: first refuse (code 1) user functions whose names
 * occur in other definitions. */
MORVANE_API int32_t MORVANE_CALL e_eval(const char16_t* expr, double* result, int32_t checkFuncs);
/* Evaluates expr and returns the value; on failure the error code as a double (see GetE_Error). */
MORVANE_API double MORVANE_CALL de_eval(const char16_t* expr, int32_t checkFuncs);
/* Tabulates expr over variable var from x0 to x1 in n steps: xs and ys receive n + 1 values,
 * stats[1..4] min x, min y, max x, max y (stats[0] is 0). Returns -1 or the last point's code. */
MORVANE_API int32_t MORVANE_CALL e_evals(const char16_t* expr, double x0, const char16_t* var,
                                         double x1, int32_t n, double* xs, double* ys,
                                         double* stats);
/* size 0: length of the last batch result text; else copies it into buffer (pre-filled rule)
 * and returns the number of characters copied. */
MORVANE_API int32_t MORVANE_CALL GetEvalResult(char16_t* buffer, int32_t size);
/* Type of the last result: 0 number, 1 matrix, -1 none. */
MORVANE_API int32_t MORVANE_CALL GetResultType(void);
/* Value of a true comparison: 1 or -1 (default); other values are ignored. Returns 0. */
MORVANE_API int32_t MORVANE_CALL SetBoolSign(int32_t sign);
/* Clears variables, functions, matrices and the error log. Returns 0. */
MORVANE_API int32_t MORVANE_CALL ReSetEqParser(void);
/* 1 and the value of a named constant (pi, e, deg, rad, 2pi, with or without "#"), else 0. */
MORVANE_API int32_t MORVANE_CALL e_get_const(const char16_t* name, double* value);

/* ---- Variables and user functions ---- */

/* Sets a variable (isFunction 0) or a parameterless user function; returns the entry count.
 * Names with "=", ";" or inner blanks are refused with code 13. */
MORVANE_API int32_t MORVANE_CALL SetVarFunct(const char16_t* name, const char16_t* value,
                                             int32_t isFunction);
/* 21 when found (value gets the variable's value or the function text's length, buffer, when
 * not null, the function text under the pre-filled rule), else 0 with code 7. */
MORVANE_API int32_t MORVANE_CALL FindVarFunct(const char16_t* name, int32_t isFunction,
                                              double* value, char16_t* buffer);
/* Copies at most size characters of the list text ("vars" or functions) into buffer. */
MORVANE_API int32_t MORVANE_CALL GetVarFuncList(char16_t* buffer, int32_t size,
                                                const char16_t* kind);
MORVANE_API int32_t MORVANE_CALL GetVarFuncListLen(const char16_t* kind);
/* "vars" empties the variables, anything else the functions. Returns 1. */
MORVANE_API int32_t MORVANE_CALL ClearVarFuncList(const char16_t* kind);

/* ---- Errors, messages and debug output ---- */

MORVANE_API int32_t MORVANE_CALL GetE_Error(void);
MORVANE_API int32_t MORVANE_CALL SetE_Error(int32_t code);
/* Description of code (-99: the current error); extended != 0 appends " | " and the log. */
MORVANE_API const char16_t* MORVANE_CALL GetE_ErrDescr(int32_t code, uint8_t extended);
/* Text of a batch status code (-2 to -9). */
MORVANE_API const char16_t* MORVANE_CALL GetStErrDescr(int32_t code);
/* Copies at most size characters of the error message log; returns its size in bytes.
 * show != 0 also shows it, offering to copy it to the clipboard. */
MORVANE_API int32_t MORVANE_CALL GetErrorMsgs(char16_t* buffer, int32_t size, uint8_t show);
/* Appends a report to the error message log; returns the log's length. */
MORVANE_API int32_t MORVANE_CALL SetErrorMsgs(const char16_t* procedure, int32_t number,
                                              const char16_t* message);
/* Stores a flag; returns the previous one. */
MORVANE_API int32_t MORVANE_CALL SetErrorMsgsF(int32_t flag);
/* Bit 0: parser syntax errors also go to the debug output; 2 also sets the debug flags to 1. */
MORVANE_API int32_t MORVANE_CALL ShowMsgs(int32_t flag);
/* Debug flags (1 suppressed, 2 message boxes, 4 debug log); returns the previous value. */
MORVANE_API int32_t MORVANE_CALL SetDebugF(int32_t flags);
/* As GetErrorMsgs, for the debug log. */
MORVANE_API int32_t MORVANE_CALL GetDebugLog(char16_t* buffer, int32_t size, uint8_t show);

/* ---- Number text ---- */

/* Short form of a 10-decimal number text: "2.5000000000" -> "2.5". */
MORVANE_API const char16_t* MORVANE_CALL StrD0(const char16_t* text);

#endif /* MORVANE_H */
