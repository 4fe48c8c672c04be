#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the production library against the real Linux HID stack: boots a small
# virtual machine on Debian's cloud kernel, where uhid-reader plugs the
# simulated reader in through /dev/uhid and kernel-scenario drives it through
# /dev/hidrawN with libvexa.so (tests/kernel/). Prints the scenario's lines,
# "N passed, M failed" and the machine's wall time; exits non-zero when the
# machine does not boot, times out or a step fails.
#
#   scripts/kernel-test.sh [BUILD_DIR]      (default: build)
#
# The kernel package is fetched once into BUILD_DIR/kernel-test and kept
# there. VEXA_VM_TIMEOUT (seconds, default 300) bounds the machine's run.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
work=$build/kernel-test
timeout_s=${VEXA_VM_TIMEOUT:-300}
kernel_meta=linux-image-cloud-amd64
modules=(hid uhid hid-generic)

say() { echo "kernel test: $*"; }

build_programs() {
    [[ -f $build/build.ninja ]] || cmake -S . -B "$build" -G Ninja
    cmake --build "$build" --target vexa kernel-scenario uhid-reader
}

# The versioned image package the meta package points at.
kernel_package() {
    apt-cache depends "$kernel_meta" 2>/dev/null |
        sed -n 's/^ *Depends: \(linux-image-[^ ]*\)$/\1/p' | head -n 1
}

# Downloads the kernel image package into $1; false when apt cannot.
download_kernel() {
    local package
    package=$(kernel_package)
    [[ -n $package ]] || return 1
    say "fetching $package"
    # As root, apt-get warns that its sandbox user cannot write here: harmless.
    (cd "$1" && apt-get download -q "$package" 2>&1 | grep -v '^W: Download is performed unsandboxed') || true
    [[ -n $(find "$1" -name '*.deb') ]]
}

# Puts vmlinuz and the modules, uncompressed, in $work/kernel.
fetch_kernel() {
    local dest=$work/kernel unpack=$work/unpack
    [[ -f $dest/vmlinuz ]] && return
    rm -rf "$unpack" "$dest"
    mkdir -p "$unpack/deb" "$dest/modules"
    if ! download_kernel "$unpack/deb"; then
        say "refreshing the package lists"
        local as_root=()
        [[ $(id -u) -eq 0 ]] || as_root=(sudo)
        "${as_root[@]}" apt-get update -qq
        download_kernel "$unpack/deb" || { say "cannot download the package of $kernel_meta"; return 1; }
    fi
    dpkg-deb -x "$(find "$unpack/deb" -name '*.deb' | head -n 1)" "$unpack/root"
    local module file
    for module in "${modules[@]}"; do
        file=$(find "$unpack/root/lib/modules" -name "$module.ko*" | head -n 1)
        [[ -n $file ]] || { say "the kernel package has no module $module"; return 1; }
        case $file in
            *.xz) xz -dc "$file" ;;
            *.zst) zstd -qdc "$file" ;;
            *.gz) gzip -dc "$file" ;;
            *) cat "$file" ;;
        esac >"$dest/modules/$module.ko"
    done
    # Last, so that an interrupted fetch is not taken for a complete one.
    cp "$unpack"/root/boot/vmlinuz-* "$dest/vmlinuz"
    rm -rf "$unpack"
}

# Copies a program or library into the image with every shared library it
# needs, each at the path the loader found it under.
copy_with_libraries() {
    local root=$1 file=$2 target=$3 lib
    install -D -m 755 "$file" "$root/$target"
    for lib in $(ldd "$file" | grep -o '/[^ ]*'); do
        # The library itself is in /lib already, found through LD_LIBRARY_PATH.
        [[ -e $root/$lib || -e $root/lib/${lib##*/} ]] ||
            install -D -m 755 "$(readlink -f "$lib")" "$root/$lib"
    done
}

build_image() {
    local image=$work/initramfs.cpio root=$work/root
    local inputs=("$work/kernel/modules" tests/kernel/vm_init.sh "$build/lib/libvexa.so.1"
                  "$build/tests/kernel/kernel-scenario" "$build/tests/kernel/uhid-reader")
    if [[ -f $image ]] && [[ -z $(find -L "${inputs[@]}" -newer "$image" | head -n 1) ]]; then
        return
    fi
    rm -rf "$root"
    mkdir -p "$root"/{bin,lib,proc,sys,dev}
    install -m 755 "$(command -v busybox)" "$root/bin/busybox"
    install -m 755 tests/kernel/vm_init.sh "$root/init"
    cp -r "$work/kernel/modules" "$root/modules"
    copy_with_libraries "$root" "$build/lib/libvexa.so.1" lib/libvexa.so.1
    copy_with_libraries "$root" "$build/tests/kernel/kernel-scenario" bin/kernel-scenario
    copy_with_libraries "$root" "$build/tests/kernel/uhid-reader" bin/uhid-reader
    (cd "$root" && find . -print0 | cpio --null -o -H newc --quiet) >"$image.new"
    mv "$image.new" "$image"
}

# KVM only where a hardware virtualization module is loaded: /dev/kvm alone
# may have nothing behind it.
accelerator() {
    if [[ -e /dev/kvm ]] && [[ -d /sys/module/kvm_intel || -d /sys/module/kvm_amd ]]; then
        echo "-accel kvm -cpu host"
    else
        echo "-accel tcg"
    fi
}

boot() {
    local log=$work/console.log status=0 start end
    start=$(date +%s.%N)
    # shellcheck disable=SC2046
    timeout -k 10 "$timeout_s" qemu-system-x86_64 $(accelerator) -m 256 -nographic -no-reboot -nic none \
        -kernel "$work/kernel/vmlinuz" -initrd "$work/initramfs.cpio" \
        -append "console=ttyS0 panic=-1 quiet loglevel=3" </dev/null |
        tr -d '\r' | sed -u 's/\x1b\[[0-9;?]*[A-Za-z]//g; s/\x1bc//g' | tee "$log" || status=$?
    end=$(date +%s.%N)
    say "virtual machine wall time $(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }') s"
    local summary
    summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1 || true)
    if ((status == 124)); then
        say "timed out after $timeout_s s"
        return 1
    fi
    if [[ -z $summary ]]; then
        say "the scenario did not finish (exit status of qemu: $status)"
        return 1
    fi
    say "$summary"
    [[ $summary == *" 0 failed" ]]
}

echo "==== kernel test"
mkdir -p "$work"
build_programs
fetch_kernel
build_image
boot
