# Read by cpack: Debian packages hold the paths the build was configured with,
# and the tool has its simulator folder compiled in, so they need the prefix
# /usr.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_PACKAGING_INSTALL_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "Debian packages need a build configured with "
                      "-DCMAKE_INSTALL_PREFIX=/usr (this one: ${CPACK_PACKAGING_INSTALL_PREFIX})")
endif()
