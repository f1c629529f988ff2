#!/usr/bin/env bash
# Remakes docs/editor_diagnostica.png, the picture of the authors' guide: Neovim
# with its own LSP client on the built-in train file in which a station's
# length is no multiple of 100, run in a tmux
# window of 150 x 22 characters; the window's contents, with their colours,
# are drawn into the PNG by disegna_schermo.py.  Run by hand after a change
# that shows in the picture; needs the build in build/.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/setup.sh neovim tmux python3-pil fonts-dejavu-core
lavoro=$(mktemp -d)
trap 'tmux kill-session -t cattura 2>/dev/null || true; rm -rf "$lavoro"' EXIT
./build/compattatore sources "$lavoro/s" >/dev/null
treno="$lavoro/s/Brunovale_Quarzo-.txt"
sed -i 's/^stazione,       0,  8,  500,/stazione,       0,  8,  550,/' "$treno"
riga=$(grep -n '^\[stazioni\]' "$treno" | cut -d: -f1)
cat >"$lavoro/init.lua" <<LUA
vim.o.number = true
vim.o.termguicolors = false
vim.o.laststatus = 2
vim.diagnostic.config({ virtual_text = true, signs = true, underline = true })
vim.lsp.start_client({ name = "compattatore", cmd = { "$PWD/build/compattatore", "lsp" }, root_dir = "$lavoro/s" })
vim.api.nvim_create_autocmd("BufReadPost", { callback = function(a) vim.lsp.buf_attach_client(a.buf, 1) end })
LUA
tmux new-session -d -s cattura -x 150 -y 22 -c "$lavoro/s" \
  "TERM=xterm-256color nvim --clean -u '$lavoro/init.lua' +$((riga - 3)) Brunovale_Quarzo-.txt"
sleep 4
tmux send-keys -t cattura "zt"
sleep 1
tmux capture-pane -p -e -t cattura >"$lavoro/schermo.ansi"
# Debian's own Python, which python3-pil serves.
/usr/bin/python3 tools/cattura/disegna_schermo.py "$lavoro/schermo.ansi" docs/editor_diagnostica.png
echo "docs/editor_diagnostica.png"
