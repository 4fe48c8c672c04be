# SPDX-License-Identifier: MIT
# Cross-building for Windows with mingw-w64 from Debian. Not used directly:
# cmake/mingw-w64-i686.cmake and cmake/mingw-w64-x86_64.cmake set the target
# and include this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VEXA_MINGW_PROCESSOR})
set(triplet ${VEXA_MINGW_PROCESSOR}-w64-mingw32)

# The posix thread model: the win32 one has no std::mutex.
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A program or DLL copied alone to a Windows machine must run: the compiler's
# own runtime (libgcc, libstdc++, winpthread) goes inside each of them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
