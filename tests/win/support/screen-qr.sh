#!/bin/sh
# Started by a Windows test under Wine (Wine runs Unix programs directly):
# takes a screenshot of the test session's display, crops a rectangle of it
# and decodes the QR code there.
#   screen-qr.sh LEFT TOP WIDTH HEIGHT OUTDIR
# Writes OUTDIR/shot.png, OUTDIR/payload (zbarimg's exact payload bytes) and,
# last, OUTDIR/status (zbarimg's exit code: 0 found, 4 nothing found), which
# the test waits for.
set -u
left=$1 top=$2 width=$3 height=$4 out=$5
status=1
if import -display "$DISPLAY" -window root -crop "${width}x${height}+${left}+${top}" +repage "$out/shot.png" \
    2>"$out/import.err"; then
    zbarimg --nodbus -q -Sbinary "$out/shot.png" >"$out/payload" 2>/dev/null
    status=$?
fi
echo "$status" >"$out/status.tmp"
mv "$out/status.tmp" "$out/status"
