#!/usr/bin/env bash
# The language server with real editors' clients: Neovim's own LSP client,
# headless, driven by tests/editori/nvim_sessione.lua, and a client built on
# the npm package vscode-languageserver-protocol (editors/vscode/test/), both
# on the built-in scenario; the TextMate grammar on the built-in files; then
# the VS Code package, left in editors/vscode/compattatore.vsix.  Installs
# Neovim, Node.js and npm when missing, and the npm packages the lock file pins.
set -euo pipefail
cd "$(dirname "$0")/.."
inizio=$SECONDS
bash scripts/setup.sh neovim
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  bash scripts/setup.sh nodejs npm
fi
# As scripts/test.sh configures build/, so that a warm build stays warm.
COMPATTATORE_WERROR=ON bash scripts/build.sh >/dev/null

scenario=$(mktemp -d)
trap 'rm -rf "$scenario"' EXIT
./build/compattatore sources "$scenario/s" >/dev/null
export COMPATTATORE="$PWD/build/compattatore" SCENARIO="$scenario/s"

timeout 120 nvim --headless --clean -c "luafile tests/editori/nvim_sessione.lua"
echo

cd editors/vscode
npm ci --no-audit --no-fund --loglevel=error
timeout 120 npm test --silent
npm run package --silent >/dev/null
ls -l compattatore.vsix
echo "editori: tutto in $((SECONDS - inizio)) s"
