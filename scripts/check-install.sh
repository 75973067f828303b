#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks that every installed file is where
# desktops look for it, that the desktop entry and the AppStream metainfo are valid, and that
# the metainfo names this version. With a web origin, the metainfo must also be valid and show
# every screenshot of the README.
# Usage: check-install.sh BUILD_DIR
set -euo pipefail
build=$1
source=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
for file in bin/vesk bin/vesk-cli share/applications/app.vesk.Vesk.desktop \
            share/icons/hicolor/scalable/apps/app.vesk.Vesk.svg \
            share/icons/hicolor/symbolic/apps/app.vesk.Vesk-symbolic.svg \
            share/icons/hicolor/symbolic/apps/app.vesk.Vesk-pending-symbolic.svg \
            share/metainfo/app.vesk.Vesk.metainfo.xml share/doc/vesk/README.md \
            share/doc/vesk/copyright share/doc/vesk/changelog.gz; do
    if [ ! -f "$prefix/$file" ]; then
        echo "check-install: $file was not installed" >&2
        status=1
    fi
done

# validate FILE: appstreamcli's verdict, its report only when it fails.
validate() {
    appstreamcli validate --no-net "$1" >/dev/null || { appstreamcli validate --no-net "$1"; status=1; }
}
metainfo=$prefix/share/metainfo/app.vesk.Vesk.metainfo.xml
desktop-file-validate "$prefix/share/applications/app.vesk.Vesk.desktop" || status=1
validate "$metainfo"
version=$("$prefix/bin/vesk" --version | cut -d' ' -f2)
if ! grep -q "<release version=\"$version\"" "$metainfo"; then
    echo "check-install: the metainfo has no release $version" >&2
    status=1
fi

web=$prefix/web.metainfo.xml
cmake -DVESK_WEB_ORIGIN=https://vesk.example -DPROJECT_SOURCE_DIR="$source" \
    -DPROJECT_VERSION="$version" -DVESK_RELEASE_DATE=2026-01-01 -DOUTPUT="$web" \
    -P "$source/cmake/Metainfo.cmake"
validate "$web"
for picture in $(grep -o '(docs/screenshots/[^)]*\.png)' "$source/README.md" | tr -d '()'); do
    if ! grep -q ">https://vesk.example/screenshots/$(basename "$picture")<" "$web"; then
        echo "check-install: the metainfo does not show $picture" >&2
        status=1
    fi
done
exit $status
