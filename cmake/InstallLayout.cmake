# SPDX-License-Identifier: MIT
# What `cmake --install` (and so the .deb) puts where, in the GNU directories: the library with
# its headers, pkg-config file and CMake package, the program with its manual page, and the
# examples. Linux only: the Windows DLL ships as the plug-in's zip.

# The .deb's name; Debian keeps a package's documents under share/doc/<package>.
set(MORVANE_PACKAGE_NAME vuza-reduzodod)
set(CMAKE_INSTALL_DOCDIR share/doc/${MORVANE_PACKAGE_NAME} CACHE PATH "Documentation and examples")
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(cmake_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Morvane)

install(TARGETS morvane EXPORT MorvaneTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# The whole folder, so that headers added to it are installed without editing this list.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

# find_package(Morvane) gives Morvane::morvane; any 0.x answers a request for 0.y, as the
# library's SONAME changes with the major version only.
install(EXPORT MorvaneTargets NAMESPACE Morvane:: DESTINATION ${cmake_package_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/MorvaneConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/MorvaneConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/MorvaneConfigVersion.cmake
  DESTINATION ${cmake_package_dir})

# The pkg-config file names absolute folders, and the prefix is known only when installing
# (`cmake --install --prefix DIR`, or /usr inside the .deb), so it is written then.
install(CODE "
  set(MORVANE_PC_TEMPLATE \"${CMAKE_CURRENT_LIST_DIR}/morvane.pc.in\")
  set(MORVANE_PC_OUTPUT \"${CMAKE_CURRENT_BINARY_DIR}/morvane.pc\")
  set(MORVANE_VERSION \"${PROJECT_VERSION}\")
  set(MORVANE_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(MORVANE_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/WritePkgConfig.cmake\")")

install(TARGETS ulvxnpp RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual page carries the project's version and is installed compressed, as Debian wants
# (-n: no name or time stamp inside, so that the same page gives the same bytes).
find_program(GZIP gzip REQUIRED)
set(man_page ${CMAKE_CURRENT_BINARY_DIR}/ulvxnpp.1)
configure_file(${PROJECT_SOURCE_DIR}/apps/ulvxnpp/ulvxnpp.1.in ${man_page} @ONLY)
add_custom_command(OUTPUT ${man_page}.gz
  COMMAND ${GZIP} -9 -n -f -k ${man_page}
  DEPENDS ${man_page}
  COMMENT "Compressing the manual page of ulvxnpp"
  VERBATIM)
add_custom_target(man_page ALL DEPENDS ${man_page}.gz)
install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The scripts with their expected output and the data files that files.ulv reads.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
