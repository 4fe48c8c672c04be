#!/bin/busybox sh
# SPDX-License-Identifier: MIT
# shellcheck shell=dash
# /init of the kernel test's virtual machine: loads the modules, starts udev
# and pcscd, runs the scenario against the virtual readers and powers the
# machine off.
/bin/busybox --install -s /bin
export PATH=/bin:/usr/sbin LD_LIBRARY_PATH=/lib
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mount -t tmpfs tmpfs /run
echo "init reached at $(cut -d ' ' -f 1 /proc/uptime) s"
# In dependency order; hidraw nodes appear only once hid-generic binds a device.
while read -r module; do
    insmod "/modules/$module.ko" || echo "kernel test: cannot load $module"
done </modules/load-order
# usbip reaches the reader server through 127.0.0.1.
ifconfig lo 127.0.0.1 up
# pcscd learns of USB devices from udev's events, not the kernel's.
systemd-udevd --daemon --resolve-names=never 2>/tmp/udevd.log
udevadm trigger --action=add
udevadm settle --timeout=20
pcscd --foreground --debug >/tmp/pcscd.log 2>&1 &
/bin/kernel-scenario /bin/uhid-reader /bin/usbip-reader
status=$?
echo "kernel test: scenario exit status $status"
if [ "$status" -ne 0 ]; then
    echo "kernel test: the end of pcscd's log"
    tail -n 150 /tmp/pcscd.log
fi
poweroff -f
