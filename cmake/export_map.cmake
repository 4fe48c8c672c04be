# SPDX-License-Identifier: MIT
# The shared library exports exactly the functions vexa.h declares. Template
# code instantiated from the standard library keeps default visibility and
# would otherwise leak out under C++ names; a linker version script listing the
# declared names keeps everything else local.
set(VEXA_PUBLIC_HEADER ${PROJECT_SOURCE_DIR}/vexa/include/vexa.h)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY
             CMAKE_CONFIGURE_DEPENDS ${VEXA_PUBLIC_HEADER})

file(STRINGS ${VEXA_PUBLIC_HEADER} vexa_declarations REGEX "^VEXA_API")
set(vexa_globals "")
# The names, also for the Debian symbols file.
set(VEXA_EXPORTED_NAMES "")
foreach(declaration IN LISTS vexa_declarations)
  if(declaration MATCHES "^VEXA_API[^(]*[ *]([A-Za-z_][A-Za-z0-9_]*)\\(")
    string(APPEND vexa_globals "    ${CMAKE_MATCH_1};\n")
    list(APPEND VEXA_EXPORTED_NAMES ${CMAKE_MATCH_1})
  endif()
endforeach()
set(VEXA_EXPORT_MAP ${CMAKE_BINARY_DIR}/vexa.map)
file(CONFIGURE OUTPUT ${VEXA_EXPORT_MAP}
     CONTENT "{\n  global:\n${vexa_globals}  local: *;\n};\n")

function(vexa_export_declared_only target)
  target_link_options(${target} PRIVATE "LINKER:--version-script=${VEXA_EXPORT_MAP}")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${VEXA_EXPORT_MAP})
endfunction()
