#!/usr/bin/env bash
# Installs the Debian packages Vesk needs to build, test and run, when they are missing, and
# any packages named as arguments. Idempotent and quiet when everything is there.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    libicu-dev libpoppler-cpp-dev nlohmann-json3-dev libcpp-httplib-dev
    qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-svg-dev qtkeychain-qt6-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    qt6-translations-l10n shared-mime-info xvfb xauth desktop-file-utils appstream
    dbus-daemon locales
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# As root directly; as a person through sudo, which asks for their password.
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "setup: missing packages: ${missing[*]}; install them as root" >&2
        exit 1
    fi
    as_root=(sudo)
fi
echo "setup: installing ${missing[*]}" >&2
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq >/dev/null
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
