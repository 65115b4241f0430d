#!/usr/bin/env bash
# Installs whatever the build, the tests and the run need and is not there yet (Debian).
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
    clang-format python3 file zip libmuparser-dev units zlib1g-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64
    wine wine64 wine32:i386
    xvfb xauth openbox wmctrl xdotool imagemagick xclip
    libnettle8 libgnutls30 libseccomp2 libcap2 libwrap0 libtirpc3 libnsl2 iproute2
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

sudo=
[ "$(id -u)" -ne 0 ] && sudo=sudo
if [ ${#missing[@]} -ne 0 ]; then
    echo "Installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -q
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The time servers the tests talk to (chrony for NTP, xinetd for TIME and DAYTIME), unpacked into the build folder
# rather than installed: an installed chrony would start as the machine's own time service and set its clock.
servers=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/time-servers
if [ ! -x "$servers/usr/sbin/chronyd" ] || [ ! -x "$servers/usr/sbin/xinetd" ]; then
    debs=$(mktemp -d)
    chmod 755 "$debs"  # apt's own user downloads into it
    if ! (cd "$debs" && apt-get download chrony xinetd); then
        $sudo apt-get update -q
        (cd "$debs" && apt-get download chrony xinetd)
    fi
    mkdir -p "$servers"
    for deb in "$debs"/*.deb; do dpkg-deb -x "$deb" "$servers"; done
    rm -rf "$debs"
fi
