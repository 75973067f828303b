#!/usr/bin/env bash
# For CI, on a machine of its own, as root: builds the package from this tree, checks it with
# lintian, installs it with apt, runs what it installed from /usr/bin, validates the installed
# desktop entry and AppStream data, and removes it again, leaving none of its files behind.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
    echo "check-package: installs a package; run it as root on a machine of its own" >&2
    exit 1
fi
if dpkg-query -W -f='${Status}' vesk 2>/dev/null | grep -q 'install ok installed'; then
    echo "check-package: vesk is installed already; not touching it" >&2
    exit 1
fi
# With lintian installed, the package script fails on any error lintian finds.
scripts/setup.sh lintian
deb=$(scripts/package.sh | tail -n 1)

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$deb" >/dev/null
installed=$(dpkg -L vesk)
status=0
expected="Vesk $(dpkg-query -W -f='${Version}' vesk)"
if [ "$(/usr/bin/vesk --version)" != "$expected" ]; then
    echo "check-package: vesk --version says \"$(/usr/bin/vesk --version)\", not \"$expected\"" >&2
    status=1
fi
/usr/bin/vesk-cli --help >/dev/null || status=1
desktop-file-validate /usr/share/applications/app.vesk.Vesk.desktop || status=1
appstreamcli validate --no-net /usr/share/metainfo/app.vesk.Vesk.metainfo.xml >/dev/null ||
    { appstreamcli validate --no-net /usr/share/metainfo/app.vesk.Vesk.metainfo.xml; status=1; }

apt-get remove --purge -y -qq vesk >/dev/null
while read -r path; do
    if [ -f "$path" ] || [ -L "$path" ]; then
        echo "check-package: $path is left after removing vesk" >&2
        status=1
    fi
done <<<"$installed"
[ $status -eq 0 ] && echo "check-package: $deb builds, installs, runs and removes cleanly"
exit $status
