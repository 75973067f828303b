#!/usr/bin/env bash
# The four benchmark homes in DIR, generated the first time (about 700,000 empty files in all,
# a minute or so) and reused afterwards. Prints one line per home: waiting files, folders,
# files in each folder, and the home's path.
#
#   bench/large-homes.sh DIR
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 DIR" >&2
    exit 2
fi
dir=${1%/}
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
    echo "$waiting $folders $each $home"
done
