#!/bin/sh
# SPDX-License-Identifier: MIT
# Checks a Windows build of vexa.dll or of a program. Everything may import
# from Windows' own DLLs (and vexa.dll) only: the compiler's runtime is linked
# in, so nothing else needs shipping. With a header, the DLL must export
# exactly the functions it declares, under their plain names.
# Usage: check_dll.sh OBJDUMP FILE [HEADER]
set -eu
objdump=$1 file=$2 header=${3:-}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$objdump" -p "$file" >"$tmp/dump"
status=0
foreign=$(sed -n 's/^[[:space:]]*DLL Name: //p' "$tmp/dump" |
    grep -viE '^(kernel32|msvcrt|hid|setupapi|user32|gdi32|shell32|advapi32|vexa)\.dll$' || true)
if [ -n "$foreign" ]; then
    echo "$file imports from DLLs that are not Windows' own:" $foreign
    status=1
fi
[ -n "$header" ] || exit $status

sed -nE 's/^VEXA_API[^(]*[ *]([A-Za-z_][A-Za-z0-9_]*)\(.*/\1/p' "$header" | sort >"$tmp/declared"
sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' "$tmp/dump" |
    sort >"$tmp/exported"
# The loader looks names up by binary search: in any other order some
# cannot be found.
sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' "$tmp/dump" |
    LC_ALL=C sort -c 2>/dev/null || { echo "$file: export names out of order"; status=1; }
missing=$(comm -23 "$tmp/declared" "$tmp/exported")
if [ -n "$missing" ]; then
    echo "$file: declared but not exported:" $missing
    status=1
fi
extra=$(comm -13 "$tmp/declared" "$tmp/exported")
if [ -n "$extra" ]; then
    echo "$file: exported but not declared:" $extra
    status=1
fi
[ $status -eq 0 ] && echo "$file: $(wc -l <"$tmp/exported") functions exported as declared"
exit $status
