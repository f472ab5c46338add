#!/usr/bin/env bash
# Installs, from Debian's packages only, whatever Kestrel needs to build, run and test.
# Packages already present are left alone; nothing is downloaded any other way.
#   scripts/install-deps.sh         to build, run and test
#   scripts/install-deps.sh fuzz    also clang with libFuzzer and the sanitizers' runtimes
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6
    libsqlite3-dev
    mdbtools-dev
    libzip-dev zlib1g-dev libssl-dev
    # disk images made at test time (hmsa, mtools, zip) and the demo images script (sqlite3)
    hatari mtools zip sqlite3
    fonts-dejavu-core
    # the package and what the install adds: dpkg-shlibdeps, the desktop entry's and the
    # AppStream validators, the manual page checkers
    dpkg-dev desktop-file-utils appstream man-db groff-base
)
if [ "${1:-}" = fuzz ]; then
    packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
