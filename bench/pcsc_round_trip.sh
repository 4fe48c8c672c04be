#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# APDU round trips through pcscd and the PC/SC driver against direct library
# calls, on the simulated reader with its pace off (median of 1000 each):
#
#   bench/pcsc_round_trip.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../tests/pcsc/pcscd_sandbox.sh
source "$here/../tests/pcsc/pcscd_sandbox.sh"
pcscd_sandbox "${1:?usage: $0 BUILD_DIR}" "$0" "$@"

for card in cpu-t0:cpu cpu-t1:cpu sle4442:sle4442; do
    start_pcscd "${card%%:*}"
    VEXA_SIM_CARD=${card%%:*} LD_LIBRARY_PATH=$build/simulated \
        "$build/bench/pcsc_round_trip" "${card#*:}" | sed "s/^/${card%%:*} /"
    stop_pcscd
done
