#!/usr/bin/env bash
# Installs what is missing, checks the formatting, fuzzes the rename rules for a while, then
# builds and runs every test twice: a normal build with warnings as errors, and a build under
# AddressSanitizer and UndefinedBehaviorSanitizer; last, builds the Debian package and installs it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}" CCACHE_NOHASHDIR=true
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1
bash scripts/check-format.sh
bash scripts/check-texts.sh
# The rename rules under libFuzzer for a short while, from the committed corpus: clang, its own
# build, only that target.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORNAK_FUZZ=ON >/dev/null
cmake --build build-fuzz --target rename_rules_fuzz -j "$(nproc)"
mkdir -p build-fuzz/corpus
build-fuzz/rename_rules_fuzz -max_total_time=20 -artifact_prefix=build-fuzz/ \
    build-fuzz/corpus tests/core/corpus
for preset in default asan; do
    bash scripts/build.sh "$preset"
    ctest --preset "$preset" -j "$(nproc)"
done
# The Debian package: built, checked with lintian, installed, tried and removed again.
bash scripts/package.sh
bash tests/package/install.sh "vornak_$(dpkg-parsechangelog -S Version)_$(dpkg --print-architecture).deb"
