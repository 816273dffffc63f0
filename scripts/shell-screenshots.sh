#!/usr/bin/env bash
# Screenshots of the program's main window in the states worth looking at
# (start-up, each page, the settings panel, the links window, the QR tool
# window, a healthy, a failing and a guest-view board, the exit box),
# taken on a private Xvfb display with a white root, so the window's shadow
# shows. The test build's tour (shell_tour) drives the program.
# Usage: scripts/shell-screenshots.sh [BUILD_DIR [OUT_DIR]]
#   BUILD_DIR  an x86_64 build (default build/win64); OUT_DIR default build/screenshots
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win64}
out=${2:-$root/build/screenshots}
cd "$root"

cmake --build "$build" --target shell_tour Brevaro_test trust_certificate >/dev/null
mkdir -p "$out"

export BREVARO_XVFB_OPTIONS="-wr" BREVARO_TEST_BUILD="$build"
source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start

# Translucent windows (the window's shadow) blend only under a compositing
# manager; without one they show opaque.
compositor=""
if command -v xcompmgr >/dev/null; then
    xcompmgr -d "$DISPLAY" >/dev/null 2>&1 &
    compositor=$!
fi
stop_all() {
    [[ -z "$compositor" ]] || kill "$compositor" 2>/dev/null || true
    wine_session_stop
}
trap stop_all EXIT

coproc TOUR { LC_ALL=C.UTF-8 "$BREVARO_WINE64" "$build/tests/win/shell_tour.exe" 2>/dev/null; }
while IFS= read -r line <&"${TOUR[0]}"; do
    line=${line%$'\r'}
    case "$line" in
        "shot "*)
            name=${line#shot }
            import -display "$DISPLAY" -window root "$out/$name.png"
            echo "$out/$name.png"
            echo >&"${TOUR[1]}"
            ;;
        done) break ;;
        *) echo "$line" >&2 ;;
    esac
done
