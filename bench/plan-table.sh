#!/usr/bin/env bash
# Plan against walk for the four benchmark homes in one run, as one Markdown table. Generates
# the homes in DIR the first time (about 700,000 empty files in all, a minute or so) and
# reuses them afterwards. Builds nothing: give it a built vesk-cli.
#
#   bench/plan-table.sh VESK_CLI [DIR] [RUNS]
set -euo pipefail
export LC_ALL=C

if [[ $# -lt 1 || $# -gt 3 ]]; then
    echo "usage: $0 VESK_CLI [DIR] [RUNS]" >&2
    exit 2
fi
cli=$1
dir=${2:-/tmp/vesk-bench-homes}
runs=${3:-5}
bench=$(dirname "$0")

# waiting files, folders, files in each folder
sizes=("500 200 50" "2000 1000 100" "5000 2000 100" "10000 3000 100")

mkdir -p "$dir"
for size in "${sizes[@]}"; do
    read -r waiting folders each <<<"$size"
    home=$dir/home-$waiting-$folders-$each
    if [[ ! -d $home ]]; then
        python3 "$bench/make-large-home.py" --waiting "$waiting" --folders "$folders" \
            --files-per-folder "$each" "$home" >/dev/null
    fi
done

echo "| waiting × folders × files each | entries | plan | walk | plan / walk | peak memory |"
echo "|---|---|---|---|---|---|"
for size in "${sizes[@]}"; do
    read -r waiting folders each <<<"$size"
    "$bench/plan-vs-walk.sh" --row "$size" "$cli" "$dir/home-$waiting-$folders-$each" "$runs"
done
