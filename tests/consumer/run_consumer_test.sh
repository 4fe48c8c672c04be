#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the build into a scratch prefix, builds the consumer program
# against it through pkg-config and through find_package, and runs both on
# the simulated reader installed beside the library.
set -eu
build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
# lib, lib64 or a multiarch folder, after the prefix.
libdir=$(dirname "$(find "$work/prefix" -name vexa.pc | head -n 1)")
export PKG_CONFIG_PATH="$libdir"
export LD_LIBRARY_PATH="$(dirname "$libdir")/vexa/simulated"

run() {
    VEXA_SIM_CARD=sle4442 "$1" memory
    VEXA_SIM_CARD=cpu-t0 "$1" apdu
}

# The .pc file names the configured prefix; this tree lies elsewhere.
# shellcheck disable=SC2046
cc -Wall -Werror -o "$work/consumer-pc" "$here/consumer.c" \
    $(pkg-config --define-variable=prefix="$work/prefix" --cflags --libs vexa)
run "$work/consumer-pc"

cmake -S "$here" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
run "$work/cmake-build/consumer"
echo "consumer built and run both ways"
