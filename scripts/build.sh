#!/usr/bin/env bash
# Configures and builds everything into build/.  COMPATTATORE_WERROR=ON
# turns every warning into an error, as the CI builds do.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# ccache, where installed, lets several checkouts share their compilations.
lanciatore=()
command -v ccache >/dev/null && lanciatore=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOMPATTATORE_WERROR="${COMPATTATORE_WERROR:-OFF}" "${lanciatore[@]}"
cmake --build build -j2
