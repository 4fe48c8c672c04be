#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the Debian packages of a build configured with -DCMAKE_INSTALL_PREFIX=/usr,
# has lintian check them, installs them with apt-get as a user would, uses what
# they installed (the tool and the Demo on the simulated reader, a C program
# built through pkg-config, the Python module, the desktop entry) and purges
# them again, also when a check fails; after the purge the machine holds the
# same files as before. Needs root (CI runs as root).
# Usage: scripts/test-packages.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
[[ $(id -u) -eq 0 ]] || { echo "$0: needs root to install packages" >&2; exit 1; }

work=$(mktemp -d)
packages=()
cleanup() {
    if ((${#packages[@]})); then
        env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q "${packages[@]}" >/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

(cd "$work" && cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake") \
    >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
debs=("$work"/out/*.deb)
for deb in "${debs[@]}"; do
    packages+=("$(dpkg-deb -f "$deb" Package)")
    printf '%-28s %4s KiB, installed %4s KiB; Depends: %s\n' "$(basename "$deb")" \
        "$(($(stat -c %s "$deb") / 1024))" "$(dpkg-deb -f "$deb" Installed-Size)" \
        "$(dpkg-deb -f "$deb" Depends)"
done
for name in libvexa1 libvexa-dev vexa-tool python3-vexa vexa-demo; do
    [[ " ${packages[*]} " == *" $name "* ]] || { echo "package $name not made" >&2; exit 1; }
done
if dpkg-query -W "${packages[@]}" >/dev/null 2>&1; then
    echo "vexa packages are installed already; not touching them" >&2
    packages=()
    exit 1
fi

# Informational tags are shown, not failed on.
lintian --display-info --fail-on error,warning --tag-display-limit 0 "${debs[@]}"

# What packages may touch; apt's and dpkg's own records change by design.
machine_files() {
    find /etc /opt /usr /var -xdev \( -path /var/lib/dpkg -o -path /var/lib/apt -o \
        -path /var/cache -o -path /var/log -o -path /var/tmp -o -path /usr/local \) -prune \
        -o -print | sort
}
machine_files >"$work/files-before"

env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${debs[@]}" \
    >"$work/apt.log" || { cat "$work/apt.log"; exit 1; }

# Everything below runs on the installed files only.
cd "$work"
unset LD_LIBRARY_PATH PKG_CONFIG_PATH PYTHONPATH

vexa-tool --sim status
# The Demo answers without a display.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM vexa-demo --version | grep -qx "vexa-demo .*"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM vexa-demo --help | grep -q -- --sim
# No installed file names the build tree.
dpkg -L "${packages[@]}" | while read -r file; do
    [[ -f $file && ! -L $file ]] && echo "$file"
done | xargs grep -l -F "$build" && { echo "installed files name the build tree" >&2; exit 1; }
[[ $(pkg-config --variable=prefix vexa) == /usr ]]
[[ -f /usr/lib/udev/rules.d/70-vexa-reader.rules ]]
[[ -f /usr/share/applications/vexa-demo.desktop ]]
[[ -f /usr/share/icons/hicolor/scalable/apps/vexa-demo.svg ]]
while read -r command _; do
    [[ -x $(command -v "$command") ]]
done < <(sed -n 's/^Exec=//p' /usr/share/applications/vexa-demo.desktop)
if [[ " ${packages[*]} " == *" vexa-pcsc "* ]]; then
    driver=$(pkg-config --variable=usbdropdir libpcsclite)/ifd-vexa.bundle/Contents
    [[ -f $driver/Info.plist ]]
    ldd "$driver/Linux/libifd-vexa.so" | grep -q '/libvexa\.so\.1 ' || {
        echo "the installed PC/SC driver does not find the installed library" >&2
        exit 1
    }
fi

# shellcheck disable=SC2046
cc -Wall -Werror -o consumer "$here/tests/consumer/consumer.c" $(pkg-config --cflags --libs vexa)
simulated=$(pkg-config --variable=libdir vexa)/vexa/simulated
VEXA_SIM_CARD=sle4442 LD_LIBRARY_PATH=$simulated ./consumer memory
# As root, and allowed to write byte code beside the module, as users run it.
VEXA_LIBRARY=$simulated/libvexa.so.1 env -u PYTHONDONTWRITEBYTECODE /usr/bin/python3 - <<'PY'
import vexa
with vexa.Reader() as reader:
    print(vexa.__file__, "reads the reader version", reader.version())
PY

env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q "${packages[@]}" >"$work/apt.log" ||
    { cat "$work/apt.log"; exit 1; }
echo "packages installed, used and purged: ${packages[*]}"
packages=()
cd /
machine_files | diff "$work/files-before" - || { echo "the purge left the machine changed" >&2; exit 1; }
