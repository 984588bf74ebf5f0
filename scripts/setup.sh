#!/bin/sh
# Installs, with apt-get, whatever of the Debian packages Quillrun needs is missing.
set -eu

packages="build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
qt6-translations-l10n fonts-ipafont-gothic libgtest-dev libbenchmark-dev xvfb xauth
clang libclang-rt-14-dev clang-format dpkg-dev file desktop-file-utils appstream
shared-mime-info lintian help2man qt6-svg-dev poppler-utils qt6-l10n-tools qt6-tools-dev"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
