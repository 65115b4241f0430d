#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine: the launcher without an argument, the
# named tool with one. Without a display it runs inside Xvfb, saves a screenshot and closes the program again.
set -euo pipefail
source "$(dirname "$0")/common.sh"

"$DD_ROOT/scripts/setup.sh"
arch=$(dd_wine_arch)
dd_cross_build "$arch" --target dist
wine=$(dd_wine_program)
headless=
[ -z "${DISPLAY:-}" ] && headless=1
dd_start_display
dd_wine_prefix

cd "$DD_CROSS_DIR/dist"
# Under Wine the Time Synchroniser would move this machine's clock: it writes the time it would set here instead.
export DD_CLOCK_RECORD=$DD_BUILD/time-sync-clock.txt
if [ -z "$headless" ]; then
    exec "$wine" ./DaDeruv.exe "$@"
fi

"$wine" ./DaDeruv.exe "$@" &
app=$!
sleep "${DD_SCREENSHOT_DELAY:-5}"
shots=$DD_BUILD/screenshots
mkdir -p "$shots"
name=$(printf '%s' "${1:-launcher}" | tr -c 'A-Za-z0-9_-' '_')
import -window root "$shots/run-$name.png"
echo "Screenshot: $shots/run-$name.png"
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
