#!/usr/bin/env bash
# Builds the Debian package, vornak_<version>_<arch>.deb in the checkout's top folder, and checks it
# with lintian: any warning fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}" CCACHE_NOHASHDIR=true
version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg --print-architecture)
dpkg-buildpackage -b -us -uc
# dpkg-buildpackage leaves its results beside the checkout.
for file in "vornak_${version}_${arch}.deb" "vornak-dbgsym_${version}_${arch}.deb" \
    "vornak_${version}_${arch}.buildinfo" "vornak_${version}_${arch}.changes"; do
    if [ -e "../$file" ]; then mv -f "../$file" .; fi
done
lintian --fail-on warning "vornak_${version}_${arch}.deb"
