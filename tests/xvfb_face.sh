#!/usr/bin/env bash
# The title screen in the design's own face, from its first frame, on a machine that has a face
# named "Arial Black": here one made from Lato Black, with every letter a quarter wider, so
# that a text laid out in Lato Black first would show. On a display without a window manager,
# so that nothing else draws there.
# Usage: xvfb_face.sh PATH/TO/vorlan-cup PATH/TO/frames
set -euo pipefail
game=$1 frames=$2
. "$(dirname "$0")/xvfb_display.sh"
private=$(mktemp -d)
XVFB_PID=
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$private"' EXIT
private_environment "$private"
shots=${VORLAN_SCREENSHOTS:-$PWD/screenshots}/face
rm -rf "$shots" && mkdir -p "$shots"

lato=$(fc-match -f '%{file}' 'Lato:style=Black')
mkdir -p "$XDG_DATA_HOME/fonts"
timeout -k 5 60 /usr/bin/python3 - "$lato" "$XDG_DATA_HOME/fonts/ArialBlack.ttf" <<'EOF'
import sys
from fontTools.ttLib import TTFont

font = TTFont(sys.argv[1])
names = {1: "Arial Black", 2: "Regular", 4: "Arial Black", 6: "ArialBlack",
         16: "Arial Black", 17: "Regular"}
for record in font["name"].names:
    if record.nameID in names:
        record.string = names[record.nameID]
metrics = font["hmtx"].metrics
for glyph, (advance, bearing) in metrics.items():
    metrics[glyph] = (advance * 5 // 4, bearing)
font.save(sys.argv[2])
EOF
fc-list : family | grep -qx "Arial Black" || { echo "FAIL: fontconfig does not list the face made"; exit 1; }

start_xvfb
status=0
timeout -k 5 60 "$frames" '#F4D10B' "$shots" "$game" || status=$?
if [ "$status" -ne 0 ]; then
    echo "FAIL: the title's first frame with its texts is not its last (status $status);" \
        "the frames are in $shots" >&2
    exit 1
fi
