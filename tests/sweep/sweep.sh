#!/usr/bin/env bash
# Whole-design checks over the engine's design sweep with zorvic_dump, from one or two build
# folders (configured with the tests):
#
#   sweep.sh reopen BUILD          saves every design with --save, reopens it with --load and
#                                  counts the designs that reopen identical, and those that
#                                  differ only by the chip losses of the computation before
#   sweep.sh same BASE NEW         prints every design with the zorvic_dump of both builds and
#                                  fails unless each prints exactly the same
#
# The designs are those of zorvic_sweep_designs, then every *.json override file beside this
# script, then those of the folder SWEEP_EXTRA names, if any (random_designs.py writes such a
# folder). Each design runs as its own zorvic_dump process.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
jobs=${SWEEP_JOBS:-6}

usage() {
    sed -n '2,10p' "$0" >&2
    exit 2
}

# designs BUILD DIR: the override files, DIR/NNN.json and DIR/x-NAME.json, and DIR/names.
designs() {
    "$1/tests/dump/zorvic_sweep_designs" "$2" >"$2/names"
    for extra in "$here"/*.json; do
        cp "$extra" "$2/x-$(basename "$extra")"
        echo "x-$(basename "$extra" .json) $(basename "$extra")" >>"$2/names"
    done
    [ -n "${SWEEP_EXTRA:-}" ] || return 0
    for extra in "$SWEEP_EXTRA"/*.json; do
        cp "$extra" "$2/r-$(basename "$extra")"
        echo "r-$(basename "$extra" .json) $(basename "$extra")" >>"$2/names"
    done
}

# The description of a design from its file name.
name_of() {
    grep -m1 "^$1 " "$work/designs/names" | cut -d' ' -f2-
}

[ $# -ge 2 ] || usage
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/designs" "$work/out"

case "$1" in
reopen)
    [ $# -eq 2 ] || usage
    dump=$(cd "$2" && pwd)/tests/dump/zorvic_dump
    designs "$2" "$work/designs"
    # A loaded file copies its chip row afresh, without the losses that the computation before
    # it left in the chip record. The same design with the start-up chip row copied afresh tells
    # whether that history alone makes the difference (a design naming its own chip has it).
    mkdir "$work/fresh"
    "$2/tests/dump/zorvic_sweep_designs" --fresh-chip "$work/fresh" >/dev/null
    for extra in "$work/designs"/x-*.json; do cp "$extra" "$work/fresh/"; done
    export dump work
    # One line per design: "same ID", "history ID" or "differ ID".
    find "$work/designs" -name '*.json' -printf '%f\n' | sort | xargs -P "$jobs" -I{} bash -c '
        id=$(basename {} .json); out="$work/out/$id"
        "$dump" --save "$out.zpj" "$work/designs/{}" >"$out.saved" 2>/dev/null
        "$dump" --load "$out.zpj" >"$out.loaded" 2>/dev/null
        if cmp -s "$out.saved" "$out.loaded"; then echo "same $id"; exit; fi
        "$dump" --save "$out.zpj" "$work/fresh/{}" >"$out.fresh" 2>/dev/null
        if cmp -s "$out.fresh" "$out.loaded"; then echo "history $id"; else echo "differ $id"; fi
    ' | sort -k2 >"$work/results"
    total=$(wc -l <"$work/results")
    while read -r verdict id; do
        [ "$verdict" = differ ] || continue
        lines=$(diff "$work/out/$id.fresh" "$work/out/$id.loaded" | grep -c '^<' || true)
        echo "differs: $id $(name_of "$id") ($lines values)"
    done <"$work/results"
    echo "$(grep -c '^same ' "$work/results" || true) of $total designs reopen identical"
    echo "$(grep -c '^history ' "$work/results" || true) more reopen identical to the design computed from a fresh chip row"
    ;;
same)
    [ $# -eq 3 ] || usage
    base=$(cd "$2" && pwd)/tests/dump/zorvic_dump
    new=$(cd "$3" && pwd)/tests/dump/zorvic_dump
    designs "$3" "$work/designs"
    export base new work
    find "$work/designs" -name '*.json' -printf '%f\n' | sort | xargs -P "$jobs" -I{} bash -c '
        id=$(basename {} .json); out="$work/out/$id"
        "$base" "$work/designs/{}" >"$out.base" 2>&1
        "$new" "$work/designs/{}" >"$out.new" 2>&1
        if cmp -s "$out.base" "$out.new"; then echo "same $id"; else echo "differ $id"; fi
    ' | sort -k2 >"$work/results"
    same=$(grep -c '^same ' "$work/results" || true)
    total=$(wc -l <"$work/results")
    while read -r verdict id; do
        [ "$verdict" = same ] || echo "differs: $id $(name_of "$id")"
    done <"$work/results"
    echo "$same of $total designs print the same"
    [ "$same" -eq "$total" ]
    ;;
*)
    usage
    ;;
esac
