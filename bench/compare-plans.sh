#!/usr/bin/env bash
# Compares the plans of two builds byte for byte: the JSON of `vesk-cli plan` (model and
# contents off, files of any age) on the four benchmark homes, on a demo home and on homes
# full of equal scores. A change meant to make planning faster must leave every plan as it
# was, down to the winner of a tie and the name a reason quotes. Builds nothing.
#
#   bench/compare-plans.sh BASE_CLI NEW_CLI [DIR]
#
# DIR holds the benchmark homes, as for plan-table.sh. Prints one line per home and exits
# with 1 if any plan differs; the differing plans are kept for a look.
set -euo pipefail
export LC_ALL=C

if [[ $# -lt 2 || $# -gt 3 ]]; then
    echo "usage: $0 BASE_CLI NEW_CLI [DIR]" >&2
    exit 2
fi
base=$1
new=$2
dir=${3:-/tmp/vesk-bench-homes}
bench=$(dirname "$0")
for cli in "$base" "$new"; do
    [[ -x $cli ]] || { echo "$cli is not an executable" >&2; exit 2; }
done

scratch=$(mktemp -d)
# Settings of both builds stay apart from the person's own.
export XDG_CONFIG_HOME=$scratch/config
homes=()
while read -r _ _ _ home; do
    homes+=("$home")
done < <("$bench/large-homes.sh" "$dir")
"$new" demo "$scratch/demo" >/dev/null
homes+=("$scratch/demo")
for seed in 1 2 3 4 5; do
    python3 "$bench/make-tie-home.py" --seed "$seed" "$scratch/ties-$seed"
    homes+=("$scratch/ties-$seed")
done

# The demo tidies its Desktop too; elsewhere Desktop is a place for destinations.
plan() {
    local sources=(--source "$2/Downloads")
    [[ $2 == "$scratch/demo" ]] && sources+=(--source "$2/Desktop")
    "$1" plan --home "$2" "${sources[@]}" --min-age 0 --no-model --no-content --json
}

differ=0
for home in "${homes[@]}"; do
    plan "$base" "$home" >"$scratch/base.json"
    plan "$new" "$home" >"$scratch/new.json"
    files=$(python3 -c 'import json, sys; print(len(json.load(open(sys.argv[1]))["suggestions"]))' \
        "$scratch/base.json")
    if cmp -s "$scratch/base.json" "$scratch/new.json"; then
        echo "same       $home ($files files)"
    else
        differ=1
        kept=$scratch/differ-$(basename "$home")
        mkdir -p "$kept"
        mv "$scratch/base.json" "$scratch/new.json" "$kept/"
        echo "DIFFERENT  $home ($files files): $kept"
    fi
done
if ((differ)); then
    echo "plans differ; homes and plans kept in $scratch" >&2
    exit 1
fi
rm -rf "$scratch"
echo "every plan identical"
