#!/usr/bin/env bash
# Runs every test: installs the build dependencies that are missing, then
# builds and tests twice, normally in build/ and with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev
          python3 python3-pytest pkg-config)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    as_root=()
    [[ $(id -u) -eq 0 ]] || as_root=(sudo)
    "${as_root[@]}" apt-get update
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

# The Demo's tests need no display.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
jobs=$(nproc)

build_and_test() {
    local dir=$1
    shift
    echo "==== $dir"
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

build_and_test build
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    build_and_test build-asan -DVEXA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
echo "All tests passed."
