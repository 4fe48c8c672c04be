#!/bin/sh
# Checks that the link layer stands below the card layer: no vexa/link source
# includes a card-layer header, and no link object file calls a function
# defined by a card-layer object file.
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
[ $status -eq 0 ] && echo "link layer independent of the card layer"
exit $status
