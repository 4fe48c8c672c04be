# SPDX-License-Identifier: MIT
# Installs the production library, its header, pkg-config and CMake package
# files, the command-line tool, the Python module and the udev rule. The
# components are the Debian packages cmake/packaging.cmake makes.
include(CMakePackageConfigHelpers)
include(cmake/follow_default.cmake)

# vexa_gzip(SOURCE OUTPUT.gz): SOURCE compressed at build time, the same
# bytes on every build (no name, no time stamp in it).
function(vexa_gzip source output)
  get_filename_component(name ${output} NAME)
  string(REGEX REPLACE "\\.gz$" "" plain ${output})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
    COMMAND gzip -9nf ${plain}
    DEPENDS ${source} VERBATIM)
  string(MAKE_C_IDENTIFIER "gzip_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

set(VEXA_UDEV_RULES_DIR "lib/udev/rules.d"
    CACHE STRING "Where the udev rule for the reader goes (relative: under the prefix)")
set(VEXA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/vexa)

# Debian's python3 finds modules of the system in lib/python3/dist-packages and
# local ones in lib/python3.X/dist-packages.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(vexa_python_dir lib/python3/dist-packages)
else()
  if(EXISTS /usr/bin/python3 AND NOT Python3_EXECUTABLE)
    set(Python3_EXECUTABLE /usr/bin/python3)
  endif()
  find_package(Python3 COMPONENTS Interpreter)
  if(Python3_FOUND)
    set(vexa_python_dir lib/python3.${Python3_VERSION_MINOR}/dist-packages)
  else()
    set(vexa_python_dir lib/python3/dist-packages)
  endif()
endif()
vexa_follow_default(VEXA_PYTHON_DIR ${vexa_python_dir} STRING
                    "Where the Python module goes (relative: under the prefix)")

install(TARGETS vexa EXPORT vexaTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        COMPONENT Runtime NAMELINK_COMPONENT Development)
install(FILES vexa/include/vexa.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Development)
install(EXPORT vexaTargets NAMESPACE vexa:: DESTINATION ${VEXA_CMAKE_DIR} COMPONENT Development)

configure_package_config_file(cmake/vexaConfig.cmake.in
  ${CMAKE_BINARY_DIR}/vexaConfig.cmake INSTALL_DESTINATION ${VEXA_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/vexaConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/vexaConfig.cmake ${CMAKE_BINARY_DIR}/vexaConfigVersion.cmake
        DESTINATION ${VEXA_CMAKE_DIR} COMPONENT Development)

# The configured prefix, as distributions expect; a tree installed elsewhere
# is used with `pkg-config --define-variable=prefix=DIR`.
configure_file(packaging/vexa.pc.in ${CMAKE_BINARY_DIR}/vexa.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/vexa.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
        COMPONENT Development)

# Every program using the library needs the reader's device node.
install(FILES packaging/70-vexa-reader.rules DESTINATION ${VEXA_UDEV_RULES_DIR}
        COMPONENT Runtime)

if(TARGET vexa-tool)
  install(TARGETS vexa-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Tools)
endif()

# The simulator build, for running programs without a reader:
#   LD_LIBRARY_PATH=<libdir>/vexa/simulated ./program
install(TARGETS vexa_simulated
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/vexa/simulated NAMELINK_SKIP
        COMPONENT Tools)

install(FILES python/vexa.py DESTINATION ${VEXA_PYTHON_DIR} COMPONENT Python)

# Manual pages, compressed as man reads them everywhere.
function(vexa_install_manual page component)
  get_filename_component(name ${page} NAME)
  vexa_gzip(${page} ${CMAKE_BINARY_DIR}/man/${name}.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/${name}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
          COMPONENT ${component})
endfunction()

if(TARGET vexa-tool)
  vexa_install_manual(${PROJECT_SOURCE_DIR}/docs/man/vexa-tool.1 Tools)
endif()
