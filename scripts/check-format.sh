#!/usr/bin/env bash
# Fails when a source file is not formatted with the checked-in .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -- '*.cpp' '*.h' | xargs -r clang-format --dry-run -Werror
