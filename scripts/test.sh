#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal build with
# warnings as errors, and a build under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1
bash scripts/check-format.sh
for preset in default asan; do
    bash scripts/build.sh "$preset"
    ctest --preset "$preset" -j "$(nproc)"
done
