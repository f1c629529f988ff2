#!/usr/bin/env bash
# Builds the program and runs its job: the six files appear in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
./build/compattatore
