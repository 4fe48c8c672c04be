#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang (VEXA_FUZZ) and runs each of them for
# a bounded time on its corpus, a few at a time. Inputs found to add coverage
# are kept in the build folder (BUILD/corpus/TARGET), next to the seeds in
# fuzz/corpus/TARGET, so that later runs start where earlier ones stopped.
# Exits non-zero when a target finds a crash, a leak or undefined behaviour;
# the input that did it is saved as BUILD/artifacts/crash-*.
#
#   scripts/fuzz.sh [--seconds N] [--jobs J] [--build DIR] [--coverage] [TARGET...]
#
#   --seconds N  time per target (default 20: the CI smoke run)
#   --jobs J     targets running at once (default 2)
#   --build DIR  build folder (default build-fuzz)
#   --coverage   afterwards, replay every corpus in a coverage build
#                (DIR-cov) and print the line coverage of vexa/
#   TARGET       device_answers cpu_answers memory_answers detection_answers api
#                pcsc_driver (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=20
jobs=2
build=build-fuzz
coverage=0
targets=()
while (($#)); do
    case $1 in
        --seconds) seconds=$2; shift 2 ;;
        --jobs) jobs=$2; shift 2 ;;
        --build) build=$2; shift 2 ;;
        --coverage) coverage=1; shift ;;
        -h|--help) sed -n '2,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
        *) targets+=("$1"); shift ;;
    esac
done
((${#targets[@]})) || targets=(device_answers cpu_answers memory_answers detection_answers api pcsc_driver)

clang_build() {
    local dir=$1
    shift
    CC=clang-14 CXX=clang++-14 cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVEXA_FUZZ=ON -DVEXA_BUILD_TESTS=OFF -DVEXA_BUILD_DEMO=OFF -DVEXA_BUILD_BENCH=OFF \
        -DVEXA_BUILD_REDUCED=OFF "$@" >/dev/null
    cmake --build "$dir" --target fuzzers -j "$jobs"
}

echo "==== fuzz: building in $build"
clang_build "$build"
mkdir -p "$build/artifacts" "$build/logs"

run_target() {
    local t=$1
    mkdir -p "$build/corpus/$t"
    "$build/fuzz/${t}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/" "$build/corpus/$t" "fuzz/corpus/$t" \
        >"$build/logs/$t.log" 2>&1
}
export -f run_target
export build seconds

echo "==== fuzz: ${#targets[@]} targets, ${seconds} s each, $jobs at a time"
status=0
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_target {}' || status=1

total=0
for t in "${targets[@]}"; do
    # A target that crashed prints its statistics twice.
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/logs/$t.log" | tail -n 1)
    cov=$(grep -o 'cov: [0-9]*' "$build/logs/$t.log" | tail -1)
    printf '%-20s %12s executions  %s\n' "$t" "${runs:-?}" "$cov"
    total=$((total + ${runs:-0}))
    if grep -q -E '^==[0-9]+==ERROR|runtime error|^SUMMARY' "$build/logs/$t.log"; then
        status=1
        echo "---- $t found a fault:"
        grep -E -A30 '^==[0-9]+==ERROR|runtime error' "$build/logs/$t.log" | head -60
    fi
done
printf '%-20s %12s executions\n' total "$total"

if ((coverage)); then
    cov="$build-cov"
    echo "==== fuzz: coverage build in $cov"
    clang_build "$cov" -DCMAKE_CXX_FLAGS="-fprofile-instr-generate -fcoverage-mapping" \
        -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate"
    rm -f "$cov"/*.profraw
    objects=()
    for t in "${targets[@]}"; do
        LLVM_PROFILE_FILE="$cov/$t.profraw" "$cov/fuzz/${t}_fuzzer" -runs=0 \
            "$build/corpus/$t" "fuzz/corpus/$t" >/dev/null 2>&1
        objects+=(-object "$cov/fuzz/${t}_fuzzer")
    done
    llvm-profdata-14 merge -sparse "$cov"/*.profraw -o "$cov/fuzz.profdata"
    llvm-cov-14 report "${objects[@]:1}" -instr-profile="$cov/fuzz.profdata" \
        "$PWD/vexa" | tail -1 | awk '{print "vexa/ line coverage: " $(NF-3) " (" $(NF-5) " lines, " $(NF-4) " missed)"}' || true
fi

exit $status
