#!/usr/bin/env bash
# Plants each fault of tests/faults/ in a scratch copy of this checkout, builds it, runs the
# tests and prints which tests caught it, as a Markdown table (also written to a file).
#   bash scripts/plant-faults.sh [NAME...]    NAME: a patch's file name without .patch
# FAULTS_SCRATCH: the scratch folder (kept between runs, so builds are incremental);
# FAULTS_TABLE: where the table goes (default: faults.md in the scratch folder).
set -euo pipefail
cd "$(dirname "$0")/.."
checkout=$(pwd)
scratch=${FAULTS_SCRATCH:-/tmp/plant-faults-$(basename "$checkout")}
table=${FAULTS_TABLE:-$scratch/faults.md}
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$scratch")}" CCACHE_NOHASHDIR=true
export QT_QPA_PLATFORM=offscreen
# The end-to-end run's million-file step proves the same on a tenth of the files, as under the
# sanitizers: it takes minutes a fault at full size.
export E2E_RUN_FILES=${E2E_RUN_FILES:-100000}

# The checkout as it stands: tracked files and untracked ones that are not ignored. Only files
# whose content differs are copied, and they get a new time, so the build there stays right.
mkdir -p "$scratch"
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do
        if ! cmp -s "$file" "$scratch/$file"; then
            mkdir -p "$scratch/$(dirname "$file")"
            cp "$file" "$scratch/$file"
        fi
    done
# A file the checkout no longer has goes from the copy too: a removed test step would still run.
(cd "$scratch" && find src tests bench scripts cmake resources -type f -print0 2>/dev/null) |
    while IFS= read -r -d '' file; do
        [ -e "$file" ] || rm "$scratch/$file"
    done
cd "$scratch"
# Patches go to the copy, even when it lies inside a git checkout.
GIT_CEILING_DIRECTORIES=$(dirname "$scratch")
export GIT_CEILING_DIRECTORIES
# A fault may leave an unused variable behind: warnings are not errors here. The compile
# commands stay those of the checkouts' own builds, so that the shared compiler cache serves
# them: the launcher adds -Wno-error last, and the cache leaves that out of its key.
launcher=$scratch/warnings-not-errors.sh
printf '#!/bin/sh\nexec ccache "$@" -Wno-error\n' >"$launcher"
chmod +x "$launcher"
export CCACHE_IGNOREOPTIONS=-Wno-error
[ -f build/CMakeCache.txt ] || cmake --preset default -DCCACHE_PROGRAM="$launcher" >/dev/null

# Prints the failing ctest tests of a ctest log, each with the QtTest functions that failed.
caught_by() {
    local name functions
    sed -nE '/^The following tests FAILED:/,$ s/^[[:space:]]*[0-9]+ - ([^ ]+) \(.*/\1/p' "$1" |
        while read -r name; do
            functions=$(awk -v test="$name" '
                /^ *Start +[0-9]+: / { current = $3 }
                /[0-9]+\/[0-9]+ Test +#[0-9]+: / { current = $4 }
                current == test && match($0, /^FAIL!  : [A-Za-z0-9_:]+\([^)]*\)/) {
                    print substr($0, 10, RLENGTH - 9)
                }
            ' "$1" | sort -u | paste -sd ' ' -)
            printf '%s%s; ' "$name" "${functions:+: $functions}"
        done
}

if [ $# -eq 0 ]; then
    for patch in tests/faults/*.patch; do
        set -- "$@" "$(basename "$patch" .patch)"
    done
fi
log=$scratch/logs
# A run stopped half-way takes its fault out again.
planted=""
trap '[ -z "$planted" ] || git apply -R "$planted"' EXIT
mkdir -p "$log"
{
    echo "| fault | caught by |"
    echo "|---|---|"
} >"$table"
for fault in "$@"; do
    patch=tests/faults/$fault.patch
    started=$(date +%s)
    if head -n 1 "$patch" | grep -q '^# Not catchable:'; then
        result="not catchable: $(head -n 1 "$patch" | sed 's/^# Not catchable: *//')"
    elif ! git apply "$patch" 2>"$log/$fault.apply"; then
        result="does not apply"
    else
        planted=$patch
        if ! cmake --build build -j "$(nproc)" >"$log/$fault.build" 2>&1; then
            result="does not build"
        elif ctest --test-dir build -E e2e -j "$(nproc)" --output-on-failure --timeout 600 \
            >"$log/$fault.ctest" 2>&1; then
            if ctest --test-dir build -R e2e --output-on-failure >"$log/$fault.e2e" 2>&1; then
                result="NOTHING"
            else
                result="e2e: $(grep -h '^step ' "$log/$fault.e2e" | tail -n 1 | sed 's/^step //')"
            fi
        else
            result=$(caught_by "$log/$fault.ctest")
            result=${result%; }
        fi
        git apply -R "$patch"
        planted=""
    fi
    echo "| $fault | ${result:-?} |" | tee -a "$table"
    echo "  ($(($(date +%s) - started)) s)" >&2
done
echo "table: $table" >&2
