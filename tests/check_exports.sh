#!/bin/sh
# SPDX-License-Identifier: MIT
# Checks a built libvexa: it exports exactly the functions vexa.h declares,
# under their plain C names, and carries the expected SONAME.
# Usage: check_exports.sh LIBRARY HEADER SONAME
set -eu
lib=$1 header=$2 soname=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

sed -nE 's/^VEXA_API[^(]*[ *]([A-Za-z_][A-Za-z0-9_]*)\(.*/\1/p' "$header" | sort >"$tmp/declared"
# Symbols the toolchain itself may export from any shared object.
nm -D --defined-only "$lib" | awk '{ sub(/@.*/, "", $NF); print $NF }' |
    grep -vxE '_init|_fini|_edata|_end|__bss_start' | sort >"$tmp/exported" || true

status=0
if [ ! -s "$tmp/declared" ]; then
    echo "no declarations found in $header"
    status=1
fi
dups=$(uniq -d "$tmp/declared")
if [ -n "$dups" ]; then
    echo "declared more than once in $header:" $dups
    status=1
fi
mangled=$(grep '^_Z' "$tmp/exported" || true)
if [ -n "$mangled" ]; then
    echo "C++ names exported:" $mangled
    status=1
fi
missing=$(comm -23 "$tmp/declared" "$tmp/exported")
if [ -n "$missing" ]; then
    echo "declared but not exported:" $missing
    status=1
fi
extra=$(comm -13 "$tmp/declared" "$tmp/exported")
if [ -n "$extra" ]; then
    echo "exported but not declared:" $extra
    status=1
fi
actual=$(readelf -d "$lib" | sed -nE 's/.*\(SONAME\).*\[(.*)\].*/\1/p')
if [ "$actual" != "$soname" ]; then
    echo "SONAME is '$actual', expected '$soname'"
    status=1
fi
[ $status -eq 0 ] && echo "$(wc -l <"$tmp/declared") functions exported as declared, SONAME $soname"
exit $status
