#!/bin/sh
# SPDX-License-Identifier: MIT
# Checks a Windows build of vexa.dll or of a program. Everything may import
# from Windows' own DLLs (and vexa.dll) only: the compiler's runtime is linked
# in, so nothing else needs shipping. With a header, the DLL must export
# exactly the functions it declares, under their plain names.
# Usage: check_dll.sh OBJDUMP FILE [HEADER]
set -eu
. "$(dirname "$0")/../compare_exports.sh"
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

sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' "$tmp/dump" \
    >"$tmp/table"
sort "$tmp/table" >"$tmp/exported"
compare_exports "$file" "$header" "$tmp/exported" || status=1
# The loader looks names up by binary search: in any other order some
# cannot be found.
LC_ALL=C sort -c "$tmp/table" 2>/dev/null || { echo "$file: export names out of order"; status=1; }
[ $status -eq 0 ] && echo "$file: $(wc -l <"$tmp/exported") functions exported as declared"
exit $status
