#!/usr/bin/env bash
# Times a tidy and its undo of many files with vesk-cli against `mv` making the same moves, on
# one volume and across volumes, and prints one Markdown table. Builds nothing: give it a built
# vesk-cli.
#
#   bench/tidy-vs-mv.sh VESK_CLI [FILES] [KIB] [RUNS]
#
# FILES screenshots (default 10000) of KIB KiB each (default 100) wait in Downloads, and the
# rule layer sends every one to Pictures/Screenshots, so the tidy moves them all. Across volumes
# Pictures is a link to a folder on a tmpfs: one mounted for the run when root, else /dev/shm.
# The home lies in $TMPDIR (default /var/tmp), which must be on a disk. Each side runs RUNS times
# (default 3), which one goes first alternating; the table gives the medians and their ratio.
# The tidy's time includes its plan (given alone too), the undo's its reading of the history.
# Each time is wall and processor seconds; the latter does not depend on the machine's load.
# Everything written is synced before each timed step, so that no step pays for the one before.
set -euo pipefail
export LC_ALL=C

if [[ $# -lt 1 || $# -gt 4 ]]; then
    echo "usage: $0 VESK_CLI [FILES] [KIB] [RUNS]" >&2
    exit 2
fi
cli=$1
files=${2:-10000}
kib=${3:-100}
runs=${4:-3}
[[ -x $cli ]] || { echo "$cli is not an executable" >&2; exit 2; }

scratch=$(mktemp -d "${TMPDIR:-/var/tmp}/vesk-bench-XXXXXX")
volume=
cleanup() {
    if [[ -n $volume ]] && mountpoint -q "$volume" 2>/dev/null; then
        umount "$volume"
    fi
    rm -rf "$scratch"
    [[ $volume == /dev/shm/* ]] && rm -rf "$volume"
    return 0
}
trap cleanup EXIT
if [[ $(id -u) == 0 ]]; then
    volume=$scratch/volume
    mkdir "$volume"
    mount -t tmpfs -o size=$((files * kib * 2 + 65536))k tmpfs "$volume"
else
    volume=$(mktemp -d /dev/shm/vesk-bench-XXXXXX)
fi
# Stored settings, the person's own or another run's, have no say.
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data VESK_MODEL_URL=off

home=$scratch/home
mkdir -p "$home/Downloads"
python3 - "$home/Downloads" "$files" "$kib" <<'EOF'
import os, sys
folder, files, kib = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
block = os.urandom(kib * 1024)
for n in range(files):
    with open(os.path.join(folder, f"Screenshot 2024-05-01 at 10.{n // 60 % 60:02d}.{n % 60:02d} {n}.png"), "wb") as f:
        f.write(block)
EOF

# "wall cpu": seconds taken by a command and the processor time it used (user and system),
# which does not depend on what else the machine is doing.
seconds() {
    sync
    /usr/bin/time -f '%e %U %S' -o "$scratch/time" "$@" >/dev/null
    awk '{ print $1, $2 + $3 }' "$scratch/time"
}
tidy=("$cli" tidy --home "$home" --source "$home/Downloads" --min-age 0 --no-model --no-content
    --yes)
plan=("$cli" plan --home "$home" --source "$home/Downloads" --min-age 0 --no-model --no-content
    --json)
undo=("$cli" undo --home "$home")
mv_there() {
    mkdir -p "$home/Pictures/Screenshots"
    seconds bash -c 'mv -t "$1/Pictures/Screenshots" -- "$1"/Downloads/*' - "$home"
}
mv_back() {
    seconds bash -c 'mv -t "$1/Downloads" -- "$1"/Pictures/Screenshots/*' - "$home"
    rmdir "$home/Pictures/Screenshots"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# measure "what": RUNS rounds of plan, tidy, undo, and mv there and back; one line of the
# table, each time as wall (processor) seconds.
measure() {
    local what=$1 run p t u m b
    : >"$scratch/times"
    for run in $(seq "$runs"); do
        if ((run % 2)); then
            p=$(seconds "${plan[@]}"); t=$(seconds "${tidy[@]}"); u=$(seconds "${undo[@]}")
            m=$(mv_there); b=$(mv_back)
        else
            m=$(mv_there); b=$(mv_back)
            p=$(seconds "${plan[@]}"); t=$(seconds "${tidy[@]}"); u=$(seconds "${undo[@]}")
        fi
        [[ -z $(ls -A "$home/Pictures") ]] || { echo "$what: a file was left behind" >&2; exit 1; }
        echo "$p $t $u $m $b" >>"$scratch/times"
    done
    local col
    for col in $(seq 10); do
        awk -v c=$col '{ print $c }' "$scratch/times" | median
    done | paste -sd' ' | awk -v what="$what" -v files="$files" -v kib="$kib" '{
        printf "| %s | %d × %d KiB | %.2f (%.2f) s | %.2f (%.2f) s | %.2f (%.2f) s | %.2f | %.2f (%.2f) s | %.2f (%.2f) s | %.2f |\n",
            what, files, kib, $1, $2, $3, $4, $7, $8, $3 / $7, $5, $6, $9, $10, $5 / $9
    }'
}

commit=$(git -C "$(dirname "$0")" rev-parse --short HEAD 2>/dev/null || echo unknown)
echo "Medians of $runs runs, source at $commit; wall (processor) seconds. A tidy's time"
echo "includes its plan, which is also given alone."
echo
echo "| moves | files | plan | tidy | mv | tidy / mv | undo | mv back | undo / mv back |"
echo "|---|---|---|---|---|---|---|---|---|"
mkdir "$home/Pictures"
"${plan[@]}" >/dev/null # the settings store, made once
measure "one volume"
rmdir "$home/Pictures"
ln -s "$volume" "$home/Pictures"
measure "across volumes"
