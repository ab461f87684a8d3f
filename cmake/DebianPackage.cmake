# SPDX-License-Identifier: MIT
# `cpack` (in the build folder) makes one .deb of everything that `cmake --install` installs,
# under /usr. Included after InstallLayout.cmake, whose package name it takes.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${MORVANE_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vuza Reduzodod maintainers <maintainers@users.noreply.c-seed-9f3a7fd1.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "math evaluator library (libmorvane) and its command-line program ulvxnpp")
# Lines of the long description stay below 80 characters, as Debian asks.
set(CPACK_PACKAGE_DESCRIPTION "Evaluates formulas (operators, built-in functions, variables, user functions,
matrices), does matrix algebra, symbolic differentiation, integration and
equation solving, and runs scripts of a small command language. The package
holds the shared library with its C header, pkg-config file and CMake package,
the program ulvxnpp with its manual page, and example scripts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
# Depends: from the libraries the binaries load (dpkg-shlibdeps); shlibs and the ldconfig
# trigger for the library this package ships.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# The build keeps debug information (RelWithDebInfo); the package does not need it.
set(CPACK_STRIP_FILES ON)
include(CPack)
