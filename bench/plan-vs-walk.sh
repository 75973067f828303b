#!/usr/bin/env bash
# Times `vesk-cli plan` on a home folder against a plain walk that stats the same folders,
# and reports the peak memory of the plan. Builds nothing: give it a built vesk-cli.
#
#   bench/plan-vs-walk.sh path/to/vesk-cli HOME [RUNS]
set -euo pipefail
export LC_ALL=C

if [[ $# -lt 2 || $# -gt 3 ]]; then
    echo "usage: $0 VESK_CLI HOME [RUNS]" >&2
    exit 2
fi
cli=$1
home=${2%/}
runs=${3:-3}
[[ -x $cli ]] || { echo "$cli is not an executable" >&2; exit 2; }
[[ -d $home ]] || { echo "$home is not a folder" >&2; exit 2; }

# The source is given, so a source list stored for another home is not used.
plan=("$cli" plan --home "$home" --source "$home/Downloads" --min-age 0 --no-model --json)
folders=()
for name in Documents Desktop Pictures Movies Music Downloads; do
    [[ -d $home/$name ]] && folders+=("$home/$name")
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Seconds taken by a command, its output discarded.
seconds() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null
    awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { print end - start }'
}

# Peak resident memory of a command in kB.
peak_kb() {
    if [[ -x /usr/bin/time ]]; then
        /usr/bin/time -v -o "$scratch/time" "$@" >/dev/null
        awk -F': ' '/Maximum resident set size/ { print $2 }' "$scratch/time"
    else
        python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, check=True)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "$@"
    fi
}

walk() {
    find "${folders[@]}" -maxdepth 4 -printf '%y %s %C@ %p\n'
}

best() { sort -g | head -n 1; }

# The first run creates the fixture settings and warms the file-system cache for both sides.
"${plan[@]}" >"$scratch/plan.json"
walk >/dev/null
read -r waiting targets < <(python3 -c 'import json, sys
plan = json.load(open(sys.argv[1]))
print(len(plan["suggestions"]), len(plan["targets"]))' "$scratch/plan.json")
entries=$(walk | wc -l)

plan_best=$(for _ in $(seq "$runs"); do seconds "${plan[@]}"; done | best)
walk_best=$(for _ in $(seq "$runs"); do seconds walk; done | best)
peak=$(for _ in $(seq "$runs"); do peak_kb "${plan[@]}"; done | sort -n | tail -n 1)

awk -v p="$plan_best" -v w="$walk_best" -v kb="$peak" -v n="$runs" \
    -v files="$waiting" -v targets="$targets" -v entries="$entries" 'BEGIN {
    printf "home: %d waiting files, %d target folders, %d entries walked\n", files, targets, entries
    printf "vesk-cli plan   best of %d: %8.3f s   peak RSS %.1f MB\n", n, p, kb / 1024
    printf "find + stat     best of %d: %8.3f s\n", n, w
    printf "ratio plan/walk: %.1f\n", (w > 0 ? p / w : 0)
}'
