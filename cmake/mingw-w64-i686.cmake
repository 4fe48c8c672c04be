# SPDX-License-Identifier: MIT
# Windows, 32-bit x86 (the platform of most programs written for this API).
set(VEXA_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
