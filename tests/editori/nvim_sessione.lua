-- Neovim's own LSP client against `compattatore lsp`, headless:
--   COMPATTATORE=... SCENARIO=DIR nvim --headless --clean -c "luafile tests/editori/nvim_sessione.lua"
-- Opens the built-in train file, breaks a field and waits for the diagnostic
-- at its range, asks for hover and completion, formats, fixes a mistyped
-- keyword with its quick fix; any failure ends Neovim with status 1.
local eseguibile = assert(os.getenv("COMPATTATORE"), "COMPATTATORE non impostato")
local cartella = assert(os.getenv("SCENARIO"), "SCENARIO non impostato")
local file = cartella .. "/Brunovale_Quarzo-.txt"

local function fallisci(msg)
  io.stderr:write("nvim: " .. msg .. "\n")
  vim.cmd("cquit 1")
end

local function controlla(cond, msg)
  if not cond then fallisci(msg) end
end

local ok, err = pcall(function()
  vim.cmd("edit " .. vim.fn.fnameescape(file))
  local buf = vim.api.nvim_get_current_buf()
  local pubblicate = 0
  local id = vim.lsp.start_client({
    name = "compattatore",
    cmd = { eseguibile, "lsp" },
    root_dir = cartella,
    handlers = {
      ["textDocument/publishDiagnostics"] = function(e, r, ctx, c)
        pubblicate = pubblicate + 1
        return vim.lsp.diagnostic.on_publish_diagnostics(e, r, ctx, c)
      end,
    },
  })
  controlla(id, "il server non parte")
  vim.lsp.buf_attach_client(buf, id)
  controlla(vim.wait(5000, function() return pubblicate > 0 end, 10), "nessuna diagnostica pubblicata")
  controlla(#vim.diagnostic.get(buf) == 0, "il file integrato ha diagnostiche")

  local righe = vim.api.nvim_buf_get_lines(buf, 0, -1, false)
  local function riga_di(inizio)
    for i, r in ipairs(righe) do
      if r:sub(1, #inizio) == inizio then return i - 1 end
    end
    fallisci("nessuna riga comincia con " .. inizio)
  end

  -- A station length that is no multiple of 100: code 9, at the field.
  local n = riga_di("stazione,       0,  8,  500,")
  local originale = righe[n + 1]
  vim.api.nvim_buf_set_lines(buf, n, n + 1, false, { (originale:gsub("  500,", "  550,", 1)) })
  controlla(vim.wait(5000, function() return #vim.diagnostic.get(buf) > 0 end, 10), "nessun errore per la lunghezza")
  local d = vim.diagnostic.get(buf)[1]
  controlla(d.lnum == n and d.col == 24 and d.end_col == 27,
    string.format("intervallo %d:%d-%d invece di %d:24-27", d.lnum, d.col, d.end_col, n))
  controlla(d.severity == vim.diagnostic.severity.ERROR, "non è un errore")

  -- Hover on a signal's position.
  local s = riga_di("segnale,    1050,")
  local function richiesta(metodo, parametri)
    local r = vim.lsp.buf_request_sync(buf, metodo, parametri, 5000)
    controlla(r and r[id], "nessuna risposta a " .. metodo)
    controlla(not r[id].err, metodo .. ": " .. vim.inspect(r[id].err))
    return r[id].result
  end
  local doc = { uri = vim.uri_from_bufnr(buf) }
  local h = richiesta("textDocument/hover", { textDocument = doc, position = { line = s, character = 13 } })
  controlla(h.contents.value:find("cella 22, km 1.050", 1, true), "hover: " .. h.contents.value)

  -- Completion at the start of a line.
  local c = richiesta("textDocument/completion", { textDocument = doc, position = { line = 1, character = 0 } })
  local trovata = false
  for _, v in ipairs(c.items or c) do
    if v.label == "segnale" then trovata = true end
  end
  controlla(trovata, "il completamento non propone segnale")

  -- Fixed: the diagnostic goes away.
  vim.api.nvim_buf_set_lines(buf, n, n + 1, false, { originale })
  controlla(vim.wait(5000, function() return #vim.diagnostic.get(buf) == 0 end, 10), "l'errore resta dopo la correzione")

  -- Formatting: a record squeezed together comes back in decompile's layout.
  local segnale = righe[s + 1]
  vim.api.nvim_buf_set_lines(buf, s, s + 1, false, { (segnale:gsub("%s", "")) })
  vim.lsp.buf.formatting_sync(nil, 5000)
  local dopo = vim.api.nvim_buf_get_lines(buf, s, s + 1, false)[1]
  controlla(dopo == segnale, "formattazione: '" .. dopo .. "'")

  -- A mistyped keyword and its quick fix.
  vim.api.nvim_buf_set_lines(buf, s, s + 1, false, { (segnale:gsub("^segnale", "segnalle")) })
  controlla(vim.wait(5000, function() return #vim.diagnostic.get(buf) > 0 end, 10), "nessun avviso per la parola sbagliata")
  local sbaglio = vim.lsp.diagnostic.get_line_diagnostics(buf, s)[1]
  controlla(sbaglio and sbaglio.code == "parola-chiave-sconosciuta", "avviso: " .. vim.inspect(sbaglio))
  local azioni = richiesta("textDocument/codeAction", {
    textDocument = doc,
    range = sbaglio.range,
    context = { diagnostics = { sbaglio } },
  })
  controlla(azioni[1], "nessuna correzione")
  vim.lsp.util.apply_workspace_edit(azioni[1].edit, "utf-16")
  controlla(vim.api.nvim_buf_get_lines(buf, s, s + 1, false)[1] == segnale, "la correzione non ripristina la riga")
  controlla(vim.wait(5000, function() return #vim.diagnostic.get(buf) == 0 end, 10), "l'avviso resta dopo la correzione")

  vim.lsp.stop_client(id)
  vim.wait(2000, function() return vim.lsp.get_client_by_id(id) == nil end, 10)
end)
if not ok then fallisci(tostring(err)) end
io.stdout:write("nvim: diagnostica, hover, completamento, formattazione, correzione: nessun problema\n")
vim.cmd("qall!")
