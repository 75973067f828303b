#!/usr/bin/env bash
# Photographs Vesk's windows for the README, each cropped to its window: the review window on a
# demo home (in English and in Simplified Chinese), the welcome flow and the settings window,
# into docs/screenshots/ (or the folder given). The release build runs under a virtual display with settings, data and runtime
# folders of its own and the local model off, so nothing of yours is read or changed.
# Set QT_SCALE_FACTOR=2 to see the windows at double density, VESK_BUILD=build/dev to use a
# build you have rather than make a release build. As root it installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshots}")

scripts/setup.sh
missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xauth >/dev/null || missing+=(xauth)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v import >/dev/null || missing+=(imagemagick)
# The Chinese screenshot needs a font with Chinese characters.
[ -n "$(fc-list :lang=zh 2>/dev/null)" ] || missing+=(fonts-wqy-microhei)
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "screenshots: missing ${missing[*]}; run this script as root or install them" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >/dev/null
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# VESK_BUILD names a build folder to use as it is; otherwise a release build is made.
build=${VESK_BUILD:-}
if [ -z "$build" ]; then
    build=build/release
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVESK_TESTS=OFF >/dev/null
    cmake --build "$build" -j2 >/dev/null
fi
build=$(realpath "$build")
vesk=$build/src/vesk
cli=$build/src/cli/vesk-cli

work=$(mktemp -d)
xvfb=
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/run
export VESK_MODEL_URL=off LANGUAGE=en LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR" "$out"
chmod 700 "$XDG_RUNTIME_DIR"

# A display of our own; Xvfb names the free number it took.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=:$(cat "$work/display")

demo=$work/demo
"$cli" demo "$demo" >/dev/null

# shoot NAME TITLE-PATTERN [vesk options]: starts Vesk on the demo home, waits for the window
# whose title matches, and photographs it once it has painted.
shoot() {
    local name=$1 title=$2
    shift 2
    "$vesk" --home "$demo" "$@" >"$work/vesk.log" 2>&1 &
    local pid=$! window
    if ! window=$(timeout 60 xdotool search --sync --onlyvisible --name "$title" | head -n 1) ||
        [ -z "$window" ]; then
        echo "screenshots: no window \"$title\" for $name" >&2
        cat "$work/vesk.log" >&2
        kill "$pid" 2>/dev/null
        return 1
    fi
    sleep 1
    import -window "$window" "$out/$name.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$out/$name.png"
}

shoot review 'to Tidy — Vesk$' --open-review
LANGUAGE=zh_CN shoot review-zh_CN '待整理 — Vesk$' --open-review
shoot settings '^Settings — Vesk$' --open-review --open-settings
# A store that has never been set up. The welcome window is taken before Vesk, finding no tray
# on this bare display, shows its review window instead.
XDG_CONFIG_HOME=$work/fresh shoot welcome '^Vesk$' --welcome-step 1
