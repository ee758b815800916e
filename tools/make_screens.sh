#!/usr/bin/env bash
# Makes the pictures of docs/screens with zorvic_snap (built with the tests): the main designs of
# docs/screens/designs at zoom 1 and at zoom 0.6, where the labels give way to the logo, and the
# other windows. The curve window needs the scroll control registered (zorvic_regctl).
#   tools/make_screens.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
snap="${1:-build}/tests/snap/zorvic_snap"
export QT_QPA_PLATFORM=offscreen
for name in default six-outputs dc-input surge-clamp; do
    design="docs/screens/designs/$name.json"
    "$snap" "$design" --window main --zoom 1 --png "docs/screens/$name.png" > /dev/null
    "$snap" "$design" --window main --zoom 0.6 --png "docs/screens/$name-small.png" > /dev/null
done
# The main window after File > Open of the six-output design's project file, from the default one.
"$snap" --window main --do open=docs/screens/designs/six-outputs.zpj --png docs/screens/main-six-outputs.png > /dev/null
# The summary and the bill of materials of the default design.
"$snap" docs/screens/designs/default.json --window summary --size 520x720 --png docs/screens/default-summary.png > /dev/null
"$snap" docs/screens/designs/default.json --window bom --size 900x900 --png docs/screens/default-bom.png > /dev/null
# The printed main window, curve window and bill of materials of the default design.
tmp=$(mktemp -d)
"$snap" docs/screens/designs/default.json --window main --zoom 1 --png "$tmp/main.png" --print-to "$tmp" > /dev/null 2>&1
mv "$tmp/Default - Design.pdf" docs/default-main.pdf
"$snap" docs/screens/designs/default.json --window curves --layout quad --curves 1,3,9,18 --cursor 0.5 \
    --png "$tmp/curves.png" --print-to "$tmp" > /dev/null 2>&1
mv "$tmp/Default - Waveform.pdf" docs/default-curves.pdf
"$snap" docs/screens/designs/default.json --window bom --size 900x900 --png "$tmp/bom.png" --print-to "$tmp" > /dev/null 2>&1
mv "$tmp/Default - BOM List.pdf" docs/default-bom.pdf
rm -rf "$tmp"
# The curve window of the default design: drain current and voltage, loop gain, efficiency.
"$snap" --window curves --layout quad --curves 1,3,9,18 --cursor 0.5 --png docs/screens/curves-quad.png > /dev/null
# The input and chip editors of the default design.
for editor in input chip; do
    "$snap" docs/screens/designs/default.json --window "$editor" --png "docs/screens/$editor-default.png" > /dev/null
done
# The transformer window of the default and the six-output design on a large screen, and of the
# six-output design on a 1366 x 768 laptop screen, where its frames scroll.
"$snap" docs/screens/designs/default.json --window transformer --screen 1920x1200 \
    --png docs/screens/transformer-default.png > /dev/null
"$snap" docs/screens/designs/six-outputs.json --window transformer --screen 1920x1200 \
    --png docs/screens/transformer-six-outputs.png > /dev/null
"$snap" docs/screens/designs/six-outputs.json --window transformer --screen 1366x768 \
    --png docs/screens/transformer-laptop.png > /dev/null
# The bill of materials and the about box as they open on a 1366 x 768 screen.
"$snap" docs/screens/designs/default.json --window bom --screen 1366x768 --png docs/screens/bom-laptop.png > /dev/null
"$snap" docs/screens/designs/default.json --window about --screen 1366x768 --png docs/screens/about.png > /dev/null
# The loop gain of a design switching at 60 kHz, from 1 Hz to 60 kHz.
"$snap" docs/screens/designs/sixty-kilohertz.json --window curves --layout single --curves 9 --cursor 0.5 \
    --size 1000x600 --png docs/screens/gain-60khz.png > /dev/null
# The output editor on the main output and on the Zener output of the six-output design.
"$snap" docs/screens/designs/six-outputs.json --window output --index 0 --png docs/screens/output-main.png > /dev/null
"$snap" docs/screens/designs/six-outputs.json --window output --index 1 --png docs/screens/output-zener.png > /dev/null
