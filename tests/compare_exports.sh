# SPDX-License-Identifier: MIT
# Sourced by the checks of the Linux and the Windows libraries, so that both
# hold a library to the same list of names.

# compare_exports LABEL HEADER EXPORTED: EXPORTED is a file of the names the
# library exports, one a line, sorted. Prints each way they differ from the
# functions HEADER declares, after LABEL; fails when they differ at all.
compare_exports() (
    label=$1 header=$2 exported=$3
    declared=$(sed -nE 's/^VEXA_API[^(]*[ *]([A-Za-z_][A-Za-z0-9_]*)\(.*/\1/p' "$header" | sort)
    status=0
    report() {
        [ -z "$2" ] && return
        echo "$label$1" $2
        status=1
    }
    [ -n "$declared" ] || report ": no declarations found in" "$header"
    report ": declared more than once in $header:" "$(printf '%s\n' "$declared" | uniq -d)"
    report ": C++ names exported:" "$(grep '^_Z' "$exported" || true)"
    report ": declared but not exported:" "$(printf '%s\n' "$declared" | comm -23 - "$exported")"
    report ": exported but not declared:" "$(printf '%s\n' "$declared" | comm -13 - "$exported")"
    return $status
)
