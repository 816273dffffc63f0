#!/usr/bin/env bash
# make test: installs what is missing, builds the three builds, runs the
# native unit tests, then the Windows tests under Wine on a private display,
# then the demo, headless.
# Prints one summary; exits non-zero when any step fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

declare -a summary=()
failed=0

# step NAME COMMAND...: runs a step, records its outcome.
step() {
    local name=$1; shift
    echo "==> $name"
    local started=$SECONDS
    if "$@"; then
        summary+=("ok      $name ($((SECONDS - started)) s)")
        return 0
    fi
    summary+=("FAILED  $name ($((SECONDS - started)) s)")
    failed=1
    return 1
}

skip() { summary+=("skipped $1 (an earlier step failed)"); failed=1; }

windows_tests() {
    source "$root/scripts/wine-session.sh"
    trap wine_session_stop EXIT
    wine_session_start || return 1
    ctest --test-dir build/win64 --output-on-failure -j 2
    local result=$?
    wine_session_stop
    trap - EXIT
    return $result
}

if step "dependencies" scripts/install-deps.sh; then
    step "build native" scripts/build.sh native
    native_built=$?
    step "build win64" scripts/build.sh win64
    win64_built=$?
    if step "build win32 (release, compile and link only)" scripts/build.sh win32; then
        step "win32 programs large-address-aware" scripts/check-large-address-aware.sh build/win32
    fi

    if [[ $native_built -eq 0 ]]; then
        step "native unit tests (ASan, UBSan)" ctest --test-dir build/native --output-on-failure -j 2
    else
        skip "native unit tests"
    fi
    if [[ $win64_built -eq 0 ]]; then
        step "windows tests (x86_64 under Wine)" windows_tests
        # The demo as a reviewer runs it without a display: it must keep
        # showing the job.
        step "demo (make demo, headless)" env -u DISPLAY scripts/demo.sh
    else
        skip "windows tests"
    fi
else
    skip "builds and tests"
fi

echo
echo "==== make test summary ===="
printf '%s\n' "${summary[@]}"
if [[ $failed -ne 0 ]]; then
    echo "RESULT: FAILED"
    exit 1
fi
echo "RESULT: all passed"
