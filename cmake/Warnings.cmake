# SPDX-License-Identifier: MIT
# One interface target carries the warning flags, so every target gets the same set.
add_library(morvane_warnings INTERFACE)
target_compile_options(morvane_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wconversion -Wdouble-promotion -Wnon-virtual-dtor
  $<$<BOOL:${MORVANE_WERROR}>:-Werror>)
