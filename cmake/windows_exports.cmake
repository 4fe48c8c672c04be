# SPDX-License-Identifier: MIT
# The DLL exports exactly the functions vexa.h declares, under their plain
# names. On 32-bit x86 they are stdcall, which the compiler decorates as
# _IC_ReadVer@8 (@ the bytes of arguments); the linker's .def maps each
# decorated function to its plain export name, and fails to link when the
# byte count here and the compiled function disagree.
#
#   vexa.def        linker input (GNU syntax)
#   vexa-msvc.def   for MSVC users: lib /def:vexa-msvc.def /machine:x86 (or x64)
set(VEXA_PUBLIC_HEADER ${PROJECT_SOURCE_DIR}/vexa/include/vexa.h)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY
             CMAKE_CONFIGURE_DEPENDS ${VEXA_PUBLIC_HEADER})

file(READ ${VEXA_PUBLIC_HEADER} vexa_header)
string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" "" vexa_header "${vexa_header}")
string(REGEX MATCHALL "\nVEXA_API[^;(]*\\([^)]*\\)" vexa_declarations "${vexa_header}")

set(vexa_gnu_exports "")
set(vexa_msvc_exports "")
foreach(declaration IN LISTS vexa_declarations)
  if(NOT declaration MATCHES "([A-Za-z_][A-Za-z0-9_]*)[ \t\r\n]*\\(([^)]*)\\)$")
    message(FATAL_ERROR "cannot read the declaration: ${declaration}")
  endif()
  set(name ${CMAKE_MATCH_1})
  string(STRIP "${CMAKE_MATCH_2}" parameters)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # Every argument takes a 32-bit slot.
    set(slots 0)
    if(NOT parameters STREQUAL "" AND NOT parameters STREQUAL "void")
      string(REGEX REPLACE "[^,]" "" commas "${parameters}")
      string(LENGTH "${commas}" slots)
      math(EXPR slots "${slots} + 1")
    endif()
    math(EXPR bytes "${slots} * 4")
    string(APPEND vexa_gnu_exports "  ${name}@${bytes}\n")
    string(APPEND vexa_msvc_exports "  ${name}@${bytes}\n")
  else()
    string(APPEND vexa_gnu_exports "  ${name}\n")
    string(APPEND vexa_msvc_exports "  ${name}\n")
  endif()
endforeach()

set(VEXA_DEF ${CMAKE_BINARY_DIR}/vexa.def)
set(VEXA_MSVC_DEF ${CMAKE_BINARY_DIR}/vexa-msvc.def)
file(CONFIGURE OUTPUT ${VEXA_DEF} CONTENT "LIBRARY vexa.dll\nEXPORTS\n${vexa_gnu_exports}")
file(CONFIGURE OUTPUT ${VEXA_MSVC_DEF} CONTENT "LIBRARY vexa.dll\nEXPORTS\n${vexa_msvc_exports}")

function(vexa_export_declared_only target)
  target_sources(${target} PRIVATE ${VEXA_DEF})
  # The loader finds a name by binary search, so the export table must be
  # sorted by the plain names: the DLL is linked with the decorations killed,
  # and its import library made again to map each decorated name that callers
  # link against to the plain export.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE -Wl,--kill-at)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${VEXA_DEF} --dllname vexa.dll
              --output-lib $<TARGET_LINKER_FILE:${target}>)
  endif()
endfunction()
