#!/bin/busybox sh
# SPDX-License-Identifier: MIT
# shellcheck shell=dash
# /init of the kernel test's virtual machine: loads the HID modules, runs the
# scenario against the virtual reader and powers the machine off.
/bin/busybox --install -s /bin
export PATH=/bin LD_LIBRARY_PATH=/lib
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
# hidraw nodes appear only once hid-generic binds the device.
for module in hid uhid hid-generic; do
    insmod /modules/$module.ko || echo "kernel test: cannot load $module"
done
/bin/kernel-scenario /bin/uhid-reader
echo "kernel test: scenario exit status $?"
poweroff -f
