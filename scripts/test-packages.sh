#!/usr/bin/env bash
# Makes the Debian packages of a build configured with -DCMAKE_INSTALL_PREFIX=/usr,
# installs them with apt-get as a user would, uses what they installed (the
# tool on the simulated reader, a C program built through pkg-config, the
# Python module, the desktop entry) and removes them again, also when a check
# fails. Needs root (CI runs as root).
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
for name in libvexa1 libvexa-dev vexa-tool vexa-demo; do
    [[ " ${packages[*]} " == *" $name "* ]] || { echo "package $name not made" >&2; exit 1; }
done
if dpkg-query -W "${packages[@]}" >/dev/null 2>&1; then
    echo "vexa packages are installed already; not touching them" >&2
    packages=()
    exit 1
fi

env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${debs[@]}" \
    >"$work/apt.log" || { cat "$work/apt.log"; exit 1; }

# Everything below runs on the installed files only.
cd "$work"
unset LD_LIBRARY_PATH PKG_CONFIG_PATH PYTHONPATH

vexa-tool --sim status
[[ -f /usr/lib/udev/rules.d/70-vexa-reader.rules ]]
[[ -f /usr/share/applications/vexa-demo.desktop ]]
[[ -f /usr/share/icons/hicolor/scalable/apps/vexa-demo.svg ]]
[[ -x $(command -v "$(sed -n 's/^Exec=//p' /usr/share/applications/vexa-demo.desktop)") ]]
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
VEXA_LIBRARY=$simulated/libvexa.so.1 /usr/bin/python3 - <<'PY'
import vexa
with vexa.Reader() as reader:
    print(vexa.__file__, "reads the reader version", reader.version())
PY
echo "packages installed and used, now removed: ${packages[*]}"
