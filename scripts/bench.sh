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
for b in "$DD_CROSS_DIR"/*_bench.exe; do
    [ -f "$b" ] || continue
    log "$(basename "$b") (under Wine)"
    "$wine" "$b"
done
