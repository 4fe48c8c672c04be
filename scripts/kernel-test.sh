#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the production library and the PC/SC driver against the real Linux
# USB and HID stacks: boots a small virtual machine on Debian's generic
# kernel, where
#   - uhid-reader plugs the simulated reader in through /dev/uhid and
#     kernel-scenario drives it through /dev/hidrawN with libvexa.so;
#   - usbip-reader serves three simulated readers over USB/IP, Debian's usbip
#     tool plugs them into the kernel's virtual host controller (vhci-hcd)
#     and pulls them, and Debian's systemd-udevd and pcscd with our driver
#     bundle serve them to kernel-scenario's PC/SC client (tests/kernel/).
# pcscd finds readers only among USB devices, which a uhid device is not.
# USB/IP makes real USB devices of user-space ones with nothing but modules
# of the stock kernel (no gadget controller, no second machine, no qemu USB
# passthrough), and dropping its TCP connection is exactly how the kernel
# sees a device vanish in the middle of a transfer.
# Prints the scenario's lines, "N passed, M failed", the time the kernel took
# to reach /init and the machine's wall time; exits non-zero when the machine
# does not boot, times out or a step fails (then with pcscd's log).
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
kernel_meta=linux-image-amd64
# The modules the scenario needs; modinfo adds what they depend on.
modules=(uhid hid-generic usbhid vhci-hcd)
kernel=$work/$kernel_meta

say() { echo "kernel test: $*"; }

build_programs() {
    [[ -f $build/build.ninja ]] || cmake -S . -B "$build" -G Ninja
    # The changelog is part of the driver's installed files.
    cmake --build "$build" --target vexa kernel-scenario uhid-reader usbip-reader ifd_vexa \
        gzip_changelog_Debian_gz
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

decompress() {
    case $1 in
        *.xz) xz -dc "$1" ;;
        *.zst) zstd -qdc "$1" ;;
        *.gz) gzip -dc "$1" ;;
        *) cat "$1" ;;
    esac
}

# Puts module $2 of the tree $1 into $3, after those it depends on, and
# appends its name to $3/load-order; each module once.
add_module() {
    local tree=$1 name=${2//_/-} dest=$3 file dep
    grep -qx "$name" "$dest/load-order" 2>/dev/null && return
    file=$(find "$tree" -name "$name.ko*" -o -name "${name//-/_}.ko*" | head -n 1)
    [[ -n $file ]] || { say "the kernel package has no module $name"; return 1; }
    for dep in $(modinfo -F depends "$file" | tr ',' ' '); do
        add_module "$tree" "$dep" "$dest" || return 1
    done
    decompress "$file" >"$dest/$name.ko"
    echo "$name" >>"$dest/load-order"
}

# Puts vmlinuz and the modules, uncompressed, in $kernel.
fetch_kernel() {
    local unpack=$work/unpack
    [[ -f $kernel/vmlinuz ]] && return
    command -v modinfo >/dev/null || { say "modinfo is missing (Debian package kmod)"; return 1; }
    rm -rf "$unpack" "$kernel"
    mkdir -p "$unpack/deb" "$kernel/modules"
    if ! download_kernel "$unpack/deb"; then
        say "refreshing the package lists"
        local as_root=()
        [[ $(id -u) -eq 0 ]] || as_root=(sudo)
        "${as_root[@]}" apt-get update -qq
        download_kernel "$unpack/deb" || { say "cannot download the package of $kernel_meta"; return 1; }
    fi
    dpkg-deb -x "$(find "$unpack/deb" -name '*.deb' | head -n 1)" "$unpack/root"
    local module
    for module in "${modules[@]}"; do
        add_module "$unpack/root/lib/modules" "$module" "$kernel/modules"
    done
    # Last, so that an interrupted fetch is not taken for a complete one.
    cp "$unpack"/root/boot/vmlinuz-* "$kernel/vmlinuz"
    rm -rf "$unpack"
}

# Copies into the image every shared library that file $2 needs, each at the
# path the loader found it under.
copy_libraries() {
    local root=$1 file=$2 lib
    for lib in $(ldd "$file" | grep -o '/[^ ]*'); do
        # Our library is in /lib already, found through LD_LIBRARY_PATH.
        [[ -e $root/$lib || -e $root/lib/${lib##*/} ]] ||
            install -D -m 755 "$(readlink -f "$lib")" "$root/$lib"
    done
}

# Copies a program or library into the image with the libraries it needs.
copy_with_libraries() {
    local root=$1 file=$2 target=$3
    install -D -m 755 "$file" "$root/$target"
    copy_libraries "$root" "$file"
}

# Debian's pieces of the hotplug scenario, at their own paths: the usbip tool,
# systemd-udevd (a name of udevadm) with its rules and ours, pcscd with our
# driver bundle installed as the vexa-pcsc package installs it.
add_user_space() {
    local root=$1 program driver
    for program in /usr/sbin/usbip /usr/sbin/pcscd /bin/udevadm; do
        copy_with_libraries "$root" "$program" "${program#/}"
    done
    ln -s /bin/udevadm "$root/bin/systemd-udevd"
    # usbip only names vendors from it; empty, it stops complaining it is missing.
    install -D -m 644 /dev/null "$root/usr/share/misc/usb.ids"
    mkdir -p "$root/lib/udev"
    cp -r /lib/udev/rules.d "$root/lib/udev/"
    cp packaging/70-vexa-reader.rules "$root/lib/udev/rules.d/"
    DESTDIR=$root cmake --install "$build" --component Pcsc --prefix /usr >/dev/null
    driver=$(find "$root/usr/lib/pcsc/drivers" -name '*.so')
    copy_libraries "$root" "$driver"
}

build_image() {
    local image=$work/initramfs.cpio root=$work/root
    local inputs=("$kernel/modules" tests/kernel/vm_init.sh "$build/lib/libvexa.so.1"
                  "$build/tests/kernel/kernel-scenario" "$build/tests/kernel/uhid-reader"
                  "$build/tests/kernel/usbip-reader" "$build/pcsc/ifd-vexa.bundle" "$0")
    if [[ -f $image ]] && [[ -z $(find -L "${inputs[@]}" -newer "$image" | head -n 1) ]]; then
        return
    fi
    rm -rf "$root"
    mkdir -p "$root"/{bin,lib,proc,sys,dev,run,tmp,var}
    ln -s /run "$root/var/run"
    install -m 755 "$(command -v busybox)" "$root/bin/busybox"
    install -m 755 tests/kernel/vm_init.sh "$root/init"
    cp -r "$kernel/modules" "$root/modules"
    copy_with_libraries "$root" "$build/lib/libvexa.so.1" lib/libvexa.so.1
    local program
    for program in kernel-scenario uhid-reader usbip-reader; do
        copy_with_libraries "$root" "$build/tests/kernel/$program" "bin/$program"
    done
    add_user_space "$root"
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
    timeout -k 10 "$timeout_s" qemu-system-x86_64 $(accelerator) -m 512 -nographic -no-reboot -nic none \
        -kernel "$kernel/vmlinuz" -initrd "$work/initramfs.cpio" \
        -append "console=ttyS0 panic=-1 quiet loglevel=3" </dev/null |
        tr -d '\r' | sed -u 's/\x1b\[[0-9;?]*[A-Za-z]//g; s/\x1bc//g' | tee "$log" || status=$?
    end=$(date +%s.%N)
    grep -o 'init reached at .*' "$log" | sed 's/^/kernel test: the kernel /' || true
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
