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

/* ---- Matrix store ----
 * Matrices are blocks of doubles given by address with their rows and cols. The store only
 * records callers' blocks and never frees them. Matrices the library makes (from text, or as
 * results of formulas) belong to the library: a formula's matrix result stays valid until the
 * next evaluation, "[mResult]" (set by de_eval) and matrices set from text until they are
 * replaced or cleared. Callers' arrays are read in the element order set by the aElemOrder
 * family (column-major after aElemOrderSt("VB")); the library's own matrices are row-major. */

/* Adds or updates a named matrix; returns its list position, or its address with returnAddr. */
MORVANE_API intptr_t MORVANE_CALL SetMatrix(const char16_t* name, double* addr, int32_t rows,
                                            int32_t cols, uint8_t returnAddr);
/* Finds by name (flags 0x20) or by decimal address text (0x08); returns the address (0x01) or
 * the live position (0x02) and the dimensions, or 0 with error 14. */
MORVANE_API intptr_t MORVANE_CALL FindMatrix(const char16_t* key, int32_t flags, int32_t* rows,
                                             int32_t* cols, uint8_t report);
/* "name;rows;cols;e11;e12;..." (row by row); evaluate != 0 reads elements as formulas.
 * Returns as SetMatrix, or an error code (11, 12, 13 or the formula's). */
MORVANE_API intptr_t MORVANE_CALL SetStrMatrix(const char16_t* text, uint8_t returnAddr, uint8_t evaluate);
/* Listing of every stored matrix (elements too with showElements). */
MORVANE_API const char16_t* MORVANE_CALL GetMatrixList(uint8_t showElements);
/* keep 0 removes every record; else the internal ones other than the matrix at keep. */
MORVANE_API int32_t MORVANE_CALL ClearMatrixList(intptr_t keep);
/* Copies rows x cols elements of source into destination through the element order; 15 for a
 * null address, 5 for dimensions below 1. */
MORVANE_API int32_t MORVANE_CALL GetMatrixByLong(const double* source, double* destination,
                                                 int32_t rows, int32_t cols);
/* Copies rows x cols elements, converting a column-major source to row-major when set so. */
MORVANE_API int32_t MORVANE_CALL aCopyArray(const double* source, double* destination, int32_t rows, int32_t cols);
/* Plain copies of rows x cols elements. */
MORVANE_API int32_t MORVANE_CALL aCopy(const double* source, int32_t rows, int32_t cols, double* destination);
MORVANE_API int32_t MORVANE_CALL aDupl(const double* source, int32_t rows, int32_t cols, double* destination);
/* Do nothing; return 0. */
MORVANE_API int32_t MORVANE_CALL aCombine(void);
MORVANE_API int32_t MORVANE_CALL aInsert(void);
MORVANE_API int32_t MORVANE_CALL aSub(void);
/* Element order of callers' arrays: -1 undecided, 0 row-major, 1 column-major. aElemOrder reads a
 * 2 x 2 probe holding 1, 2, 3, 4; aElemOrderSt takes "VB" or "Visual Basic" for column-major;
 * aElemOrderEx selector 0 probe, 2 set from the int at address, 3 get. */
MORVANE_API int32_t MORVANE_CALL aElemOrder(const double* probe);
MORVANE_API int32_t MORVANE_CALL aElemOrderEx(const void* address, int32_t selector);
MORVANE_API int32_t MORVANE_CALL aElemOrderGet(void);
MORVANE_API int32_t MORVANE_CALL aElemOrderSet(int32_t order);
MORVANE_API int32_t MORVANE_CALL aElemOrderSt(const char16_t* language);
/* Text of a matrix: mode "MsgBox" (or empty) shows it, "Debug" logs it, "String"/"File" only
 * return it; format "0.00" gives two decimals (4 by default); separator defaults to a tab. */
MORVANE_API const char16_t* MORVANE_CALL aPrint(const double* a, int32_t rows, int32_t cols,
                                                const char16_t* mode, const char16_t* format,
                                                const char16_t* title, const char16_t* separator);
/* aPrint into buffer, cut to the text it holds; 1 without a buffer, 10 when both are empty. */
MORVANE_API int32_t MORVANE_CALL aPrintEx(const double* a, int32_t rows, int32_t cols,
                                          const char16_t* mode, const char16_t* format,
                                          const char16_t* title, const char16_t* separator,
                                          char16_t* buffer);
MORVANE_API const char16_t* MORVANE_CALL aShow(const double* a, int32_t rows, int32_t cols);
MORVANE_API const char16_t* MORVANE_CALL aShowByLong(const double* a, int32_t rows, int32_t cols);

/* ---- Matrix algebra ----
 * -1 on success, else a code (5 orders not valid, 6 not square, 7 singular, 10 wrong rank,
 * 12 fit rank, 13 no solution, 14 wrong swap index, 15 no matrix); nothing is written on
 * failure. Singularity is decided on the determinant (|det| below 1e-12 counts as 0). Up to
 * order 8 inverses use the adjugate and systems Cramer's rule; above order 8 both use Gaussian
 * elimination with partial pivoting (LU), O(n^3). */

MORVANE_API int32_t MORVANE_CALL aDet(const double* a, int32_t n, double* det);
MORVANE_API double MORVANE_CALL aDetN(const double* a, int32_t n);
/* In place. */
MORVANE_API int32_t MORVANE_CALL aInv(double* a, int32_t n);
/* Solves a x = b. */
MORVANE_API int32_t MORVANE_CALL aSist(const double* a, int32_t n, const double* b, double* x);
/* In place: the elimination's pivots on the diagonal, zeros elsewhere. */
MORVANE_API int32_t MORVANE_CALL aDiag(double* a, int32_t n);
/* -1 when singular, else 0. */
MORVANE_API int32_t MORVANE_CALL aMatrIsSing(const double* a, int32_t n);
/* result (r1 x c2) = a (r1 x c1) * b (r2 x c2); 10 when c1 != r2. */
MORVANE_API int32_t MORVANE_CALL aMultEx(const double* a, int32_t r1, int32_t c1, const double* b,
                                         int32_t r2, int32_t c2, double* result);
/* result = a * b, all n x n. */
MORVANE_API int32_t MORVANE_CALL aMultSq(const double* a, const double* b, int32_t n, double* result);
/* result (rows) = a (rows x cols) * v (cols). */
MORVANE_API int32_t MORVANE_CALL aMultVect(const double* a, int32_t rows, int32_t cols, const double* v, double* result);
/* result (n) = a (n x n) * v (n). */
MORVANE_API int32_t MORVANE_CALL aMultVectSq(const double* a, const double* v, int32_t n, double* result);
/* result = a^exponent (exponent >= 0; 0 gives the unit matrix). */
MORVANE_API int32_t MORVANE_CALL aPow(const double* a, int32_t n, int32_t exponent, double* result);
/* result = a * inverse(b), all n x n; the inverse's code when b is singular. */
MORVANE_API int32_t MORVANE_CALL aDiv(const double* a, const double* b, int32_t n, double* result);
/* result = a + b / a - b, element by element through the element order. */
MORVANE_API int32_t MORVANE_CALL aSum(const double* a, int32_t rows, int32_t cols, const double* b, double* result);
MORVANE_API int32_t MORVANE_CALL aDiff(const double* a, int32_t rows, int32_t cols, const double* b, double* result);
/* The same on raw memory, element k with element k, whatever the element order. */
MORVANE_API int32_t MORVANE_CALL aSumMem(const double* a, int32_t rows, int32_t cols, const double* b, double* result);
MORVANE_API int32_t MORVANE_CALL aDiffMem(const double* a, int32_t rows, int32_t cols, const double* b, double* result);
/* In place: add / multiply every element by scalar; negate every element. */
MORVANE_API int32_t MORVANE_CALL aSumScal(double* a, int32_t rows, int32_t cols, double scalar);
MORVANE_API int32_t MORVANE_CALL aProdScal(double* a, int32_t rows, int32_t cols, double scalar);
MORVANE_API int32_t MORVANE_CALL aOpp(double* a, int32_t rows, int32_t cols);
/* Transposes: in place (cols x rows written over a), into result, or an n x n one in place. */
MORVANE_API int32_t MORVANE_CALL aTrasp(double* a, int32_t rows, int32_t cols);
MORVANE_API int32_t MORVANE_CALL aTraspEx(const double* a, int32_t rows, int32_t cols, double* result);
MORVANE_API int32_t MORVANE_CALL aTraspSq(double* a, int32_t n);
MORVANE_API int32_t MORVANE_CALL aTrace(const double* a, int32_t n, double* trace);
MORVANE_API double MORVANE_CALL aTraceN(const double* a, int32_t n);
/* Euclidean norm of n elements. */
MORVANE_API int32_t MORVANE_CALL aVectMod(const double* v, int32_t n, double* norm);
MORVANE_API int32_t MORVANE_CALL aMatrMod(const double* a, int32_t n, double* norm);
/* Tests: -1 true, 0 false. Zero: every element is 0. Unit: a = I. Ortog: a * transpose(a) = I.
 * AreOrtog: a * b = I. AreEquals: every |a - b| <= tolerance. (Unit tests allow 1e-12.) */
MORVANE_API int32_t MORVANE_CALL aMatrIsZero(const double* a, int32_t n);
MORVANE_API int32_t MORVANE_CALL aMatrIsUnit(const double* a, int32_t n);
MORVANE_API int32_t MORVANE_CALL aMatrIsOrtog(const double* a, int32_t n);
MORVANE_API int32_t MORVANE_CALL aMatrAreOrtog(const double* a, const double* b, int32_t n);
MORVANE_API int32_t MORVANE_CALL aMatrAreEquals(const double* a, const double* b, int32_t rows,
                                                int32_t cols, double tolerance);
/* Exchanges two blocks of rows x cols elements. */
MORVANE_API int32_t MORVANE_CALL aSwap(double* a, int32_t rows, int32_t cols, double* b);
/* selector != 0 exchanges rows index1 and index2 (1-based), 0 exchanges columns. */
MORVANE_API int32_t MORVANE_CALL aSwapRC(double* a, int32_t rows, int32_t cols, int32_t selector,
                                         int32_t index1, int32_t index2);
/* Least squares: m coefficients of y = sum c_j x^j through n points (2 x n: x row, y row). */
MORVANE_API int32_t MORVANE_CALL aCalcCoeffPolin(const double* points, int32_t n, int32_t m, double* coeffs);
/* Least squares with a design matrix (n x m) and ordinates (n). */
MORVANE_API int32_t MORVANE_CALL aCalcVectCoeff(const double* design, int32_t n, int32_t m,
                                                const double* y, double* coeffs);
/* *y = sum of c_j * x^j. */
MORVANE_API int32_t MORVANE_CALL aGetYPolin(const double* x, const double* coeffs, int32_t m, double* y);
/* Solves c0 + c1 x + c2 x^2 = y for m = 1, 2 or 3 coefficients; 13 without a solution. */
MORVANE_API int32_t MORVANE_CALL aGetXsOfQuadr(const double* y, const double* coeffs, int32_t m,
                                               double* x1, double* x2);

/* ---- Symbolic differentiation ---- */

/* Differentiates formula in variable. The derivative is copied into buffer, at most as many
 * characters as the blanks the caller filled it with, plus a terminator; size is not read.
 * Returns the derivative's full length (call again with a larger buffer when it exceeds the
 * room), or 0 on failure with GetE_Error 6 (does not parse), 7 (empty) or 8 (division by a
 * constant zero). */
MORVANE_API int32_t MORVANE_CALL e_diff(const char16_t* formula, const char16_t* variable,
                                        char16_t* buffer, int32_t size);
/* 0 no error, 1 the last e_diff failed, 7 its formula was empty. */
MORVANE_API int32_t MORVANE_CALL GetLast_diffErr(void);
/* Trace of e_diff: 0 off, 1 lines appended to file ("Derive.Log" when empty), 2 a message box
 * per line, 3 counted only. Returns the switch. */
MORVANE_API int32_t MORVANE_CALL SetDiffLogF(uint8_t mode, const char16_t* file);
/* The help text of constants, operators and functions, copied into buffer under the
 * pre-filled rule; returns its length plus 1. */
MORVANE_API int32_t MORVANE_CALL GetDiff_OperAndFuncs(char16_t* buffer);

/* ---- Integration, solvers, polynomial derivative, integer functions ---- */

/* Integrates formula over variable from a to b in n subintervals: method 0 midpoint, 1
 * trapezoidal, 2 Simpson (n even). The variable is replaced as a whole identifier in any case.
 * Writes the integral to result and returns 0, or the code of the first sample that failed
 * (the sum stops there); 5 without result, 13 for n < 1, bounds that are not finite or an
 * empty variable, 19 for another method, 22 for Simpson with an odd n. */
MORVANE_API int32_t MORVANE_CALL Integrate(const char16_t* formula, double a, double b, int32_t n,
                                           int32_t method, const char16_t* variable, double* result);
/* Integrate's integral as a double (0 when it failed before summing). */
MORVANE_API double MORVANE_CALL dIntegrate(const char16_t* formula, double a, double b, int32_t n,
                                           int32_t method, const char16_t* variable);
/* *result = y1 + (x - x1) / (x2 - x1) * (y2 - y1); returns 0. */
MORVANE_API int32_t MORVANE_CALL InterpLin(const double* x, const double* x1, const double* x2,
                                           const double* y1, const double* y2, double* result);
/* Does nothing; returns 0. */
MORVANE_API int32_t MORVANE_CALL IntBezier2D(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                                             int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);
/* Start value of the Newton solvers: from 0, moving right while |f| falls, stopping where
 * |f| <= 3 (at most 200 rounds; 0 becomes 1). */
MORVANE_API double MORVANE_CALL dPolySolve(const char16_t* formula, const char16_t* variable);
/* dPolySolve into result; 5 without one. Returns the current error. */
MORVANE_API int32_t MORVANE_CALL NewtSolve(const char16_t* formula, const char16_t* variable, double* result);
/* A root: 20 Newton steps with the polynomial derivative. The variable keeps the last x tried. */
MORVANE_API double MORVANE_CALL dSolve(const char16_t* formula, const char16_t* variable);
/* The same with the symbolic derivative; -1 when it cannot be formed, else the current error. */
MORVANE_API int32_t MORVANE_CALL SolveD(const char16_t* formula, const char16_t* variable, double* result);
/* Text variants: the start after at most maxRounds rounds, and the root after steps (>= 1)
 * Newton steps. */
MORVANE_API const char16_t* MORVANE_CALL sPolyNewt(const char16_t* formula, const char16_t* variable,
                                                   int32_t maxRounds);
MORVANE_API const char16_t* MORVANE_CALL sSolve(const char16_t* formula, const char16_t* variable, int32_t steps);
/* Derivative of a polynomial text ("3x^2-4x+7" gives "6*x - 4"); lPoly_dydx puts it in the
 * batch result text (GetEvalResult) and returns its length. */
MORVANE_API const char16_t* MORVANE_CALL Poly_dydx(const char16_t* formula, const char16_t* variable);
MORVANE_API int32_t MORVANE_CALL lPoly_dydx(const char16_t* formula, const char16_t* variable);
/* Greatest common factor and least common multiple (LCM(0, 0) is 0). */
MORVANE_API int32_t MORVANE_CALL GCF(int32_t a, int32_t b);
MORVANE_API int32_t MORVANE_CALL LCM(int32_t a, int32_t b);
/* -1 when n is prime, else 0. */
MORVANE_API int32_t MORVANE_CALL IsPrime(int32_t n);
/* The smallest odd divisor of n from 3 up, or -1. */
MORVANE_API int32_t MORVANE_CALL lIsPrime(int32_t n);
/* n! (1 for n < 2, infinite from 171). */
MORVANE_API double MORVANE_CALL fact(int32_t n);
/* Returns 0. */
MORVANE_API double MORVANE_CALL fact_inv(void);

/* ---- Batch runs ---- */

/* Runs one batch command line of "/"-separated options (/i file, /o [file], /a [file],
 * /sel:'script', /gclp, /sclp, /lns:x;y;, /lc:n, /dec:n, /log[:file], /noh, /nln, /nt, /rset,
 * /h, /sf, /sm, ...): gathers the script, runs it and delivers the output. Returns commands
 * executed x 1000 + errors; the output text is then read with GetEvalResult. */
MORVANE_API int32_t MORVANE_CALL ulvEvalMain(const char16_t* commandLine);
/* Moves the run text (the script before a run, its output after it) to or from a file:
 * 6 loads the input file of the last command line, 1 the same with the interactive failure
 * text, 2 "ShowCmds.ulv" from the library's folder, 4 a script chosen in the open dialog (it
 * becomes the input file); 7 saves to the output file of the last command line, 8 to a file
 * chosen in the save dialog. Linux has no dialogs: 4 and 8 act as cancelled. Returns -1, -2
 * (cannot read, or an encoding that is refused), -3 (cannot write), -4 (dialog cancelled) or
 * -5 (no such mode). */
MORVANE_API int32_t MORVANE_CALL LoadSaveFile(int32_t mode);
/* The library's version text. */
MORVANE_API const char16_t* MORVANE_CALL DisplayVerInfo(void);

/* ---- Hosts without the editor's plug-in interface ---- */

/* Process attach and detach: the evaluator's state flags (error, result type, nesting) and the
 * element order go back to their start values. Return 1. */
MORVANE_API int32_t MORVANE_CALL ulvAttachProcess(void);
MORVANE_API int32_t MORVANE_CALL ulvDetachProcess(void);
/* Thread attach suppresses the element-order conversion of aCopyArray; thread detach ends
 * that. Return 1. */
MORVANE_API int32_t MORVANE_CALL ulvAttachThread(void);
MORVANE_API int32_t MORVANE_CALL ulvDetachThread(void);

/* ---- Number text ---- */

/* Short form of a 10-decimal number text: "2.5000000000" -> "2.5". */
MORVANE_API const char16_t* MORVANE_CALL StrD0(const char16_t* text);

#endif /* MORVANE_H */
