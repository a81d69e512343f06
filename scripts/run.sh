#!/usr/bin/env bash
# Installs what is missing, builds Vornak and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh default
exec ./build/vornak
