# SPDX-License-Identifier: MIT
# Runs while installing (see InstallLayout.cmake): writes morvane.pc for the prefix being
# installed to and installs it beside the library. Folders given relative to the prefix are
# written relative to ${prefix}, as pkg-config files usually are.
set(prefix "${CMAKE_INSTALL_PREFIX}")
foreach(dir LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE "${MORVANE_${dir}}")
    set(pc_${dir} "${MORVANE_${dir}}")
  else()
    set(pc_${dir} "\${prefix}/${MORVANE_${dir}}")
  endif()
endforeach()
configure_file("${MORVANE_PC_TEMPLATE}" "${MORVANE_PC_OUTPUT}" @ONLY)
string(REPLACE "\${prefix}" "${prefix}" pc_folder "${pc_LIBDIR}/pkgconfig")
file(INSTALL "${MORVANE_PC_OUTPUT}" DESTINATION "${pc_folder}")
