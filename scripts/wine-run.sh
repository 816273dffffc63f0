#!/usr/bin/env bash
# Runs an x86_64 Windows executable under Wine in the test session's prefix:
# the emulator CTest uses for the win64 build. scripts/test.sh starts the
# session (display, prefix) and exports the variables used here.
#
# Every process a Windows program starts under Wine gets the program's Unix
# standard output and error, whatever the program asked for (Wine starts
# its children from its own process, and the handles a Windows program
# passes on are not what the Unix side inherits). A process a test leaves
# running — a companion with its stay still counting, a program the shell
# started for a test, a Wine service a test happened to wake — would then
# hold CTest's pipe, and CTest waits for the pipe to close, past the test's
# end, until its time-out. So the test writes into a file of its own that
# this script copies out as it grows (tail follows the test's process and
# nothing else), and the pipe closes when the test ends, whatever it left
# behind. What it left behind is named, and ended unless it is one of
# Wine's own processes of the session.
if [[ -z "${BREVARO_WINE64:-}" || -z "${WINEPREFIX:-}" ]]; then
    echo "wine-run: no Wine session; run the Windows tests through 'make test'" >&2
    exit 125
fi
# Wine reads the Unix arguments in the locale's charset.
export LC_ALL=C.UTF-8

output=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
"$BREVARO_WINE64" "$@" >"$output" 2>&1 </dev/null &
program=$!
# Stops the program and the copying with the script (CTest's time-out).
trap 'kill "$program" "${copier:-}" 2>/dev/null; rm -f "$output"; exit 143' TERM INT
tail -c +1 --pid="$program" -f "$output" &
copier=$!
wait "$program"
status=$?
wait "$copier"

# Whatever still holds the output file was started by this test.
wine_session_process() {
    case "$1" in
        *services.exe* | *winedevice.exe* | *plugplay.exe* | *explorer.exe* | *rpcss.exe* | \
            *svchost.exe* | *conhost.exe* | *winemenubuilder* | *wineserver*) return 0 ;;
    esac
    return 1
}
declare -A named=()
for fd in /proc/[0-9]*/fd/*; do
    [[ "$(readlink "$fd" 2>/dev/null)" == "$output" ]] || continue
    pid=${fd#/proc/}
    pid=${pid%%/*}
    [[ "$pid" == "$$" || -n "${named[$pid]:-}" ]] && continue
    named[$pid]=1
    command=$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)
    [[ -n "$command" ]] || continue
    if wine_session_process "$command"; then
        echo "wine-run: Wine's own process $pid started during the test: $command" >&2
    else
        echo "wine-run: the test left process $pid running: $command; ended" >&2
        kill -9 "$pid" 2>/dev/null
    fi
done
rm -f "$output"
exit "$status"
