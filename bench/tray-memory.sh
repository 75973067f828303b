#!/usr/bin/env bash
# The tray application's resident memory as a person's desktop holds it: the real `vesk` in a
# tray (an XEmbed tray, trayer, on a virtual display with openbox and a private session bus) on a
# generated home, idle once its first scan is done, and with the review window open. Prints one
# Markdown table of VmRSS and its anonymous and file-backed parts (the latter mostly the pages
# of Qt and the other libraries, which other programs on a desktop share). Builds nothing.
#
#   bench/tray-memory.sh VESK HOME [SECONDS]
#
# VESK is a built `vesk`; HOME a generated home (bench/make-large-home.py), left as it is, whose
# Downloads is the one source, files of any age, model off. Each figure is read SECONDS after
# start (default 60: the scan thread has ended by then, and with it what it kept for itself).
# Needs Xvfb, openbox, trayer and dbus-run-session.
set -euo pipefail
export LC_ALL=C.UTF-8 LANGUAGE=en

if [[ $# -lt 2 || $# -gt 3 ]]; then
    echo "usage: $0 VESK HOME [SECONDS]" >&2
    exit 2
fi
vesk=$(realpath "$1")
home=$(realpath "$2")
seconds=${3:-60}
for tool in Xvfb openbox trayer dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 2; }
done

work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
export XDG_RUNTIME_DIR=$work/run VESK_MODEL_URL=off
mkdir -p "$XDG_CONFIG_HOME/vesk" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids=($!)
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
openbox >/dev/null 2>&1 &
pids+=($!)
trayer --edge top --align right --widthtype pixel --width 120 --height 32 >/dev/null 2>&1 &
pids+=($!)
sleep 1
# `--home` keeps the settings of a run apart from the person's own.
printf '[General]\nonboarded=true\nsources=%s/Downloads\nminAgeDays=0\n' "$home" \
    >"$XDG_CONFIG_HOME/vesk/app.vesk.Vesk.fixture.conf"

# The figures of one run of vesk with the given arguments, as a table row's cells.
resident() {
    dbus-run-session -- bash -c '
        "$0" --home "$1" "${@:3}" >/dev/null 2>&1 &
        vesk=$!
        sleep "$2"
        awk "/^(VmRSS|RssAnon|RssFile):/ { printf \" %.0f MiB |\", \$2 / 1024 }" /proc/$vesk/status
        kill $vesk' "$vesk" "$home" "$seconds" "$@" 2>/dev/null
}

echo "| vesk on $(basename "$home"), after ${seconds} s | resident | anonymous | file-backed |"
echo "|---|---|---|---|"
echo "| in the tray, idle |$(resident)"
echo "| with the review window open |$(resident --open-review)"
