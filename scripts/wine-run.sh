#!/usr/bin/env bash
# Runs an x86_64 Windows executable under Wine in the test session's prefix:
# the emulator CTest uses for the win64 build. scripts/test.sh starts the
# session (display, prefix) and exports the variables used here.
if [[ -z "${BREVARO_WINE64:-}" || -z "${WINEPREFIX:-}" ]]; then
    echo "wine-run: no Wine session; run the Windows tests through 'make test'" >&2
    exit 125
fi
# Wine reads the Unix arguments in the locale's charset.
export LC_ALL=C.UTF-8
exec "$BREVARO_WINE64" "$@"
