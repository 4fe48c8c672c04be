#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows builds, tested under wine: cross-builds vexa.dll (production,
# simulated and reduced), vexa-tool.exe and the tests with mingw-w64 for
# 32-bit (build-win32/) and 64-bit (build-win64/) Windows, then runs per
# architecture
#   - the library suites (vexa_tests, which holds the Windows HID host's own
#     tests, and vexa_tests_reduced), one wine process per suite;
#   - the checks of every DLL and program: exports as vexa.h declares them,
#     imports from Windows' own DLLs only;
#   - the programs that use the DLL itself: the ABI programs and vexa-tool;
#   - Demo.exe on the simulated reader, driven with xdotool on an Xvfb screen:
#     a 24C02 read, edited and written back, and a CPU card dialog session,
#     each checked in the card's state file after the program quit;
#   - the zip CPack makes.
# One wineserver, in a prefix inside build-win64/, serves every run and is
# stopped at the end, also on failure. Prints "N passed, M failed" last and
# exits non-zero when anything failed.
#
# To add a suite: write a function that runs it and counts its results with
# `tally`, and call it from test_architecture (or at the bottom).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$PWD"
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# ---- The tally -------------------------------------------------------------
passed=0
failed=0
# tally PASSED FAILED WHAT: adds a suite's counts; prints what failed.
tally() {
    passed=$((passed + $1))
    failed=$((failed + $2))
    if (($2)); then echo "FAILED: $3"; else echo "ok: $3 ($1)"; fi
}
# check WHAT COMMAND...: one result, passed when the command succeeds.
check() {
    local what=$1
    shift
    if "$@"; then tally 1 0 "$what"; else tally 0 1 "$what"; fi
}
# expect_output WHAT PATTERN COMMAND...: the command succeeds and prints PATTERN
# (a 32-bit program that wine cannot start may exit 0 without a word).
expect_output() {
    local what=$1 pattern=$2 out
    shift 2
    if out=$("$@" 2>&1) && grep -qE "$pattern" <<<"$out"; then
        tally 1 0 "$what"
    else
        printf '%s\n' "$out"
        tally 0 1 "$what"
    fi
}

# ---- wine ------------------------------------------------------------------
export WINEPREFIX="$PWD/build-win64/wine"
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and asking for them stalls.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH

# Started with every standard stream on /dev/null: a server holding a pipe
# of ours would keep command substitutions (and CI) waiting.
start_wine() {
    mkdir -p "$WINEPREFIX"
    wineserver -p </dev/null >/dev/null 2>&1
    wineboot --init </dev/null >/dev/null 2>&1
}
stop_wine() {
    [[ -d $WINEPREFIX ]] && wineserver -k </dev/null >/dev/null 2>&1 || true
}

# Demo's dialogs name Times New Roman, served here by its metric twin; with
# wine's own fonts in the prefix, dialog units are the classic 6x13 pixels
# per 4x8 and the caption buttons are drawn, not lettered.
prepare_fonts() {
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v 'Times New Roman' /d 'Liberation Serif' /f </dev/null >/dev/null 2>&1
}

# An X screen of our own for Demo; its number is the first free one.
xvfb_pid=
start_display() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$fifo" </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    DISPLAY=:$(timeout 30 head -n1 "$fifo")
    export DISPLAY
    rm -f "$fifo"
}
stop_display() {
    [[ -z $xvfb_pid ]] || kill "$xvfb_pid" 2>/dev/null || true
}

# ---- Suites ----------------------------------------------------------------
# gtest_suite DIR EXE [ARGS]: one GoogleTest executable in one wine process.
gtest_suite() {
    local dir=$1 exe=$2 out ok bad
    shift 2
    out=$(wine "$dir/bin/$exe.exe" --gtest_brief=1 "$@" 2>&1 | tr -d '\r') || true
    ok=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\./\1/p' <<<"$out")
    bad=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below:/\1/p' <<<"$out")
    if [[ -z $ok ]]; then  # crashed or never started
        printf '%s\n' "$out" | tail -40
        tally 0 1 "$dir $exe did not finish"
        return
    fi
    ((${bad:-0} == 0)) || printf '%s\n' "$out" | grep -E '^\[  FAILED  \]|Failure' | head -40
    tally "$ok" "${bad:-0}" "$dir $exe"
}

binary_checks() {
    local dir=$1 objdump=$2 header=vexa/include/vexa.h
    local dll
    for dll in bin/vexa.dll bin/simulated/vexa.dll reduced/vexa.dll; do
        check "$dir $dll exports and imports" sh tests/windows/check_dll.sh "$objdump" "$dir/$dll" "$header"
    done
    local exe
    for exe in "$dir"/bin/*.exe "$dir"/bin/simulated/*.exe; do
        check "$exe imports" sh tests/windows/check_dll.sh "$objdump" "$exe"
    done
}

# Programs against the simulator build, from its folder as Windows looks
# for vexa.dll there first.
dll_programs() {
    local sim=$1/bin/simulated program
    for program in abi_import abi_load_library; do
        expect_output "$1 $program" '^ABI OK' \
            env VEXA_SIM_CARD=sle4442 wine "$sim/$program.exe"
    done
}

tool_runs() {
    local tool=$1/bin/vexa-tool.exe
    expect_output "$1 vexa-tool --sim reads an SLE4442" 'A2 13 10 91 FF FF 81 15' \
        wine "$tool" --sim --card sle4442 type sle4442 read 0 8 detect
    expect_output "$1 vexa-tool --sim reports a failure" 'read failed, status 25048' \
        bash -c '! wine "$1" --sim --card none type sle4442 read 0 8' _ "$tool"
    # The production DLL on wine's own HID devices: none is the reader.
    expect_output "$1 vexa-tool finds no reader among wine's devices" 'status -16' \
        bash -c '! wine "$1" version' _ "$tool"
    expect_output "$1 vexa-tool lists none of wine's devices" '^no reader attached' \
        wine "$tool" list
    expect_output "$1 vexa-tool --sim opens a listed reader" '^1.sim:0.SIM0.- card present $' \
        bash -c 'wine "$1" --sim --reader sim:0 list status | tr -d "\r" | tr "\n" " "' _ "$tool"
}

# ---- Demo.exe, driven as an operator would --------------------------------
# Positions on wine's 800x600 desktop, where the 651x415 main window stands
# at (80, 60) and the CPU dialog centred over it.
menu_card_type=(129 92)
menu_quit=(139 182)
menu_read_card=(293 92)
menu_write_card=(362 92)
menu_cpu_card=(291 92)
cpu_reset=(167 167)
cpu_send=(458 281)
cpu_command=(167 246)
cpu_quit=(609 373)

click() {
    xdotool mousemove "$1" "$2" click 1
    sleep 1
}

# demo_session DIR CARD STATE SCRIPT: runs Demo.exe of DIR's simulator build
# on CARD keeping its state in STATE, waits for its window and the automatic
# card test, runs the function SCRIPT and then waits (bounded) for the
# program to end; fails when any step does not come.
demo_session() {
    local dir=$1 card=$2 state=$3 script=$4 pid
    rm -f "$state" "$state.new"
    VEXA_SIM_CARD=$card VEXA_SIM_STATE="Z:$state" timeout 120 \
        wine explorer /desktop=vexa-demo,800x600 "$dir/bin/simulated/Demo.exe" \
        </dev/null >/dev/null 2>&1 &
    pid=$!
    if ! timeout 60 xdotool search --sync --name 'Tavix Smart Card Reader Demo' >/dev/null; then
        echo "Demo.exe on $card: no window"
        kill "$pid" 2>/dev/null
        return 1
    fi
    sleep 3  # the automatic card test
    "$script"
    click "${menu_card_type[@]}"
    click "${menu_quit[@]}"
    wait "$pid" || { echo "Demo.exe on $card did not quit"; return 1; }
}

edit_24c02() {
    click "${menu_read_card[@]}"
    click "${menu_write_card[@]}"
    xdotool type --delay 50 5A
    xdotool key F5
    sleep 1
}

cpu_dialog() {
    click "${menu_cpu_card[@]}"
    click "${cpu_reset[@]}"
    local apdu
    # SELECT the data file, VERIFY the PIN, UPDATE BINARY at its start.
    for apdu in 00A40000020015 002000000431323334 00D6000002CAFE; do
        xdotool mousemove "${cpu_send[@]}" click 1 key End shift+Home
        xdotool type --delay 20 "$apdu"
        click "${cpu_command[@]}"
    done
    click "${cpu_quit[@]}"
}

# demo_leaves PATTERN DIR CARD STATE SCRIPT: the session ends and leaves the
# card's state file with a line that starts with PATTERN.
demo_leaves() {
    local pattern=$1
    shift
    demo_session "$@" || return 1
    grep -q "^$pattern" "$3" && return
    echo "the card's state after the run:"
    cat "$3"
    return 1
}

demo_runs() {
    local dir=$1 state
    state=$(mktemp)
    check "$dir Demo.exe writes an edited 24C02 byte back" \
        demo_leaves "0000: 5A 34 43 30 32 " "$dir" 24c02 "$state" edit_24c02
    check "$dir Demo.exe updates a CPU card's file in its dialog" \
        demo_leaves "0010: CA FE E2 " "$dir" cpu-t0 "$state" cpu_dialog
    rm -f "$state" "$state.new"
}

zip_contents() {
    local dir=$1 zip listing
    rm -f "$dir"/vexa-*.zip
    (cd "$dir" && cpack -G ZIP >/dev/null)
    zip=$(echo "$dir"/vexa-*.zip)
    listing=$(cmake -E tar tf "$zip")
    local missing=() f
    for f in vexa.dll simulated/vexa.dll vexa-tool.exe simulated/vexa-tool.exe \
             include/vexa.h lib/libvexa.dll.a lib/vexa.def LICENSE README.txt \
             Demo.exe simulated/Demo.exe demo-help.html; do
        grep -q "/$f\$" <<<"$listing" || missing+=("$f")
    done
    ((${#missing[@]} == 0)) || echo "$zip lacks: ${missing[*]}"
    check "$zip" test ${#missing[@]} -eq 0
}

# ---- Per architecture ------------------------------------------------------
build() {
    local dir=$1 toolchain=$2
    cmake -S . -B "$dir" -G Ninja "${launcher[@]}" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA_WERROR=ON \
        -DVEXA_BUILD_BENCH=OFF >/dev/null
    cmake --build "$dir" -j "$jobs"
}

test_architecture() {
    local dir=$1 objdump=$2
    gtest_suite "$dir" vexa_tests
    gtest_suite "$dir" vexa_tests_reduced
    binary_checks "$dir" "$objdump"
    dll_programs "$dir"
    tool_runs "$dir"
    demo_runs "$dir"
    zip_contents "$dir"
}

build build-win32 cmake/mingw-w64-i686.cmake
build build-win64 cmake/mingw-w64-x86_64.cmake

trap 'stop_wine; stop_display' EXIT
start_wine
prepare_fonts
start_display
test_architecture build-win32 i686-w64-mingw32-objdump
test_architecture build-win64 x86_64-w64-mingw32-objdump

echo "$passed passed, $failed failed"
((failed == 0 && passed > 0))
