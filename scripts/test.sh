#!/usr/bin/env bash
# Runs every test: installs the build dependencies that are missing, then
# builds and tests twice, normally in build/ and with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

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
scripts/kernel-test.sh build
tests/pcsc/pcscd_integration.sh build  # pcscd serves the simulated reader to PC/SC clients
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    build_and_test build-asan -DVEXA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
scripts/fuzz.sh --seconds 20 --jobs "$jobs"  # libFuzzer targets (clang), about 20 s each
echo "All tests passed."
