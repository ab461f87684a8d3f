# SPDX-License-Identifier: MIT
# python_wheel: the Python package with the library inside, as
# python/dist/morvane-<version>-py3-none-<platform>.whl in the build folder. Not built by
# default: it needs Debian's python3-setuptools and python3-wheel, which the main job lacks.
add_custom_target(python_wheel
  COMMAND ${PROJECT_SOURCE_DIR}/python/build-wheel.sh $<TARGET_FILE:morvane> $<TARGET_SONAME_FILE_NAME:morvane>
          ${CMAKE_BINARY_DIR}/python
  DEPENDS morvane
  COMMENT "Building the Python wheel with the library inside"
  VERBATIM)
