#!/usr/bin/env bash
# make demo: the whole job on this machine, without the internet. Local
# copies of the eight boards on 127.0.0.1 (the forum's six over HTTP, the
# article site and Lumaq over HTTPS through a relay, the announcement page),
# where new posts come in every few seconds, and the test build of the
# program pointed at them. The driver is tests/win/demo/DemoMain.cpp; its
# sites are the soak run's (tests/win/sites).
#   With DISPLAY set: the program runs on that display for you to work by
#     hand; it prints how, and runs until you close the program or press
#     Ctrl+C.
#   Without: on a private display the demo shows itself on 活动线报 (HTTP)
#     and Lumaq (HTTPS): keywords, both alerts, start; once each board has
#     shown a new matching post and its popup, screenshots of the main window
#     and the popup go to build/demo/, a summary is printed, and the exit
#     status is 0 (1 when anything did not happen).
# The Wine prefix is build/demo-prefix (BREVARO_WINE_PREFIX names another).
# Everything the demo started is stopped when it ends, Ctrl+C included.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=$root/build/demo

scripts/install-deps.sh >/dev/null
echo "demo: building the program and the demo's sites"
log=$(mktemp)
if ! scripts/build.sh win64 -- --target demo_driver Brevaro_test >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    exit 1
fi
rm -f "$log"

export BREVARO_WINE_PREFIX=${BREVARO_WINE_PREFIX:-$root/build/demo-prefix}
by_hand=0
if [[ -n "${DISPLAY:-}" ]]; then
    by_hand=1
    export BREVARO_WINE_DISPLAY=current
else
    export BREVARO_XVFB_OPTIONS="-wr"
fi
source "$root/scripts/wine-session.sh"

compositor=""
stop_all() {
    [[ -z "$compositor" ]] || kill "$compositor" 2>/dev/null || true
    wine_session_stop
}
trap stop_all EXIT
trap 'exit 130' INT TERM

echo "demo: preparing Wine (the first run creates the prefix, which takes a while)"
wine_session_start
driver=(env LC_ALL=C.UTF-8 "$BREVARO_WINE64" "$root/build/win64/tests/win/demo_driver.exe")
wine_log=$root/build/demo-wine.log

if [[ $by_hand -eq 1 ]]; then
    echo "demo: on the display $DISPLAY"
    "${driver[@]}" --by-hand 2>"$wine_log" | while IFS= read -r line; do
        line=${line%$'\r'}
        case "$line" in
            "say "*) echo "${line#say }" ;;
            *) echo "$line" ;;
        esac
    done
    exit 0
fi

# The popup and the main window's shadow are translucent: they blend under a
# compositing manager and show opaque without one.
if command -v xcompmgr >/dev/null; then
    xcompmgr -d "$DISPLAY" >/dev/null 2>&1 &
    compositor=$!
fi
echo "demo: no display: it shows itself on the private display $DISPLAY"
rm -rf "$out"
mkdir -p "$out"
failed=0
shots=0
coproc DRIVER { "${driver[@]}" 2>"$wine_log"; }
driver_pid=$DRIVER_PID  # bash unsets DRIVER_PID once the driver has ended
while IFS= read -r line <&"${DRIVER[0]}"; do
    line=${line%$'\r'}
    case "$line" in
        "say "*) echo "${line#say }" ;;
        "shot "*)
            read -r _ name x y w h <<<"$line"
            # The window of that place, taken by itself: under the compositing
            # manager it holds its whole picture even where another window
            # covers it (without a window manager, Wine lets the main window
            # cover the topmost popup of another process). Without one, the
            # screen's part.
            window=$(xwininfo -display "$DISPLAY" -root -tree 2>/dev/null |
                awk -v g=" ${w}x${h}+${x}+${y} " 'index($0, g) {print $1; exit}')
            if [[ -n "$compositor" && -n "$window" ]]; then
                import -display "$DISPLAY" -window "$window" "$out/$name.png"
            else
                import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$name.png"
            fi
            echo "screenshot: $out/$name.png"
            shots=$((shots + 1))
            echo >&"${DRIVER[1]}"
            ;;
        "fail "*)
            echo "demo: ${line#fail }" >&2
            failed=1
            ;;
        *) echo "$line" ;;
    esac
done
wait "$driver_pid" || failed=1
if [[ $failed -eq 0 && $shots -eq 2 ]]; then
    echo "demo: done"
    exit 0
fi
echo "demo: it did not all happen (Wine's messages: $wine_log)" >&2
exit 1
