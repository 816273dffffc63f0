#!/usr/bin/env bash
# make run: builds the program (x86_64) and runs it under Wine: on the current
# display when DISPLAY is set, otherwise on a private Xvfb display. Once its
# main window is up, a screenshot of the screen goes to build/screenshot.png;
# the program then runs until it is closed or this command is interrupted.
# The Wine prefix is build/run-prefix (BREVARO_WINE_PREFIX names another), so
# a run and the tests never share one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh >/dev/null
scripts/build.sh win64 -- --target Brevaro >/dev/null
# The program talks to the real sites here: its prefix trusts no test
# authority (scripts/wine-session.sh).
export BREVARO_TRUST_TEST_AUTHORITY=0

export BREVARO_WINE_PREFIX="${BREVARO_WINE_PREFIX:-$root/build/run-prefix}"
export BREVARO_WINE_DISPLAY=current
private_display=1
[[ -z "${DISPLAY:-}" ]] || private_display=0
source scripts/wine-session.sh

compositor=""
program=""
stop_all() {
    [[ -z "$program" ]] || kill "$program" 2>/dev/null || true
    [[ -z "$compositor" ]] || kill "$compositor" 2>/dev/null || true
    wine_session_stop
}
trap stop_all EXIT
trap 'exit 130' INT TERM

echo "run: preparing Wine (the first run creates the prefix, which takes a while)"
wine_session_start
if [[ $private_display -eq 1 ]]; then
    # The window's shadow is translucent: it blends under a compositing
    # manager and shows opaque without one.
    if command -v xcompmgr >/dev/null; then
        xcompmgr -d "$DISPLAY" >/dev/null 2>&1 &
        compositor=$!
    fi
    echo "run: on the private display $DISPLAY"
else
    echo "run: on the display $DISPLAY"
fi

"$BREVARO_WINE64" "$root/build/win64/bin/Brevaro.exe" >/dev/null 2>&1 &
program=$!

# The main window is a 978 x 550 window of brevaro.exe; it appears once the
# announcement has been read.
shown=0
for _ in $(seq 1 600); do
    if xwininfo -display "$DISPLAY" -root -tree 2>/dev/null | grep -qi '"brevaro.exe".*978x550'; then
        shown=1
        break
    fi
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
if [[ $shown -eq 1 ]]; then
    sleep 1  # its first paint and the network test
    import -display "$DISPLAY" -window root "$root/build/screenshot.png"
    echo "run: the main window is up; screenshot in build/screenshot.png"
else
    echo "run: the main window did not appear" >&2
fi
echo "run: Brevaro runs until you close it or press Ctrl+C"
wait "$program" || true
program=""
