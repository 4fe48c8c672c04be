#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The CI run (.ci/run calls it): installs the build dependencies that are
# missing, then runs the stages listed at the bottom in order, timing each, and
# stops at the first that fails. Exits non-zero on any failure.
#
# Configurations:
#   build/        GCC, RelWithDebInfo, -Werror: what users and packagers build.
#                 Every test, the benchmarks once, the Debian packages.
#   build-asan/   clang, Debug, AddressSanitizer + UndefinedBehaviorSanitizer,
#                 -Werror: every test again, and clang's warnings.
# Stages may build what else they need in folders of their own (build-fuzz/).
# A stage is one line `stage NAME COMMAND...`; add yours to the list below.
# Stages run from the repository root with QT_QPA_PLATFORM=offscreen; a stage
# that changes the machine undoes it itself, also when it fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# The Demo's tests need no display.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
jobs=$(nproc)

gcc_config=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA_WERROR=ON -DCMAKE_INSTALL_PREFIX=/usr)
sanitizer_config=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
                  -DCMAKE_BUILD_TYPE=Debug -DVEXA_SANITIZE=ON -DVEXA_WERROR=ON)

# Reuses compiled objects between runs when ccache is there.
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$PWD"
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

configure_and_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@"
    cmake --build "$dir" -j "$jobs"
}

run_tests() {
    ctest --test-dir "$1" --output-on-failure -j "$jobs"
}

timings=()
stage() {
    local name=$1
    shift
    echo "==== $name"
    local start=$SECONDS
    "$@"
    timings+=("$(printf '%5d s  %s' $((SECONDS - start)) "$name")")
    echo "---- $name: $((SECONDS - start)) s"
}
report() {
    local status=$?
    echo "==== Stage times"
    ((${#timings[@]} == 0)) || printf '%s\n' "${timings[@]}"
    printf '%5d s  total\n' "$SECONDS"
    ((status == 0)) && echo "All tests passed." || echo "FAILED (exit $status)"
}
trap report EXIT

stage gcc-build          configure_and_build build "${gcc_config[@]}"
stage gcc-tests          run_tests build
stage packages           scripts/test-packages.sh build
stage kernel             scripts/kernel-test.sh build
stage pcscd              tests/pcsc/pcscd_integration.sh build  # pcscd serves the simulated reader to PC/SC clients
stage sanitizer-build    configure_and_build build-asan "${sanitizer_config[@]}"
stage sanitizer-tests    run_tests build-asan
stage windows            scripts/windows-test.sh  # 32- and 64-bit vexa.dll, tool and suites under wine
stage fuzz               scripts/fuzz.sh --seconds 20 --jobs "$jobs"  # libFuzzer targets (clang), about 20 s each
