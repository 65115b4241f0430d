# Shared by the scripts: folders, the Wine environment and a private X display.
DD_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DD_BUILD=$DD_ROOT/build
export WINEPREFIX=$DD_BUILD/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='

log() { printf '\n== %s\n' "$*"; }

# Where the host cannot execute 32-bit code (no IA-32 emulation), 32-bit Wine cannot run: the Windows tests then
# run an x86-64 build of the same sources under the 64-bit Wine.
dd_wine_arch() {
    if [ -n "${DD_WINE_ARCH:-}" ]; then
        echo "$DD_WINE_ARCH"
    elif [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
        echo i686
    else
        echo x86_64
    fi
}

dd_wine_program() {
    if [ "$(dd_wine_arch)" = i686 ]; then
        command -v wine
    else
        for w in /usr/lib/wine/wine64 /usr/lib64/wine/wine64 "$(command -v wine64 || true)"; do
            [ -n "$w" ] && [ -x "$w" ] && { echo "$w"; return; }
        done
        command -v wine
    fi
}

# Configures and builds the cross build for one architecture into build/win32 (i686) or build/win64 (x86_64).
dd_cross_build() {
    local arch=$1 dir
    if [ "$arch" = i686 ]; then dir=$DD_BUILD/win32; else dir=$DD_BUILD/win64; fi
    DD_CROSS_DIR=$dir
    cmake -S "$DD_ROOT" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$DD_ROOT/cmake/mingw-$arch.cmake" >/dev/null &&
        cmake --build "$dir" "${@:2}"
}

dd_wine_prefix() {
    local wine
    wine=$(dd_wine_program)
    mkdir -p "$DD_BUILD"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "Creating the Wine prefix $WINEPREFIX"
        "$wine" wineboot -i >/dev/null 2>&1 || true
        wineserver -w 2>/dev/null || true
    fi
}

DD_XVFB_PID=
DD_WM_PID=
# Starts Xvfb (and a window manager, for frames and focus) when there is no display.
dd_start_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${DD_FORCE_XVFB:-}" ]; then
        return
    fi
    local n=90
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    DD_XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 1 100); do
        [ -e /tmp/.X11-unix/X$n ] && break
        sleep 0.1
    done
    if command -v openbox >/dev/null; then
        openbox >/dev/null 2>&1 &
        DD_WM_PID=$!
    fi
    trap dd_stop_display EXIT
}

dd_stop_display() {
    wineserver -k 2>/dev/null || true
    [ -n "$DD_WM_PID" ] && kill "$DD_WM_PID" 2>/dev/null
    [ -n "$DD_XVFB_PID" ] && kill "$DD_XVFB_PID" 2>/dev/null
    DD_WM_PID=
    DD_XVFB_PID=
}
