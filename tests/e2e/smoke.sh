#!/usr/bin/env bash
# Drives the built program in a real X server: every file in steps/ in order, each starting
# the program on a folder of its own; E2E_STEPS, a pattern of step names, runs only those.
set -euo pipefail
VORNAK=$(realpath "$1")
export VORNAK
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
trap e2e_cleanup EXIT
e2e_start_xvfb
for step in "$here"/steps/${E2E_STEPS:-*}.sh; do
    echo "step $(basename "$step")"
    source "$step"
    e2e_stop_app
done
echo "end-to-end: all steps passed"
