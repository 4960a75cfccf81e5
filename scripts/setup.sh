#!/usr/bin/env bash
# Installs what building, playing and testing need on a fresh Debian 12 machine (run as root).
set -euo pipefail

packages=(
    g++ cmake ninja-build clang libclang-rt-14-dev clang-format git
    qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins
    libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
    xvfb xauth xdotool x11-utils imagemagick
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 cpp
    dpkg-dev file lintian desktop-file-utils appstream
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
fi
