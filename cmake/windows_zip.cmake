# SPDX-License-Identifier: MIT
# The Windows zip, one per architecture, made from the build folder with
# `cpack -G ZIP`: vexa.dll, the simulated reader's vexa.dll and vexa-tool.exe,
# the header, the import library, the export list for MSVC, the licence and a
# short readme.
install(TARGETS vexa RUNTIME DESTINATION . ARCHIVE DESTINATION lib)
install(TARGETS vexa_simulated RUNTIME DESTINATION simulated)
install(TARGETS vexa-tool RUNTIME DESTINATION .)
install(PROGRAMS $<TARGET_FILE:vexa-tool> DESTINATION simulated)
install(FILES vexa/include/vexa.h DESTINATION include)
install(FILES ${VEXA_MSVC_DEF} DESTINATION lib RENAME vexa.def)
install(FILES LICENSE packaging/windows/README.txt DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(vexa_windows_arch win32)
else()
  set(vexa_windows_arch win64)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME vexa)
set(CPACK_PACKAGE_VENDOR "vexa developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME vexa-${PROJECT_VERSION}-${vexa_windows_arch})
set(CPACK_STRIP_FILES ON)
include(CPack)
