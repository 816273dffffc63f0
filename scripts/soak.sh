#!/usr/bin/env bash
# The soak run: the test build of the program for MINUTES (default 30) with
# all eight boards polling at interval 0 against sites on 127.0.0.1 whose
# pages change on every answer and now and then carry new posts (popups,
# sounds, list rebuilds); one forum board's site is hostile (32 MiB pages of
# titles never seen before; it resets, drips a body, stalls, drips a header
# block and cuts a page short). Every 10 s the program is looked at from
# outside; each look is a row of the table. Not part of make test. The
# driver is tests/win/soak/SoakMain.cpp.
# Usage: scripts/soak.sh [MINUTES] [--without-eviction]
#   --without-eviction   the boards' runs keep every row and title (the test
#                        build's BREVARO_TEST_WITHOUT_EVICTION): the stores
#                        grow for as long as the hostile board brings new
#                        titles, and the run must fail on private bytes
#   SOAK_HOSTILE_BYTES   the hostile board's page size (default 33554432: 32 MiB)
#   SOAK_LIMITS_DIVISOR  what the boards' runs keep: the stored rows' and
#                        seen titles' limits divided by it (default 100:
#                        1,000 rows and 2,000 titles, which the hostile board
#                        fills with its first two pages, well within the
#                        warm-up; 1: the program's own limits)
#   BREVARO_WINE_PREFIX  the Wine prefix (default build/soak-prefix, so that
#                        the run can go on beside make test)
#
# The run fails (exit status 1) when
#   - it could not be set up, or the program died;
#   - the main window did not answer a WM_NULL (SendMessageTimeout) within
#     100 ms at any sample;
#   - a board stopped polling: at a sample its last request was more than
#     60 s old (a fetch ends within 60 s whatever the server does), the
#     hostile board's more than 120 s (a pass ends at most 60 s after its
#     request, when the whole request's deadline gives up a drip, a stall or
#     a header drip, plus the cutting of what came: a 32 MiB page's pass is
#     given as long again);
#   - a count kept rising: leaving out a warm-up (the first 3 minutes, or the
#     first third of a shorter run), each count's lowest value in every
#     minute (the count at rest: no 32 MiB page in flight, no popup under
#     way) gets a least-squares line whose slope is above the count's limit
#     a minute and whose rise over the judged minutes is above its slack:
#     private bytes 0.25 MiB a minute and 4 MiB (a run that keeps every row
#     grows 2 to 4 MiB a hostile page, about a page a minute), handles 2
#     and 32, GDI objects 1 and 16, USER objects 1 and 8, threads 0.5 and 4,
#     companion processes 0.5 and 3. A count that levels off passes however
#     high it went during the warm-up, a page in flight at some samples does
#     not count, and a count that steps up once and stays lifts the line by
#     at most one and a half times the step. At least 3 minutes must be left
#     after the warm-up.
# The table's last lines give the longest time each board went without a
# request, each count's lowest value minute by minute with its slope, the
# peak private bytes and what failed.
# What the program and Wine write to standard error goes to build/soak-wine.log.
# Everything the run started is stopped when it ends, Ctrl+C included.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
minutes=30
eviction=on
for arg in "$@"; do
    case "$arg" in
        --without-eviction) eviction=off ;;
        -*) echo "usage: scripts/soak.sh [MINUTES] [--without-eviction]" >&2; exit 2 ;;
        *) minutes=$arg ;;
    esac
done
hostile_bytes=${SOAK_HOSTILE_BYTES:-33554432}
# Read by the test build of the program (src/app/shell/TestMain_win.cpp).
export BREVARO_TEST_RUN_LIMITS_DIVISOR=${SOAK_LIMITS_DIVISOR:-100}
if [[ $eviction == off ]]; then export BREVARO_TEST_WITHOUT_EVICTION=1; else unset BREVARO_TEST_WITHOUT_EVICTION; fi
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

echo "soak: $minutes min, hostile page $hostile_bytes bytes, run limits divided by" \
    "$BREVARO_TEST_RUN_LIMITS_DIVISOR, eviction $eviction, prefix $BREVARO_WINE_PREFIX"
LC_ALL=C.UTF-8 "$BREVARO_WINE64" "$build/tests/win/soak_driver.exe" "$minutes" "$hostile_bytes" \
    2>"$root/build/soak-wine.log" | /usr/bin/python3 "$root/scripts/soak-table.py"
