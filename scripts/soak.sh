#!/usr/bin/env bash
# The soak run: the test build of the program for MINUTES (default 30) with
# all eight boards polling at interval 0 against sites on 127.0.0.1 whose
# pages change on every answer and now and then carry new posts (popups,
# sounds, list rebuilds); one forum board's site is hostile (32 MiB pages of
# titles never seen before; it resets, drips and stalls). Every 10 s the
# program is looked at from outside; each look is a row of the table. Not
# part of make test. The driver is tests/win/soak/SoakMain.cpp.
# Usage: scripts/soak.sh [MINUTES]
#   SOAK_HOSTILE_BYTES   the hostile board's page size (default 33554432: 32 MiB)
#   BREVARO_WINE_PREFIX  the Wine prefix (default build/soak-prefix, so that
#                        the run can go on beside make test)
#
# The run fails (exit status 1) when
#   - it could not be set up, or the program died;
#   - the main window did not answer a WM_NULL (SendMessageTimeout) within
#     100 ms at any sample;
#   - a board stopped polling: at a sample its last request was more than
#     60 s old (a fetch ends within 60 s whatever the server does), the
#     hostile board's more than 120 s (a drip or a stall holds its fetch the
#     full 60 s; a 32 MiB page's fetch and pass are given as long again);
#   - a count kept rising: leaving out a warm-up (the first 3 minutes, or the
#     first third of a shorter run), the samples are cut into thirds in time
#     order, and the highest value in the last third is above the highest in
#     the second third by more than 10 % plus a slack: 16 MiB of private
#     bytes, 32 handles, 16 GDI objects, 8 USER objects, 4 threads or 3
#     companion processes. A count that levels off passes however high it
#     went during the warm-up and the first third.
# The table's last lines name what failed and give the peak private bytes.
# What the program and Wine write to standard error goes to build/soak-wine.log.
# Everything the run started is stopped when it ends, Ctrl+C included.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:-30}
hostile_bytes=${SOAK_HOSTILE_BYTES:-33554432}
build=$root/build/win64
cd "$root"

log=$(mktemp)
if ! scripts/build.sh win64 -- --target soak_driver Brevaro_test >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    exit 1
fi
rm -f "$log"

export BREVARO_WINE_PREFIX=${BREVARO_WINE_PREFIX:-$root/build/soak-prefix}
source "$root/scripts/wine-session.sh"

trap wine_session_stop EXIT
trap 'exit 130' INT TERM
wine_session_start

echo "soak: $minutes min, hostile page $hostile_bytes bytes, prefix $BREVARO_WINE_PREFIX"
LC_ALL=C.UTF-8 "$BREVARO_WINE64" "$build/tests/win/soak_driver.exe" "$minutes" "$hostile_bytes" \
    2>"$root/build/soak-wine.log" | /usr/bin/python3 "$root/scripts/soak-table.py"
