// SPDX-License-Identifier: MIT
// Plain loops computing the public benchmark's expressions at n points, generated from its list
// at build time by loops_from_expressions.py.
#pragma once

#include <cstddef>
#include <vector>

namespace bench {

struct ExpressionLoop {
  int line;  // in the list, from 1
  const char* text;
  // out[i] = the expression with the variables a, b, c, x, y, z, w at in[0][i] .. in[6][i].
  void (*run)(const double* const* in, std::size_t n, double* out);
};

const std::vector<ExpressionLoop>& ExpressionLoops();

}  // namespace bench
