#!/usr/bin/env bash
# The 32-bit release programs say in their PE header that they can use
# addresses above 2 GiB (IMAGE_FILE_LARGE_ADDRESS_AWARE): on a 64-bit Windows
# they then have 4 GiB. Usage: scripts/check-large-address-aware.sh [BUILD_DIR]
set -u
build="${1:-build/win32}"
status=0
for program in Brevaro.exe Brevaro_test.exe Pellis.exe brevaro-cli.exe; do
    file="$build/bin/$program"
    if [[ ! -f "$file" ]]; then
        echo "large-address-aware: $file is missing" >&2
        status=1
    elif ! i686-w64-mingw32-objdump -p "$file" | grep -q "large address aware"; then
        echo "large-address-aware: $file is not" >&2
        status=1
    fi
done
[[ $status -eq 0 ]] && echo "large-address-aware: the 32-bit programs are"
exit $status
