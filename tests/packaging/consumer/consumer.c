/* SPDX-License-Identifier: MIT */
/* A program that uses the installed library through both headers: one formula each way. */
#include <stdio.h>
#include <uchar.h>

#include <morvane.h>
#include <morvane/api.h>

int main(void) {
  double value = 0;
  const int32_t type = e_eval(u"1+2*3", &value, 0);
  if (type != 0 || value != 7) {
    printf("FAILED: e_eval(1+2*3) gave %d and %g\n", (int)type, value);
    return 1;
  }
  morvane_context* context = morvane_context_new();
  morvane_error error;
  double utf8Value = 0;
  const int code = morvane_eval(context, "2^10", &utf8Value, &error);
  morvane_context_free(context);
  if (code != MORVANE_OK || utf8Value != 1024) {
    printf("FAILED: morvane_eval(2^10) gave %d and %g\n", code, utf8Value);
    return 1;
  }
  printf("1+2*3 = %g, 2^10 = %g\n", value, utf8Value);
  return 0;
}
