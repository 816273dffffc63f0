#!/usr/bin/env bash
# Configures (once) and builds one or more of the three builds:
#   native  host g++: portable core, unit tests (ASan/UBSan), benchmarks, brevaro-cli
#   win64   x86_64-w64-mingw32: every target; its tests run here under Wine
#   win32   i686-w64-mingw32: the release executables (not runnable here),
#           built as shipped: CMAKE_BUILD_TYPE=Release
# native and win64 are RelWithDebInfo (the project's default type).
# Usage: scripts/build.sh [native|win64|win32]... [-- extra cmake --build args]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

builds=()
extra=()
while [[ $# -gt 0 ]]; do
    if [[ "$1" == "--" ]]; then shift; extra=("$@"); break; fi
    builds+=("$1"); shift
done
[[ ${#builds[@]} -gt 0 ]] || builds=(native win64 win32)

for build in "${builds[@]}"; do
    dir="$root/build/$build"
    type=RelWithDebInfo
    case "$build" in
        native) toolchain=() ;;
        win64) toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake") ;;
        win32) toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake"); type=Release ;;
        *) echo "unknown build: $build (native, win64, win32)" >&2; exit 2 ;;
    esac
    # Configured once, and again when the folder holds another build type.
    if [[ ! -f "$dir/build.ninja" ]] ||
        ! grep -qx "CMAKE_BUILD_TYPE:STRING=$type" "$dir/CMakeCache.txt" 2>/dev/null; then
        cmake -S "$root" -B "$dir" -G Ninja "${toolchain[@]}" -DCMAKE_BUILD_TYPE="$type" >/dev/null
    fi
    cmake --build "$dir" "${extra[@]}"
done
