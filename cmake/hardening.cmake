# SPDX-License-Identifier: MIT
# Hardening as Debian's own packages are built: stack protector, fortified
# libc calls, stack clash and control-flow protection, read-only relocations
# bound at start-up. Optimized ELF builds only: the fortified calls need the
# optimizer, the sanitizers and libFuzzer bring their own checks, and the PE
# linker of a Windows build has neither RELRO nor BIND_NOW.
include(CheckCXXCompilerFlag)
include(CheckPIESupported)
include(cmake/follow_default.cmake)

set(vexa_harden_default ON)
if(WIN32 OR VEXA_SANITIZE OR VEXA_FUZZ)
  set(vexa_harden_default OFF)
endif()
# Follows the sanitizer and fuzzer options unless set by hand.
vexa_follow_default(VEXA_HARDEN ${vexa_harden_default} BOOL
                    "Build optimized configurations with Debian's hardening flags")
if(VEXA_HARDEN AND (WIN32 OR VEXA_SANITIZE OR VEXA_FUZZ))
  message(FATAL_ERROR "VEXA_HARDEN is for ELF builds without sanitizers or fuzzers")
endif()

# Whether a configuration is optimized; a multi-config generator decides
# per configuration, so the flags below are generator expressions.
set(vexa_optimized "$<NOT:$<CONFIG:Debug>>")

if(VEXA_HARDEN)
  check_pie_supported()
  set(vexa_hardening_flags -fstack-protector-strong)
  # Not every target knows them (-fcf-protection is x86 only).
  foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "vexa_has${flag}" known)
    check_cxx_compiler_flag(${flag} ${known})
    if(${known})
      list(APPEND vexa_hardening_flags ${flag})
    endif()
  endforeach()
  # A _FORTIFY_SOURCE from the user's flags at another level would warn.
  list(APPEND vexa_hardening_flags -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2)
  add_compile_options("$<${vexa_optimized}:${vexa_hardening_flags}>")
  add_link_options("$<${vexa_optimized}:LINKER:-z,relro,-z,now>")
endif()
