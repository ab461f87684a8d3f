# SPDX-License-Identifier: MIT
# One interface target carries the warning flags, so every target gets the same set.
add_library(morvane_warnings INTERFACE)
target_compile_options(morvane_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wconversion -Wdouble-promotion -Wnon-virtual-dtor
  # GCC 12 reports std::u16string assignments as overlapping copies at -O3 (a false positive
  # of its own string inlining), so that one check stays off for GCC.
  $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>
  $<$<BOOL:${MORVANE_WERROR}>:-Werror>)
