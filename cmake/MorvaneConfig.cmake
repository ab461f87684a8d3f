# SPDX-License-Identifier: MIT
# find_package(Morvane): the imported target Morvane::morvane, the shared library with the
# folder of morvane.h as its include directory.
include("${CMAKE_CURRENT_LIST_DIR}/MorvaneTargets.cmake")
