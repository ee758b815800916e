#!/usr/bin/env bash
# Makes the pictures of docs/screens with zorvic_snap (built with the tests): each design of
# docs/screens/designs at zoom 1 and at zoom 0.6, where the labels give way to the logo.
#   tools/make_screens.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
snap="${1:-build}/tests/snap/zorvic_snap"
export QT_QPA_PLATFORM=offscreen
for design in docs/screens/designs/*.json; do
    name=$(basename "$design" .json)
    "$snap" "$design" --window main --zoom 1 --png "docs/screens/$name.png" > /dev/null
    "$snap" "$design" --window main --zoom 0.6 --png "docs/screens/$name-small.png" > /dev/null
done
# The main window after File > Open of the six-output corpus design, from the default one.
"$snap" --window main --do open=fuzz/corpus/project/six-outputs.zpj --png docs/screens/main-six-outputs.png > /dev/null
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
# The output editor on the main output and on the Zener output of the six-output design.
"$snap" docs/screens/designs/six-outputs.json --window output --index 0 --png docs/screens/output-main.png > /dev/null
"$snap" docs/screens/designs/six-outputs.json --window output --index 1 --png docs/screens/output-zener.png > /dev/null
