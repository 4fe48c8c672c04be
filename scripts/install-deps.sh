#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs, with apt-get, the Debian packages the build and the tests need and
# that are not there yet; with --run only those that building and running
# the Demo needs (scripts/run.sh), without recommended extras.
#   scripts/install-deps.sh [--run]
set -euo pipefail

packages=(
    # building and running the Demo
    cmake ninja-build g++ qt6-base-dev fonts-dejavu-core fonts-liberation
)
apt_options=(--no-install-recommends)
if [[ ${1:-} != --run ]]; then
    apt_options=()
    packages+=(
        # tests, benchmarks, the Python module
        pkg-config libgtest-dev libgmock-dev libbenchmark-dev python3 python3-pytest
        # clang build, fuzzers and their coverage
        clang libclang-rt-14-dev llvm-14
        # Debian packages and their checks
        dpkg-dev fakeroot file lintian
        # the kernel test in a virtual machine (kmod: modinfo; usbip and udev
        # run inside it)
        qemu-system-x86 busybox-static cpio xz-utils zstd kmod usbip udev
        # PC/SC
        pcscd pcsc-tools opensc python3-pyscard libpcsclite-dev
        # Windows builds and wine to run them (wine32 for the 32-bit programs)
        g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 wine32:i386
        # the Windows Demo driven on a screen of its own
        xvfb xdotool
    )
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
((${#missing[@]})) || exit 0

echo "Installing: ${missing[*]}"
as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)
if [[ "${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${apt_options[@]}" \
    "${missing[@]}"
