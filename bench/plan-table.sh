#!/usr/bin/env bash
# Plan against walk for the four benchmark homes in one run, as one Markdown table. The homes
# are generated in DIR the first time and reused afterwards. Builds nothing: give it a built
# vesk-cli.
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

homes=$("$bench/large-homes.sh" "$dir")
echo "| waiting × folders × files each | entries | plan | walk | plan / walk | peak memory |"
echo "|---|---|---|---|---|---|"
while read -r waiting folders each home; do
    "$bench/plan-vs-walk.sh" --row "$waiting $folders $each" "$cli" "$home" "$runs" </dev/null
done <<<"$homes"
