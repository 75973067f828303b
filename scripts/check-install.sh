#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks that every installed file is where
# desktops look for it, and that the desktop entry and the AppStream metainfo are valid.
# Usage: check-install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
for file in bin/vesk bin/vesk-cli share/applications/app.vesk.Vesk.desktop \
            share/icons/hicolor/scalable/apps/app.vesk.Vesk.svg \
            share/icons/hicolor/symbolic/apps/app.vesk.Vesk-symbolic.svg \
            share/icons/hicolor/symbolic/apps/app.vesk.Vesk-pending-symbolic.svg \
            share/metainfo/app.vesk.Vesk.metainfo.xml share/doc/vesk/README.md; do
    if [ ! -f "$prefix/$file" ]; then
        echo "check-install: $file was not installed" >&2
        status=1
    fi
done
desktop-file-validate "$prefix/share/applications/app.vesk.Vesk.desktop" || status=1
appstreamcli validate --no-net "$prefix/share/metainfo/app.vesk.Vesk.metainfo.xml" >/dev/null ||
    { appstreamcli validate --no-net "$prefix/share/metainfo/app.vesk.Vesk.metainfo.xml"; status=1; }
exit $status
