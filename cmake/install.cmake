# Installs the production library, its header, pkg-config and CMake package
# files, the command-line tool and the udev rule.
include(CMakePackageConfigHelpers)

set(VEXA_UDEV_RULES_DIR "lib/udev/rules.d"
    CACHE STRING "Where the udev rule for the reader goes (relative: under the prefix)")
set(VEXA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/vexa)

install(TARGETS vexa EXPORT vexaTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_COMPONENT Development)
install(FILES vexa/include/vexa.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT vexaTargets NAMESPACE vexa:: DESTINATION ${VEXA_CMAKE_DIR})

configure_package_config_file(cmake/vexaConfig.cmake.in
  ${CMAKE_BINARY_DIR}/vexaConfig.cmake INSTALL_DESTINATION ${VEXA_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/vexaConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/vexaConfig.cmake ${CMAKE_BINARY_DIR}/vexaConfigVersion.cmake
        DESTINATION ${VEXA_CMAKE_DIR})

# The .pc file finds its prefix from where it lies, so `cmake --install
# --prefix` anywhere gives a working file.
file(RELATIVE_PATH VEXA_PC_TO_PREFIX "/p/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/p")
configure_file(packaging/vexa.pc.in ${CMAKE_BINARY_DIR}/vexa.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/vexa.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(FILES packaging/70-vexa-reader.rules DESTINATION ${VEXA_UDEV_RULES_DIR})

if(TARGET vexa-tool)
  install(TARGETS vexa-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The simulator build, for running programs without a reader:
#   LD_LIBRARY_PATH=<libdir>/vexa/simulated ./program
install(TARGETS vexa_simulated
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/vexa/simulated NAMELINK_SKIP)

# The Python binding, where Debian's python3 looks for local modules.
install(FILES python/vexa.py DESTINATION ${CMAKE_INSTALL_LIBDIR}/python3/dist-packages)
