#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building and running the Demo needs, builds the Demo, the tool
# and the two libraries in build-run/, and starts the Demo: on the reader when
# one is plugged in, otherwise on the simulated reader (VEXA_SIM_CARD picks
# its card, default an SLE4442). Without a display it shows the command-line
# tool against the same reader instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --run
build=build-run
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA_BUILD_TESTS=OFF \
    -DVEXA_BUILD_BENCH=OFF -DVEXA_BUILD_REDUCED=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target Demo vexa-tool vexa vexa_simulated

reader_attached() {
    grep -qi 'HID_ID=0003:000004B4:0000A112' /sys/class/hidraw/*/device/uevent 2>/dev/null
}

export VEXA_SIM_LIB="$PWD/$build/simulated"
if reader_attached; then
    echo "Reader found: using it."
    sim=()
else
    export VEXA_SIM_CARD="${VEXA_SIM_CARD:-sle4442}"
    echo "No reader attached: using the simulated reader with a ${VEXA_SIM_CARD} card."
    sim=(--sim)
fi

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    exec "$build/demo/Demo" "${sim[@]}"
fi
echo "No display: showing the reader with vexa-tool instead of Demo."
"$build/vexa-tool" "${sim[@]}" status version detect
