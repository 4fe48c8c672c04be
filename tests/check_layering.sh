#!/bin/sh
# SPDX-License-Identifier: MIT
# Checks that the link layer stands below the card layer: no vexa/link source
# includes a card-layer header, and no link object file calls a function
# defined by a card-layer object file. Checks too that the Demo's folders
# include only their own headers and those of a lower floor.
# Usage: check_layering.sh SOURCE_DIR OBJECT...
set -eu
src=$1
shift
status=0

includes=$(grep -nE '#include +"(\.\./cards/|vexa/cards/)' "$src"/vexa/link/*.cpp "$src"/vexa/link/*.h || true)
if [ -n "$includes" ]; then
    echo "link sources including card-layer headers:"
    echo "$includes"
    status=1
fi

# The Demo's floors, lowest first. Folders on one floor stay out of each
# other's way, so a new folder must be placed here before it can be included.
demo_floors='port 0
res 1
view 2
dialogs 2
commands 3
app 4
tools 4
win32 5'
up=$(grep -rnE '^#include +"(demo|\.\.)/' "$src"/demo --include='*.h' --include='*.cpp' |
    awk -v floors="$demo_floors" -v root="$src/demo/" '
    BEGIN {
        n = split(floors, line, "\n")
        for (i = 1; i <= n; i++) { split(line[i], f, " "); floor[f[1]] = f[2] }
    }
    {
        path = substr($0, length(root) + 1)
        split(path, p, "/")
        match($0, /"[^"]*"/)
        split(substr($0, RSTART + 1, RLENGTH - 2), q, "/")
        to = q[2]
        if (p[1] == to) next
        if (!(p[1] in floor) || !(to in floor) || floor[to] >= floor[p[1]]) print path
    }')
if [ -n "$up" ]; then
    echo "demo includes pointing up or across a floor:"
    echo "$up"
    status=1
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
: >"$tmp/cards"
: >"$tmp/link"
for object in "$@"; do
    case $object in
    */vexa_core.dir/*cards/*) nm --defined-only "$object" | awk '$2 ~ /[TW]/ { print $3 }' >>"$tmp/cards" ;;
    */vexa_core.dir/*link/*) nm -u "$object" | awk -v o="${object##*/}" '{ print $2, o }' >>"$tmp/link" ;;
    esac
done
if [ ! -s "$tmp/cards" ] || [ ! -s "$tmp/link" ]; then
    echo "no object files of both layers given"
    exit 1
fi
calls=$(sort -u "$tmp/cards" | awk 'NR == FNR { card[$1] = 1; next } $1 in card' - "$tmp/link")
if [ -n "$calls" ]; then
    echo "link objects calling card-layer functions (symbol, object):"
    echo "$calls"
    status=1
fi
[ $status -eq 0 ] && echo "link layer independent of the card layer; demo floors hold"
exit $status
