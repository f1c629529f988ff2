#!/usr/bin/env bash
# Configures and builds everything into build/.  COMPATTATORE_WERROR=ON
# turns every warning into an error, as the CI builds do.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOMPATTATORE_WERROR="${COMPATTATORE_WERROR:-OFF}"
cmake --build build -j2
