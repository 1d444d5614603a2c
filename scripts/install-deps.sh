#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12. Run as root (or through sudo).
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    exec sudo -E bash "$0" "$@"
fi
packages=(
    build-essential cmake ninja-build ccache pkg-config git
    qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev libqt5opengl5-dev qt5-qmake
    libgl1-mesa-dri libglx-mesa0 libgl-dev mesa-utils xvfb xauth
    libbenchmark-dev clang-14 libclang-rt-14-dev clang-format-14
    fonts-noto-cjk imagemagick
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
