# SPDX-License-Identifier: MIT
# Read by cpack: Debian packages hold the paths the build was configured with,
# and the tool has its simulator folder compiled in, so they need the prefix
# /usr.
if(CPACK_GENERATOR STREQUAL "DEB")
  if(NOT CPACK_PACKAGING_INSTALL_PREFIX STREQUAL "/usr")
    message(FATAL_ERROR "Debian packages need a build configured with "
                        "-DCMAKE_INSTALL_PREFIX=/usr (this one: ${CPACK_PACKAGING_INSTALL_PREFIX})")
  endif()
  # CPack would put the project's one-line summary in front of each package's
  # own, and every package would show the same synopsis.
  unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
endif()
