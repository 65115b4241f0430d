#!/usr/bin/env bash
# Builds and runs every benchmark (release build), each against its peer or limit in the same run: the portable
# ones natively, the Windows side's under Wine on a private display. Arguments go to the native ones.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$DD_ROOT/scripts/setup.sh"
cmake -S "$DD_ROOT" -B "$DD_BUILD/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$DD_BUILD/bench"
for b in "$DD_BUILD"/bench/*_bench; do
    [ -x "$b" ] || continue
    log "$(basename "$b")"
    "$b" "$@"
done

dd_cross_build "$(dd_wine_arch)"
dd_wine_prefix
dd_start_display
wine=$(dd_wine_program)
log "numberinfo_fill_bench (under Wine)"
"$wine" "$DD_CROSS_DIR/numberinfo_fill_bench.exe"
log "uninstall_scan_bench (under Wine)"
"$wine" "$DD_CROSS_DIR/uninstall_scan_bench.exe"
log "timer_cpu_bench (under Wine)"
"$wine" "$DD_CROSS_DIR/timer_cpu_bench.exe"
log "clipboard_show_bench (under Wine)"
DD_DIST=$DD_CROSS_DIR/dist DD_WORK=$DD_CROSS_DIR/bench-work "$wine" "$DD_CROSS_DIR/clipboard_show_bench.exe"
log "startup_bench (under Wine)"
DD_DIST=$DD_CROSS_DIR/dist DD_WORK=$DD_CROSS_DIR/bench-work "$wine" "$DD_CROSS_DIR/startup_bench.exe"
