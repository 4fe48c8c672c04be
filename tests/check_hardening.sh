#!/bin/sh
# SPDX-License-Identifier: MIT
# Reads the hardening back from a built ELF binary: relocations read-only
# (RELRO) and bound at start-up (BIND_NOW), the stack protector, and, with
# "fortified", libc calls checked against their buffer's size (*_chk).
#   check_hardening.sh BINARY [fortified|plain]
set -eu
binary=$1
fail() {
    echo "$binary: $*" >&2
    exit 1
}
readelf -lW "$binary" | grep -q 'GNU_RELRO' || fail "no RELRO segment"
readelf -dW "$binary" | grep -Eq '\(FLAGS\) +BIND_NOW|\(FLAGS_1\) .* NOW' || fail "not bound at start-up"
imports=$(readelf --dyn-syms -W "$binary" | awk '$7 == "UND" { sub(/@.*/, "", $8); print $8 }')
echo "$imports" | grep -qx '__stack_chk_fail' || fail "no stack protector"
if [ "${2:-plain}" = fortified ]; then
    echo "$imports" | grep -Eq '^__[a-z_]+_chk$' || fail "no fortified libc call"
fi
echo "$binary: RELRO, BIND_NOW, stack protector${2:+, $2}"
