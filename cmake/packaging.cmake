# Debian packages, made from the build folder with `cpack -G DEB`:
#   libvexa1      the library and the reader's udev rule
#   libvexa-dev   header, .so link, pkg-config and CMake package files
#   vexa-tool     the command-line tool, the simulator build, the Python module
#   vexa-demo     the Demo with its desktop entry and icon
#   vexa-pcsc     the PC/SC driver in pcscd's drop folder
# Their paths are those of the configured prefix, which must then be /usr.
set(CPACK_PACKAGE_NAME vexa)
set(CPACK_PACKAGE_VENDOR "vexa developers")
set(CPACK_PACKAGE_CONTACT "vexa developers <dev@vexa.local>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/packaging_check.cmake)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development Tools)
if(TARGET Demo)
  list(APPEND CPACK_COMPONENTS_ALL Demo)
endif()
if(TARGET ifd_vexa)
  list(APPEND CPACK_COMPONENTS_ALL Pcsc)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The library itself is found in the build; the packages that use it depend
# on libvexa1 by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/lib)

set(vexa_runtime libvexa${PROJECT_VERSION_MAJOR})
set(vexa_same_runtime "${vexa_runtime} (= ${PROJECT_VERSION})")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${vexa_runtime})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
# The shlibs file lets programs packaged elsewhere depend on the library;
# written here because CPack would also list the simulator build of vexa-tool.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/debian/shlibs
     CONTENT "libvexa ${PROJECT_VERSION_MAJOR} ${vexa_runtime} (>= ${PROJECT_VERSION})\n")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/shlibs
    ${PROJECT_SOURCE_DIR}/packaging/debian/postinst ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "${PROJECT_DESCRIPTION}\n\
The flat C API of the reader (IC_InitComm, IC_Read, ...), talking to it through\n\
HID feature reports on hidraw, and the udev rule giving the user at the seat\n\
access to the reader.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libvexa-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS ${vexa_same_runtime})
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "Development files of the Tavix smart-card reader library\n\
The header vexa.h, the link to the library, its pkg-config file and its CMake\n\
package (vexa::vexa).")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME vexa-tool)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS ${vexa_same_runtime})
set(CPACK_DEBIAN_TOOLS_PACKAGE_SUGGESTS python3)
set(CPACK_DEBIAN_TOOLS_DESCRIPTION
    "Tools of the Tavix smart-card reader\n\
vexa-tool drives the reader from a shell; the Python module vexa uses the\n\
library from Python; the simulator build of the library runs both, and any\n\
program using the library, without a reader.")

set(CPACK_DEBIAN_DEMO_PACKAGE_NAME vexa-demo)
set(CPACK_DEBIAN_DEMO_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_DEMO_PACKAGE_DEPENDS ${vexa_same_runtime})
set(CPACK_DEBIAN_DEMO_DESCRIPTION
    "Desktop program to test the Tavix smart-card reader by hand\n\
Finds the inserted card, reads it into a coloured hex and character dump and\n\
shows the reader's version.")

set(CPACK_DEBIAN_PCSC_PACKAGE_NAME vexa-pcsc)
set(CPACK_DEBIAN_PCSC_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PCSC_PACKAGE_DEPENDS ${vexa_same_runtime})
set(CPACK_DEBIAN_PCSC_PACKAGE_ENHANCES pcscd)
set(CPACK_DEBIAN_PCSC_DESCRIPTION
    "PC/SC driver of the Tavix smart-card reader\n\
An IFD handler that lets pcscd serve the reader to every PC/SC application:\n\
CPU cards by their APDUs, memory cards through class-FF pseudo-APDUs. Restart\n\
pcscd after installing it.")

include(CPack)
