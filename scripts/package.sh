#!/usr/bin/env bash
# Builds the Debian package vesk_<version>_<arch>.deb into the top folder of the source tree:
# a release build with Debian's hardening flags, packed by CPack, its dependencies found by
# dpkg-shlibdeps. Install it with `apt install ./vesk_*.deb`. Needs no root unless a build
# dependency is missing (scripts/setup.sh then installs it, with sudo when not root). Checked
# with lintian when lintian is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh dpkg-dev file

build=build/package
# Without -g: the binaries are stripped anyway, and debug information only slows the build.
export DEB_CXXFLAGS_MAINT_STRIP=-g
export CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
# Optimised as Debian builds its packages (-O2 from the flags above), without assertions.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
    -DVESK_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j2
(cd "$build" && cpack -G DEB >/dev/null)

# One package only, so that ./vesk_*.deb names it.
rm -f vesk_*.deb
deb=$(basename "$(ls "$build"/vesk_*.deb)")
mv "$build/$deb" .
if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb"
fi
echo "$PWD/$deb"
