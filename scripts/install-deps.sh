#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running the program need,
# skipping those already present. Run as root.
set -euo pipefail
packages=(
    cmake g++ make pkg-config
    qt6-base-dev libqt6serialport6-dev libgl-dev qt6-translations-l10n
    libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev
    socat xvfb xauth fonts-dejavu-core
    libxml2-utils locales poppler-utils
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The German locale: the tests that check numbers keep their "." under a decimal comma need it.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    echo "Generating the locale de_DE.UTF-8"
    grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
        echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen
fi
