#!/usr/bin/env bash
# Fails when a translation is behind the sources: a text added or changed since the last
# scripts/update-translations.sh, a text that no longer exists, or an entry left unfinished.
set -uo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp translations/*.ts "$work/"
scripts/update-translations.sh "$work" || exit 1

status=0
for ts in translations/*.ts; do
    name=$(basename "$ts")
    if ! diff -q "$ts" "$work/$name" >/dev/null; then
        echo "translation check: $ts is out of date with the sources; run scripts/update-translations.sh" >&2
        diff -u "$ts" "$work/$name" | head -40 >&2
        status=1
    fi
    if grep -nE 'type="(unfinished|vanished|obsolete)"' "$work/$name" >&2; then
        echo "translation check: $ts has unfinished or obsolete entries (above)" >&2
        status=1
    fi
done
exit $status
