#!/bin/sh
# Builds Demo and starts it: on the reader when one is attached over USB,
# otherwise on the simulated reader (VEXA_SIM_CARD picks its card, default
# sle4442; see sim/environment.h).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja >/dev/null
ninja -C "$build" Demo vexa vexa_simulated >/dev/null
if grep -qsi 'HID_ID=0003:000004B4:0000A112' /sys/class/hidraw/*/device/uevent; then
    echo "Demo: on the reader attached over USB"
    exec "$build/demo/Demo" "$@"
fi
echo "Demo: no reader attached; on the simulated reader with a ${VEXA_SIM_CARD:-sle4442} card"
echo "      (VEXA_SIM_CARD=24c16, 45db041, cpu-t1, ... picks another)"
LD_LIBRARY_PATH="$build/simulated${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" exec "$build/demo/Demo" "$@"
