#!/usr/bin/env bash
# Builds the program and runs every test; a warning fails the build.
set -euo pipefail
cd "$(dirname "$0")/.."
COMPATTATORE_WERROR=ON bash scripts/build.sh
ctest --test-dir build --output-on-failure -j2
