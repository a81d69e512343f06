#!/usr/bin/env bash
# Installs what building, running and testing Vornak needs on Debian 12; does nothing when all is there.
set -euo pipefail

packages=(
    g++ cmake ninja-build ccache pkg-config
    exfatprogs exfat-fuse fuse3 dosfstools e2fsprogs
    openbox
    qt6-base-dev qt6-base-dev-tools qt6-l10n-tools libgl-dev python3
    fonts-noto-cjk qt6-translations-l10n
    xvfb xdotool xclip x11-utils x11-apps netpbm
    clang clang-format libclang-rt-14-dev
    desktop-file-utils appstream librsvg2-bin
    libxxhash-dev
    mount
    libexiv2-dev
    build-essential debhelper lintian bash-completion
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
