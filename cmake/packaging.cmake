# SPDX-License-Identifier: MIT
# Debian packages, made from the build folder with `cpack -G DEB`:
#   libvexa1      the library and the reader's udev rule
#   libvexa-dev   header, .so link, pkg-config and CMake package files
#   vexa-tool     the command-line tool and the simulator build of the library
#   python3-vexa  the Python module
#   vexa-demo     the Demo with its desktop entry and icon
#   vexa-pcsc     the PC/SC driver in pcscd's drop folder
# Their paths are those of the configured prefix, which must then be /usr.
include(cmake/follow_default.cmake)

# Who answers for the packages: a packager's own name, else the one Debian's
# tools take from the environment, else a placeholder on a reserved domain.
set(vexa_maintainer "vexa developers <vexa@example.org>")
if(DEFINED ENV{DEBFULLNAME} AND DEFINED ENV{DEBEMAIL})
  set(vexa_maintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
endif()
vexa_follow_default(VEXA_DEB_MAINTAINER "${vexa_maintainer}" STRING
                    "Maintainer of the Debian packages: Name <address>")

set(CPACK_PACKAGE_NAME vexa)
set(CPACK_PACKAGE_VENDOR "The vexa developers")
set(CPACK_PACKAGE_CONTACT "${VEXA_DEB_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/packaging_check.cmake)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development Tools Python)
if(TARGET Demo)
  list(APPEND CPACK_COMPONENTS_ALL Demo)
endif()
if(TARGET ifd_vexa)
  list(APPEND CPACK_COMPONENTS_ALL Pcsc)
endif()
# A Debian revision: the packaging has its own changelog.Debian.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(VEXA_DEB_VERSION ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The library itself is found in the build; the packages that use it depend
# on libvexa1 by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/lib)

set(vexa_runtime libvexa${PROJECT_VERSION_MAJOR})
set(vexa_same_runtime "${vexa_runtime} (= ${VEXA_DEB_VERSION})")
set(vexa_debian ${PROJECT_SOURCE_DIR}/packaging/debian)

# CPack has no field for it; dpkg reads the line like any other.
set(vexa_multiarch_same "\nMulti-Arch: same")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${vexa_runtime})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION "libs${vexa_multiarch_same}")
# shlibs and symbols let programs packaged elsewhere depend on the library;
# written here because CPack would also list the simulator build of vexa-tool.
# Each name with the release that brought it; every other came with the first.
set(vexa_names_since_1_1 IC_InitCommPath IC_ListReaders)
set(vexa_symbols "libvexa.so.${PROJECT_VERSION_MAJOR} ${vexa_runtime} #MINVER#\n\
* Build-Depends-Package: libvexa-dev\n")
foreach(name IN LISTS VEXA_EXPORTED_NAMES)
  set(since 1.0.0)
  if(name IN_LIST vexa_names_since_1_1)
    set(since 1.1.0)
  endif()
  string(APPEND vexa_symbols " ${name}@Base ${since}\n")
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/debian/symbols CONTENT "${vexa_symbols}")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/debian/shlibs
     CONTENT "libvexa ${PROJECT_VERSION_MAJOR} ${vexa_runtime} (>= ${PROJECT_VERSION})\n")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA
    ${CMAKE_BINARY_DIR}/debian/shlibs ${CMAKE_BINARY_DIR}/debian/symbols
    ${vexa_debian}/libvexa1/triggers ${vexa_debian}/libvexa1/postinst
    ${vexa_debian}/libvexa1/postrm)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "library of the Tavix USB smart-card reader\n\
The flat C API of the reader (IC_InitComm, IC_Read, ...), talking to it through\n\
HID feature reports on hidraw, and the udev rule giving the user at the seat\n\
access to the reader.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libvexa-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION "libdevel${vexa_multiarch_same}")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS ${vexa_same_runtime})
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "development files of the Tavix smart-card reader library\n\
The header vexa.h, the link to the library, its pkg-config file and its CMake\n\
package (vexa::vexa).")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME vexa-tool)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS ${vexa_same_runtime})
set(CPACK_DEBIAN_TOOLS_DESCRIPTION
    "command-line tool and simulated Tavix smart-card reader\n\
vexa-tool drives the reader from a shell. The simulator build of the library\n\
runs it, the Demo and any program using the library without a reader.")

set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-vexa)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3:any, ${vexa_runtime} (>= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_PYTHON_PACKAGE_CONTROL_EXTRA
    ${vexa_debian}/python3-vexa/postinst ${vexa_debian}/python3-vexa/prerm)
set(CPACK_DEBIAN_PYTHON_DESCRIPTION
    "Python module for the Tavix smart-card reader\n\
The module vexa uses the reader's library from Python through ctypes: a\n\
Reader object opens the reader and reads and writes memory cards, presents\n\
their codes and exchanges APDUs with CPU and SAM cards.")

set(CPACK_DEBIAN_DEMO_PACKAGE_NAME vexa-demo)
set(CPACK_DEBIAN_DEMO_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_DEMO_PACKAGE_DEPENDS "${vexa_same_runtime}, vexa-tool (= ${VEXA_DEB_VERSION})")
set(CPACK_DEBIAN_DEMO_DESCRIPTION
    "desktop program to test the Tavix smart-card reader by hand\n\
Finds the inserted card, reads it into a coloured hex and character dump and\n\
shows the reader's version; vexa-demo --sim runs it on the simulated reader.")

set(CPACK_DEBIAN_PCSC_PACKAGE_NAME vexa-pcsc)
set(CPACK_DEBIAN_PCSC_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PCSC_PACKAGE_DEPENDS ${vexa_same_runtime})
set(CPACK_DEBIAN_PCSC_PACKAGE_ENHANCES pcscd)
set(CPACK_DEBIAN_PCSC_DESCRIPTION
    "PC/SC driver of the Tavix smart-card reader\n\
An IFD handler that lets pcscd serve the reader to every PC/SC application:\n\
CPU cards by their APDUs, memory cards through class-FF pseudo-APDUs. Restart\n\
pcscd after installing it.")

# Each package's copyright and changelog.Debian.gz in its doc folder.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE vexa_license)
string(REGEX REPLACE "^MIT License\n\nCopyright[^\n]*\n\n" "" vexa_license "${vexa_license}")
string(REGEX REPLACE "\n$" "" vexa_license "${vexa_license}")
string(REGEX REPLACE "\n\n" "\n.\n" vexa_license "${vexa_license}")
string(REPLACE "\n" "\n " VEXA_LICENSE_PARAGRAPH " ${vexa_license}")
configure_file(${vexa_debian}/copyright.in ${CMAKE_BINARY_DIR}/debian/copyright @ONLY)
configure_file(${vexa_debian}/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog.Debian @ONLY)
vexa_gzip(${CMAKE_BINARY_DIR}/debian/changelog.Debian
          ${CMAKE_BINARY_DIR}/debian/gz/changelog.Debian.gz)
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
  string(TOUPPER ${component} upper)
  set(package ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  install(FILES ${CMAKE_BINARY_DIR}/debian/copyright
                ${CMAKE_BINARY_DIR}/debian/gz/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()

include(CPack)
