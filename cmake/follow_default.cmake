# SPDX-License-Identifier: MIT
# vexa_follow_default(VAR VALUE TYPE DOC): a cache entry whose default depends
# on other settings (the prefix, the environment). It takes the new default
# at each configure, unless the user gave it a value of their own, which
# stays.
function(vexa_follow_default var value type doc)
  if(NOT DEFINED CACHE{${var}} OR "${${var}}" STREQUAL "${VEXA_DEFAULT_${var}}")
    set(${var} "${value}" CACHE ${type} "${doc}" FORCE)
  endif()
  set(VEXA_DEFAULT_${var} "${value}" CACHE INTERNAL "Last default of ${var}")
endfunction()
