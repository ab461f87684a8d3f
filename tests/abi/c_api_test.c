/* SPDX-License-Identifier: MIT */
/* The public headers compile as C, and the library answers through them. */
#include <math.h>
#include <stdio.h>

#include "morvane.h"
#include "morvane/api.h"

static int failures = 0;

static void check(int condition, const char* what) {
  if (!condition) {
    printf("FAILED: %s\n", what);
    ++failures;
  }
}

int main(void) {
  static const char16_t expr[] = {'2', '*', 'p', 'i', 0};
  static const char16_t number[] = {'2', '.', '5', '0', '0', '0', 0};
  double value = 0;
  check(e_eval(expr, &value, 0) == 0, "e_eval returns type 0");
  check(fabs(value - 6.2831853072) < 1e-12, "2*pi is the 10-decimal constant doubled");
  const char16_t* shortForm = StrD0(number);
  check(shortForm[0] == '2' && shortForm[1] == '.' && shortForm[2] == '5' && shortForm[3] == 0,
        "StrD0 trims zeros");
  check(GetE_ErrDescr(8, 0)[0] == 'D', "description of code 8");

  morvane_context* context = morvane_context_new();
  morvane_error error;
  check(morvane_eval(context, "2*pi", &value, &error) == MORVANE_OK && value == 2 * 3.141592653589793,
        "morvane_eval in a context");
  check(morvane_eval(context, "1+*2", &value, &error) == MORVANE_ERROR_PARSER_SYNTAX && error.position == 2,
        "morvane_eval tells where it failed");
  morvane_context_free(context);
  const morvane_options classic = {MORVANE_NUMBERS_CLASSIC, MORVANE_SPELLING_CLASSIC};
  context = morvane_context_new_with(&classic);
  check(morvane_eval(context, "2*pi", &value, &error) == MORVANE_OK && value == 6.2831853072,
        "morvane_eval in a classic context");
  morvane_context_free(context);
  return failures == 0 ? 0 : 1;
}
