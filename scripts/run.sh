#!/usr/bin/env bash
# Installs what is missing, builds, and starts Demo: on the reader when one is
# plugged in, otherwise on the simulated reader (VEXA_SIM_CARD picks its card,
# default an SLE4442). Without a display it shows the command-line tool
# against the same reader instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

reader_attached() {
    grep -qi 'HID_ID=0003:000004B4:0000A112' /sys/class/hidraw/*/device/uevent 2>/dev/null
}

if reader_attached; then
    echo "Reader found: using it."
    libdir=build/lib
    tool=(build/vexa-tool)
else
    export VEXA_SIM_CARD="${VEXA_SIM_CARD:-sle4442}"
    echo "No reader attached: using the simulated reader with a ${VEXA_SIM_CARD} card."
    libdir=build/simulated
    tool=(build/vexa-tool --sim)
fi

if [[ -x build/demo/Demo && ( -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ) ]]; then
    exec env LD_LIBRARY_PATH="$PWD/$libdir${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" build/demo/Demo
fi
echo "No display: showing the reader with vexa-tool instead of Demo."
"${tool[@]}" status version detect
