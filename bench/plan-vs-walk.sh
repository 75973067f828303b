#!/usr/bin/env bash
# Times `vesk-cli plan` on a home folder against a plain walk that stats the same folders,
# and reports the peak memory of the plan. Builds nothing: give it a built vesk-cli.
#
#   bench/plan-vs-walk.sh [--row "WAITING FOLDERS EACH"] VESK_CLI HOME [RUNS]
#
# Plan and walk run in pairs, RUNS pairs (default 5), the order alternating from one pair to
# the next; the ratio is the median of the pairs' ratios, so that load from other work on the
# machine, which changes over seconds, weighs on both sides alike. With --row, prints one row
# of the Markdown table that plan-table.sh makes, for a home generated with those sizes.
set -euo pipefail
export LC_ALL=C

row=
if [[ ${1:-} == --row ]]; then
    row=$2
    shift 2
fi
if [[ $# -lt 2 || $# -gt 3 ]]; then
    echo "usage: $0 [--row \"WAITING FOLDERS EACH\"] VESK_CLI HOME [RUNS]" >&2
    exit 2
fi
cli=$1
home=${2%/}
runs=${3:-5}
[[ -x $cli ]] || { echo "$cli is not an executable" >&2; exit 2; }
[[ -d $home ]] || { echo "$home is not a folder" >&2; exit 2; }

# The source is given, so a source list stored for another home is not used.
plan=("$cli" plan --home "$home" --source "$home/Downloads" --min-age 0 --no-model --no-content
    --json)
folders=()
for name in Documents Desktop Pictures Movies Music Downloads; do
    [[ -d $home/$name ]] && folders+=("$home/$name")
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Stored settings, the person's own or another run's, have no say.
export XDG_CONFIG_HOME=$scratch/config

# Seconds taken by a command, its output discarded.
seconds() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null
    awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { print end - start }'
}

# Peak resident memory of a command in kB, its output written to $scratch/out.
peak_kb() {
    if [[ -x /usr/bin/time ]]; then
        /usr/bin/time -f %M -o "$scratch/time" "$@" >"$scratch/out"
        tail -n 1 "$scratch/time"
    else
        python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=open(sys.argv[0], "w"), check=True)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "$scratch/out" "$@"
    fi
}

walk() {
    find "${folders[@]}" -maxdepth 4 -printf '%y %s %C@ %p\n'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# The first run creates the fixture settings, warms the file-system cache for both sides and
# gives the peak memory, which does not depend on the machine's load.
peak=$(peak_kb "${plan[@]}")
walk >/dev/null
read -r waiting targets < <(python3 -c 'import json, sys
plan = json.load(open(sys.argv[1]))
print(len(plan["suggestions"]), len(plan["targets"]))' "$scratch/out")
entries=$(walk | wc -l)

for run in $(seq "$runs"); do
    if ((run % 2)); then
        p=$(seconds "${plan[@]}")
        w=$(seconds walk)
    else
        w=$(seconds walk)
        p=$(seconds "${plan[@]}")
    fi
    echo "$p $w" >>"$scratch/pairs"
done
plan_median=$(awk '{ print $1 }' "$scratch/pairs" | median)
walk_median=$(awk '{ print $2 }' "$scratch/pairs" | median)
ratio_median=$(awk '{ print ($2 > 0 ? $1 / $2 : 0) }' "$scratch/pairs" | median)

if [[ -n $row ]]; then
    awk -v sizes="$row" -v entries="$entries" -v p="$plan_median" -v w="$walk_median" \
        -v r="$ratio_median" -v kb="$peak" '
    function grouped(n,   s, tail) {
        s = sprintf("%d", n)
        while (length(s) > 3) {
            tail = "," substr(s, length(s) - 2) tail
            s = substr(s, 1, length(s) - 3)
        }
        return s tail
    }
    BEGIN {
        split(sizes, size, " ")
        printf "| %s × %s × %s | %s | %.2f s | %.2f s | %.1f | %.0f MiB |\n", grouped(size[1]),
            grouped(size[2]), grouped(size[3]), grouped(entries), p, w, r, kb / 1024
    }'
    exit 0
fi

awk -v p="$plan_median" -v w="$walk_median" -v r="$ratio_median" -v kb="$peak" -v n="$runs" \
    -v files="$waiting" -v targets="$targets" -v entries="$entries" 'BEGIN {
    printf "home: %d waiting files, %d target folders, %d entries walked\n", files, targets, entries
    printf "vesk-cli plan   median of %d: %8.3f s   peak RSS %.1f MiB\n", n, p, kb / 1024
    printf "find + stat     median of %d: %8.3f s\n", n, w
    printf "ratio plan/walk, median of the pairs: %.2f\n", r
}'
