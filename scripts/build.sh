#!/usr/bin/env bash
# Configures and builds one preset (default: build/, or asan: build-asan/).
set -euo pipefail
cd "$(dirname "$0")/.."
# Paths relative to the folder above the checkout, so that every checkout shares one compiler cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}" CCACHE_NOHASHDIR=true
preset="${1:-default}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
