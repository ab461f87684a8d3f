/* SPDX-License-Identifier: MIT */
/* A program that uses the installed library: one formula through morvane.h. */
#include <stdio.h>
#include <uchar.h>

#include <morvane.h>

int main(void) {
  double value = 0;
  const int32_t type = e_eval(u"1+2*3", &value, 0);
  if (type != 0 || value != 7) {
    printf("FAILED: e_eval(1+2*3) gave %d and %g\n", (int)type, value);
    return 1;
  }
  printf("1+2*3 = %g\n", value);
  return 0;
}
