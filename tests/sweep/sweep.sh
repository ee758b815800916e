#!/usr/bin/env bash
# Whole-design checks over the engine's design sweep with zorvic_dump, from one or two build
# folders (configured with the tests):
#
#   sweep.sh reopen BUILD          saves every design with --save, reopens it with --load and
#                                  fails unless each reopens identical
#   sweep.sh same BASE NEW         prints every design with the zorvic_dump of both builds and
#                                  fails unless each prints exactly the same
#   sweep.sh pairs BUILD           saves every design, opens it after the default design and
#                                  after the design before it in the list, and fails unless both
#                                  print the same
#
# The designs are those of zorvic_sweep_designs, then every *.json override file beside this
# script, then those of the folder SWEEP_EXTRA names, if any (random_designs.py writes such a
# folder). Each design runs as its own zorvic_dump process.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
jobs=${SWEEP_JOBS:-6}

usage() {
    sed -n '2,15p' "$0" >&2
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

# tally LEFT RIGHT WHAT: from $work/results ("same ID" or "differ ID" a line), names each design
# whose out/ID.LEFT and out/ID.RIGHT differ with the count of differing values, says how many
# are WHAT, and fails unless all are.
tally() {
    local same total verdict id lines
    same=$(grep -c '^same ' "$work/results" || true)
    total=$(wc -l <"$work/results")
    while read -r verdict id; do
        [ "$verdict" = same ] && continue
        lines=$(diff "$work/out/$id.$1" "$work/out/$id.$2" | grep -c '^<' || true)
        echo "differs: $id $(name_of "$id") ($lines values)"
    done <"$work/results"
    echo "$same of $total designs $3"
    [ "$same" -eq "$total" ]
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
    export dump work
    # One line per design: "same ID" or "differ ID".
    find "$work/designs" -name '*.json' -printf '%f\n' | sort | xargs -P "$jobs" -I{} bash -c '
        id=$(basename {} .json); out="$work/out/$id"
        "$dump" --save "$out.zpj" "$work/designs/{}" >"$out.saved" 2>/dev/null
        "$dump" --load "$out.zpj" >"$out.loaded" 2>/dev/null
        if cmp -s "$out.saved" "$out.loaded"; then echo "same $id"; else echo "differ $id"; fi
    ' | sort -k2 >"$work/results"
    tally saved loaded "reopen identical"
    ;;
pairs)
    [ $# -eq 2 ] || usage
    dump=$(cd "$2" && pwd)/tests/dump/zorvic_dump
    designs "$2" "$work/designs"
    find "$work/designs" -name '*.json' -printf '%f\n' | sort >"$work/list"
    # Each design with the one before it (the last before the first).
    paste -d' ' "$work/list" <(tail -n1 "$work/list"; head -n -1 "$work/list") >"$work/pairs"
    export dump work
    xargs -P "$jobs" -L1 bash -c '
        id=$(basename "$0" .json); out="$work/out/$id"
        "$dump" --save "$out.zpj" "$work/designs/$0" >/dev/null 2>&1
        "$dump" --load "$out.zpj" >"$out.alone" 2>/dev/null
        "$dump" --then-load "$out.zpj" "$work/designs/$1" >"$out.after" 2>/dev/null
        if cmp -s "$out.alone" "$out.after"; then echo "same $id"; else echo "differ $id"; fi
    ' <"$work/pairs" | sort -k2 >"$work/results"
    tally alone after "print the same after the default design and after another"
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
    tally base new "print the same"
    ;;
*)
    usage
    ;;
esac
