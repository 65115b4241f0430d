#!/usr/bin/env bash
# Builds and runs every benchmark (release build), each against its peer or limit in the same run.
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
