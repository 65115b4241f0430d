#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test layer: style, native unit tests, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer, the thread tests under ThreadSanitizer, a short fuzz smoke per
# target, the Windows build, and the Win32 and end-to-end tests under Wine.
set -euo pipefail
source "$(dirname "$0")/common.sh"
FUZZ_SECONDS=${FUZZ_SECONDS:-15}
failed=()
step() {
    local name=$1
    shift
    log "$name"
    if "$@"; then echo "-- $name: ok"; else echo "-- $name: FAILED"; failed+=("$name"); fi
}

"$DD_ROOT/scripts/setup.sh"
cd "$DD_ROOT"

style() {
    local files
    files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find core tools tests fuzz bench -name '*.cpp' -o -name '*.h')
    [ -z "$files" ] || clang-format --dry-run -Werror $files
}

native() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null &&
        cmake --build "$dir" &&
        ctest --test-dir "$dir" --output-on-failure -j2
}

# Only the code that starts threads: the rest gains nothing from a ThreadSanitizer run.
thread_tests() {
    local dir=$DD_BUILD/native-tsan
    cmake -S . -B "$dir" -G Ninja -DTSAN=ON >/dev/null &&
        cmake --build "$dir" --target thread_tests &&
        TSAN_OPTIONS="halt_on_error=1 ${TSAN_OPTIONS:-}" "$dir/thread_tests" --gtest_brief=1
}

fuzz() {
    CC=clang CXX=clang++ cmake -S . -B "$DD_BUILD/fuzz" -G Ninja -DFUZZ=ON >/dev/null &&
        cmake --build "$DD_BUILD/fuzz" || return 1
    local target name corpus
    for target in "$DD_BUILD"/fuzz/*_fuzz; do
        [ -f "$target" ] && [ -x "$target" ] || continue
        name=$(basename "$target")
        corpus=$DD_BUILD/fuzz-corpus/$name
        mkdir -p "$corpus"
        [ -d "fuzz/corpus/$name" ] && cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null
        echo "fuzz smoke: $name for ${FUZZ_SECONDS}s"
        # Findings are written beside the logs, not into the working folder.
        "$target" -max_total_time="$FUZZ_SECONDS" -timeout=5 -print_final_stats=0 \
            -artifact_prefix="$DD_BUILD/fuzz/$name-" "$corpus" 2>"$DD_BUILD/fuzz/$name.log" ||
            { tail -n 40 "$DD_BUILD/fuzz/$name.log"; return 1; }
    done
}

# The shipped program: i686, GUI subsystem, importing nothing but system DLLs.
windows_build() {
    dd_cross_build i686 || return 1
    local exe=$DD_CROSS_DIR/dist/DaDeruv.exe
    file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || { file "$exe"; return 1; }
    local dlls
    dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
    echo "DaDeruv.exe imports: $(echo $dlls)"
    if echo "$dlls" | grep -E -q 'libstdc|libgcc|libwinpthread|mingw'; then
        echo "DaDeruv.exe needs MinGW DLLs"
        return 1
    fi
}

wine_tests() {
    local arch
    arch=$(dd_wine_arch)
    echo "Wine runs the $arch build"
    dd_cross_build "$arch" || return 1
    dd_start_display
    dd_wine_prefix
    # A drive of the prefix's own on a folder of this machine, for the Drive Lister's sizes to be checked against
    # df's; the mount manager finds it when the Wine server starts next.
    if [ ! -L "$WINEPREFIX/dosdevices/m:" ]; then
        ln -s "$DD_BUILD" "$WINEPREFIX/dosdevices/m:"
        wineserver -w 2>/dev/null || true
    fi
    local rc=0
    ctest --test-dir "$DD_CROSS_DIR" --output-on-failure || rc=1
    dd_stop_display
    local shot
    for shot in "$DD_CROSS_DIR"/screenshots/*.bmp; do
        [ -f "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
    done
    echo "Screenshots: $DD_CROSS_DIR/screenshots/"
    ls "$DD_CROSS_DIR/screenshots/" 2>/dev/null || true
    return $rc
}

step "style (clang-format)" style
step "native unit tests" native "$DD_BUILD/native"
step "native unit tests under ASan+UBSan" native "$DD_BUILD/native-sanitize" -DSANITIZE=ON
step "native thread tests under ThreadSanitizer" thread_tests
step "fuzz smoke" fuzz
step "Windows build (i686)" windows_build
step "Win32 and end-to-end tests under Wine" wine_tests

if [ ${#failed[@]} -ne 0 ]; then
    printf '\nFAILED: %s\n' "${failed[*]}"
    exit 1
fi
printf '\nAll test layers passed.\n'
