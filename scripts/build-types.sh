#!/usr/bin/env bash
# Builds every target of the three builds in each of CMake's four standard
# build types, in folders of their own (build/types/BUILD-TYPE), warnings
# being errors as everywhere: what a packager may choose must build clean.
# Not part of make test (which builds native and win64 as RelWithDebInfo and
# win32 as Release); takes about an hour on two cores from nothing.
# Usage: scripts/build-types.sh [TYPE...]   (default: Release MinSizeRel Debug RelWithDebInfo)
#   BUILDS  which builds, in order (default: "win64 native win32")
# Prints one line per build and type; exits non-zero when any failed (its
# log is build/types/BUILD-TYPE.log).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
types=("$@")
[[ ${#types[@]} -gt 0 ]] || types=(Release MinSizeRel Debug RelWithDebInfo)
mkdir -p "$root/build/types"
failed=0
for type in "${types[@]}"; do
    for build in ${BUILDS:-win64 native win32}; do
        dir="$root/build/types/$build-$type"
        log="$dir.log"
        case "$build" in
            native) toolchain=() ;;
            win64) toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake") ;;
            win32) toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake") ;;
        esac
        started=$SECONDS
        if cmake -S "$root" -B "$dir" -G Ninja "${toolchain[@]}" -DCMAKE_BUILD_TYPE="$type" >"$log" 2>&1 &&
            cmake --build "$dir" >>"$log" 2>&1; then
            echo "ok      $build $type ($((SECONDS - started)) s)"
        else
            echo "FAILED  $build $type ($((SECONDS - started)) s): $log"
            failed=1
        fi
    done
done
exit $failed
