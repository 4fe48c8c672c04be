# SPDX-License-Identifier: MIT
# Sourced by scripts that run pcscd with the PC/SC driver of a build on the
# simulated reader. `pcscd_sandbox BUILD_DIR "$0" "$@"` re-runs the calling
# script in a private mount namespace whose /run/pcscd is its own (pcscd
# always puts its socket there), so the daemon never meets one the machine
# runs; then `start_pcscd CARD` starts pcscd in the foreground from a private
# reader.conf folder and waits for the reader (CARD may be several,
# comma-separated, in as many readers), and `stop_pcscd` stops it by
# its pid, as does the end of the script however it ends. pcscd logs with
# --debug into $work/pcscd-CARD.log.

pcscd_sandbox() {
    build=$(cd "$1" && pwd)
    shift
    if [[ ${VEXA_PCSC_NAMESPACE:-} != 1 ]]; then
        local flags=(--mount --propagation private)
        [[ $(id -u) -eq 0 ]] || flags+=(--map-root-user)
        exec env VEXA_PCSC_NAMESPACE=1 unshare "${flags[@]}" "$@"
    fi

    driver=$build/pcsc/ifd-vexa.bundle/Contents/Linux/libifd-vexa.so
    [[ -f $driver ]] || { echo "no driver at $driver"; exit 1; }
    work=$(mktemp -d)
    pcscd_pid=
    trap 'stop_pcscd; rm -rf "$work"' EXIT

    if [[ -d /run/pcscd ]]; then
        mount -t tmpfs tmpfs /run/pcscd
    else
        mount -t tmpfs tmpfs /run
        mkdir /run/pcscd
    fi

    mkdir "$work/conf"
}

# Starts pcscd with the card in the simulated reader and waits (10 s at most)
# until a client sees every reader holding its card.
start_pcscd() {
    local card=$1 readers=0
    rm -f "$work/conf/"*
    # An entry per reader: pcscd takes a second only with a device name of its own.
    for _ in ${card//,/ }; do
        printf '%s\n' 'FRIENDLYNAME "Tavix USB Smart Card Reader"' "DEVICENAME /dev/null:$readers" \
            "LIBPATH $driver" "CHANNELID $readers" >"$work/conf/vexa$readers"
        readers=$((readers + 1))
    done
    VEXA_SIM_CARD=$card LD_LIBRARY_PATH=$build/simulated \
        pcscd --foreground --debug --config "$work/conf" >"$work/pcscd-$card.log" 2>&1 &
    pcscd_pid=$!
    for _ in $(seq 100); do
        [[ $(opensc-tool --list-readers 2>/dev/null | grep -c "Yes .*Tavix") -ge $readers ]] && return 0
        kill -0 "$pcscd_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "FAIL pcscd did not serve the reader holding $card"
    cat "$work/pcscd-$card.log"
    return 1
}

stop_pcscd() {
    [[ -n $pcscd_pid ]] || return 0
    kill "$pcscd_pid" 2>/dev/null || true
    wait "$pcscd_pid" 2>/dev/null || true
    pcscd_pid=
}
