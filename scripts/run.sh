#!/usr/bin/env bash
# Builds the program alone (not the tests or the benchmarks, which
# scripts/test.sh builds) and runs its job: the six files appear in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target compattatore
./build/compattatore
