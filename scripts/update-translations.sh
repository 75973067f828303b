#!/usr/bin/env bash
# Brings the translation files up to date with the texts in the sources. The English file
# keeps only the plural forms ("1 File", "3 Files"); the Chinese ones every text.
# Usage: update-translations.sh [FOLDER]   (default: translations/)
set -euo pipefail
cd "$(dirname "$0")/.."
into=${1:-translations}
lupdate=/usr/lib/qt6/bin/lupdate
sources=(src/app src/ui)
# lupdate can't read the engine's std::hash specialisations; that warning is noise here.
quiet() { grep -v 'Ignoring definition of undeclared qualified class' >&2 || true; }
"$lupdate" -silent -locations none -no-obsolete -I src -pluralonly "${sources[@]}" \
    -ts "$into/vesk_en.ts" 2> >(quiet)
"$lupdate" -silent -locations none -no-obsolete -I src "${sources[@]}" \
    -ts "$into/vesk_zh_CN.ts" "$into/vesk_zh_TW.ts" 2> >(quiet)
