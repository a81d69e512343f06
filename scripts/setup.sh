#!/usr/bin/env bash
# Installs what building, running and testing Vornak needs on Debian 12; does nothing when all is there.
set -euo pipefail

packages=(
    g++ cmake ninja-build ccache pkg-config
    exfatprogs exfat-fuse fuse3 dosfstools e2fsprogs
    openbox
    qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-tools-dev libgl-dev python3
    fonts-noto-cjk qt6-translations-l10n
    xvfb xdotool xclip x11-utils x11-apps netpbm
    clang clang-format libclang-rt-14-dev
    desktop-file-utils appstream librsvg2-bin
    libxxhash-dev
    mount
    openssh-server sshfs
    libexiv2-dev libtag1-dev
    build-essential debhelper lintian bash-completion
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
    export DEBIAN_FRONTEND=noninteractive
    # openssh-server's install script starts sshd on port 22 wherever an init system runs. The
    # tests start an sshd of their own, so none is started here: as in container images,
    # policy-rc.d answers 101 ("not allowed") while the packages install.
    policy=/usr/sbin/policy-rc.d
    if [ ! -e "$policy" ]; then
        printf '#!/bin/sh\nexit 101\n' >"$policy"
        chmod +x "$policy"
        trap 'rm -f "$policy"' EXIT
    fi
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
