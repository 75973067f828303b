#!/usr/bin/env bash
# Builds Vesk and starts it. With a display this is the tray application; in a terminal
# without one it prints the plan for the demo home (created on first use), so there is
# always something to look at without touching your own files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DVESK_TESTS=OFF >/dev/null
cmake --build build/release -j2 >/dev/null

if [ -x build/release/src/vesk ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec build/release/src/vesk "$@"
fi

demo="${VESK_DEMO_HOME:-${TMPDIR:-/tmp}/vesk-demo}"
[ -d "$demo" ] || build/release/src/cli/vesk-cli demo "$demo" >/dev/null
echo "No display: showing the plan for the demo home $demo" >&2
exec build/release/src/cli/vesk-cli plan --home "$demo" "$@"
