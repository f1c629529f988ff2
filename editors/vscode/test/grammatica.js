// The grammar on the built-in description files: every section header, every
// keyword, every number and every station name or sign text gets its scope.
//   node test/grammatica.js DIR   (DIR holds the files `compattatore sources` writes)
const fs = require("fs");
const path = require("path");
const assert = require("assert");
const vsctm = require("vscode-textmate");
const oniguruma = require("vscode-oniguruma");

const cartella = process.argv[2];
if (!cartella) {
  console.error("uso: node test/grammatica.js DIR");
  process.exit(2);
}

const wasm = fs.readFileSync(path.join(path.dirname(require.resolve("vscode-oniguruma")), "onig.wasm")).buffer;
const registro = new vsctm.Registry({
  onigLib: oniguruma.loadWASM(wasm).then(() => ({
    createOnigScanner: (p) => new oniguruma.OnigScanner(p),
    createOnigString: (s) => new oniguruma.OnigString(s),
  })),
  loadGrammar: async () =>
    vsctm.parseRawGrammar(
      fs.readFileSync(path.join(__dirname, "..", "syntaxes", "compattatore.tmLanguage.json"), "utf8"),
      "compattatore.tmLanguage.json"
    ),
});

// The tokens of each line: [text, scopes] pairs.
function tokens(grammatica, testo) {
  let stato = vsctm.INITIAL;
  return testo.split(/\r?\n/).map((riga) => {
    const r = grammatica.tokenizeLine(riga, stato);
    stato = r.ruleStack;
    return r.tokens.map((t) => [riga.substring(t.startIndex, t.endIndex), t.scopes]);
  });
}

function con(tok, parte) {
  return tok.filter(([, s]) => s.some((x) => x.startsWith(parte))).map(([t]) => t.trim());
}

(async () => {
  const g = await registro.loadGrammar("source.compattatore");
  let controllate = 0;
  for (const nome of ["Brunovale_linea.txt", "Brunovale_Quarzo-.txt"]) {
    const testo = fs.readFileSync(path.join(cartella, nome), "latin1");
    const righe = testo.split(/\r?\n/);
    tokens(g, testo).forEach((tok, i) => {
      const riga = righe[i];
      if (riga.trim() === "") return;
      const dove = `${nome}:${i + 1}: ${riga}`;
      if (riga.startsWith("[")) {
        assert.deepStrictEqual(con(tok, "entity.name.section"), [riga.slice(1, riga.indexOf("]"))], dove);
        return;
      }
      const campi = riga.split(",");
      assert.deepStrictEqual(con(tok, "keyword.other.record"), [campi[0].trim()], dove);
      assert.deepStrictEqual(con(tok, "invalid"), [], dove);
      // Every value that is a number is a number; every other is a text.
      const attesi = campi.slice(1).flatMap((c) => (/^\s*[-+]?\d+(\s+[-+]?\d+)*\s*$/.test(c) ? c.trim().split(/\s+/) : []));
      assert.deepStrictEqual(con(tok, "constant.numeric"), attesi, dove);
      const testi = campi.slice(1).filter((c) => c.trim() !== "" && !/^\s*[-+]?\d+(\s+[-+]?\d+)*\s*$/.test(c));
      assert.deepStrictEqual(con(tok, "string"), testi.map((c) => c.trim()), dove);
      controllate++;
    });
  }
  // A comment, an unknown keyword, a quoted text.
  const [commento, sconosciuta, virgolette] = tokens(g, '  # nota\nsegnalle, 10\ncartello_indicatore, 10, "a, b"');
  assert.strictEqual(con(commento, "comment.line").join(""), "#nota");
  assert.deepStrictEqual(con(sconosciuta, "invalid"), ["segnalle"]);
  assert.deepStrictEqual(con(virgolette, "string.quoted"), ['"a, b"']);
  console.log(`grammatica: ${controllate} record controllati, nessun problema`);
})().catch((e) => {
  console.error(e.message);
  process.exit(1);
});
