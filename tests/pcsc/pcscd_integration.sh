#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# pcscd serves the simulated reader through the driver to clients written
# elsewhere: pcsc_scan, opensc-tool and a python3-pyscard program, with a CPU
# card under T=0, one under T=1, both side by side in two readers, and an
# SLE4442 through the pseudo-APDUs.
#
#   tests/pcsc/pcscd_integration.sh BUILD_DIR
#
# pcscd runs with the driver of BUILD_DIR on the simulator build of the
# library, in the sandbox of pcscd_sandbox.sh.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3  # Debian's, which has python3-pyscard
# shellcheck source=pcscd_sandbox.sh
source "$here/pcscd_sandbox.sh"
pcscd_sandbox "${1:?usage: $0 BUILD_DIR}" "$0" "$@"

# expect WHAT PATTERN COMMAND...: the command succeeds and prints the pattern.
expect() {
    local what=$1 pattern=$2 out
    shift 2
    if ! out=$(timeout 20 "$@" 2>&1) || ! grep -Eq -- "$pattern" <<<"$out"; then
        echo "FAIL $what: $*"
        echo "$out"
        return 1
    fi
    echo "ok   $what"
}

cpu_card() {
    local card=$1 protocol=$2 atr=$3
    start_pcscd "$card"
    expect "pcsc_scan sees the reader and the $card ATR" "ATR: ${atr^^}" \
        pcsc_scan -n -t 1
    expect "opensc-tool lists the reader with a card" "Yes +Tavix USB Smart Card Reader" \
        opensc-tool --list-readers
    expect "opensc-tool reads the ATR" "${atr// /:}" opensc-tool --atr
    expect "opensc-tool: GET CHALLENGE under $protocol" "SW1=0x90, SW2=0x00" \
        opensc-tool -c default --send-apdu 00:84:00:00:08
    expect "pyscard: GET CHALLENGE under $protocol" "ok" "$python" "$here/pyscard_client.py" cpu "$protocol"
    stop_pcscd
}

# What pcscd's hotplug reads to match the USB reader to the driver.
bundle=$build/pcsc/ifd-vexa.bundle/Contents
expect "the bundle's Info.plist names the reader and the driver's library" "^ok$" "$python" -c "
import os, plistlib, sys
info = plistlib.load(open('$bundle/Info.plist', 'rb'))
assert (info['ifdVendorID'], info['ifdProductID']) == ('0x04B4', '0xA112'), info
assert os.path.isfile(os.path.join('$bundle/Linux', info['CFBundleExecutable'])), info
print('ok')"

cpu_card cpu-t0 T0 "3b 6c 00 00 53 49 4d"
cpu_card cpu-t1 T1 "3b 80 81 31 fe 45 8b"

start_pcscd cpu-t0,cpu-t1
expect "pyscard: a T=0 and a T=1 card in two readers answer in turn" "ok" \
    "$python" "$here/pyscard_client.py" side-by-side
stop_pcscd

start_pcscd sle4442
expect "pcsc_scan sees the SLE4442 ATR" "ATR: 3B 04 A2 13 10 91" pcsc_scan -n -t 1
expect "opensc-tool reads the SLE4442 ATR" "3b:04:a2:13:10:91" opensc-tool --atr
expect "pyscard reads, verifies, writes an SLE4442; a wrong code gives 63 C2" "63 C2" \
    "$python" "$here/pyscard_client.py" sle4442
expect "opensc-tool: the SLE4442 does not answer as a 24Cxx" "SW1=0x64, SW2=0x00" \
    opensc-tool --send-apdu FF:A4:00:00:01:40
# What a user sees of the driver with pcscd --debug.
for line in "reader 0 opened as device 180" "power up: memory card, ATR of 6 bytes" \
    "pseudo-APDU INS D0: 90 00" "pseudo-APDU INS 20: 63 C2" "library call failed with status" \
    "pseudo-APDU INS A4: 64 00"; do
    expect "pcscd --debug logs \"$line\"" "ifd-vexa: $line" cat "$work/pcscd-sle4442.log"
done
stop_pcscd
echo "pcscd served the simulated reader to every client"
