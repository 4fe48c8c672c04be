#!/bin/sh
# SPDX-License-Identifier: MIT
# Checks a built libvexa: it exports exactly the functions vexa.h declares,
# under their plain C names, and carries the expected SONAME.
# Usage: check_exports.sh LIBRARY HEADER SONAME
set -eu
. "$(dirname "$0")/compare_exports.sh"
lib=$1 header=$2 soname=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Symbols the toolchain itself may export from any shared object.
nm -D --defined-only "$lib" | awk '{ sub(/@.*/, "", $NF); print $NF }' |
    grep -vxE '_init|_fini|_edata|_end|__bss_start' | sort >"$tmp/exported" || true

status=0
compare_exports "$lib" "$header" "$tmp/exported" || status=1
actual=$(readelf -d "$lib" | sed -nE 's/.*\(SONAME\).*\[(.*)\].*/\1/p')
if [ "$actual" != "$soname" ]; then
    echo "$lib: SONAME is '$actual', expected '$soname'"
    status=1
fi
[ $status -eq 0 ] && echo "$(wc -l <"$tmp/exported") functions exported as declared, SONAME $soname"
exit $status
