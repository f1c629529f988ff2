// A client built on vscode-languageserver-protocol against `compattatore lsp`:
// the session an author makes on the built-in scenario, then the protocol's
// bad inputs on a raw stream.
//   node test/sessione.js COMPATTATORE DIR   (DIR holds the built-in description files)
const fs = require("fs");
const path = require("path");
const assert = require("assert");
const { spawn } = require("child_process");
const { pathToFileURL } = require("url");
const rpc = require("vscode-languageserver-protocol/node");

const [eseguibile, cartella] = process.argv.slice(2);
if (!eseguibile || !cartella) {
  console.error("uso: node test/sessione.js COMPATTATORE DIR");
  process.exit(2);
}
const fileTreno = path.resolve(cartella, "Brunovale_Quarzo-.txt");
const uri = pathToFileURL(fileTreno).href;
const treno = fs.readFileSync(fileTreno, "latin1");
const righe = treno.split("\r\n");
const rigaDi = (inizio) => righe.findIndex((r) => r.startsWith(inizio));

function scaduto(ms, cosa) {
  return new Promise((_, rifiuta) => setTimeout(() => rifiuta(new Error(`tempo scaduto: ${cosa}`)), ms).unref());
}

async function sessione() {
  const server = spawn(eseguibile, ["lsp"], { stdio: ["pipe", "pipe", "inherit"] });
  const uscita = new Promise((risolvi) => server.on("exit", (codice) => risolvi(codice)));
  const conn = rpc.createProtocolConnection(new rpc.StreamMessageReader(server.stdout), new rpc.StreamMessageWriter(server.stdin));
  const attese = [];
  let ultime = null;
  conn.onNotification(rpc.PublishDiagnosticsNotification.type, (p) => {
    if (p.uri !== uri) return;
    ultime = p.diagnostics;
    for (const a of attese.splice(0)) a();
  });
  // The next diagnostics that satisfy `prova`.
  const diagnostiche = (prova, cosa) =>
    Promise.race([
      new Promise((risolvi) => {
        const guarda = () => (ultime && prova(ultime) ? risolvi(ultime) : attese.push(guarda));
        guarda();
      }),
      scaduto(5000, cosa),
    ]);
  conn.listen();

  const init = await conn.sendRequest(rpc.InitializeRequest.type, { processId: process.pid, rootUri: null, capabilities: {} });
  assert.ok(init.capabilities.hoverProvider);
  conn.sendNotification(rpc.InitializedNotification.type, {});
  let versione = 1;
  conn.sendNotification(rpc.DidOpenTextDocumentNotification.type, {
    textDocument: { uri, languageId: "compattatore", version: versione, text: treno },
  });
  await diagnostiche((d) => d.length === 0, "il file integrato senza diagnostiche");

  // A station length that is no multiple of 100: code 9, at the field.
  const n = rigaDi("stazione,       0,  8,  500,");
  const cambia = (riga, da, a, testo) =>
    conn.sendNotification(rpc.DidChangeTextDocumentNotification.type, {
      textDocument: { uri, version: ++versione },
      contentChanges: [{ range: { start: { line: riga, character: da }, end: { line: riga, character: a } }, text: testo }],
    });
  cambia(n, 25, 26, "5");
  ultime = null;
  const [d] = await diagnostiche((x) => x.length > 0, "l'errore della lunghezza");
  assert.strictEqual(d.code, 9);
  assert.deepStrictEqual(d.range, { start: { line: n, character: 24 }, end: { line: n, character: 27 } });

  const s = rigaDi("segnale,    1050,");
  const hover = await conn.sendRequest(rpc.HoverRequest.type, { textDocument: { uri }, position: { line: s, character: 13 } });
  assert.match(hover.contents.value, /cella 22, km 1\.050/);

  const voci = await conn.sendRequest(rpc.CompletionRequest.type, { textDocument: { uri }, position: { line: 1, character: 0 } });
  assert.ok(voci.some((v) => v.label === "segnale" && v.insertTextFormat === 2));

  // Fixed: the diagnostics are cleared.
  cambia(n, 25, 26, "0");
  ultime = null;
  await diagnostiche((x) => x.length === 0, "la correzione");

  // Formatting lays a record out as decompile does, values unchanged.
  cambia(s, 0, righe[s].length, "segnale,1050,2,4,1,1,0,2,2,1,1,0");
  const modifiche = await conn.sendRequest(rpc.DocumentFormattingRequest.type, {
    textDocument: { uri },
    options: { tabSize: 4, insertSpaces: true },
  });
  assert.ok(modifiche.some((m) => m.range.start.line === s && m.newText === righe[s]), JSON.stringify(modifiche));
  cambia(s, 0, "segnale,1050,2,4,1,1,0,2,2,1,1,0".length, righe[s]);

  // A mistyped keyword and its quick fix.
  cambia(s, 0, 7, "segnalle");
  ultime = null;
  const [sbaglio] = await diagnostiche((x) => x.length > 0, "la parola chiave sconosciuta");
  assert.strictEqual(sbaglio.code, "parola-chiave-sconosciuta");
  const azioni = await conn.sendRequest(rpc.CodeActionRequest.type, {
    textDocument: { uri },
    range: sbaglio.range,
    context: { diagnostics: [sbaglio] },
  });
  assert.strictEqual(azioni[0].edit.changes[uri][0].newText, "segnale");

  await conn.sendRequest(rpc.ShutdownRequest.type);
  conn.sendNotification(rpc.ExitNotification.type);
  assert.strictEqual(await Promise.race([uscita, scaduto(5000, "la fine del server")]), 0);
  conn.dispose();
}

// The raw stream: frames written by hand, answers read by hand.
async function ingressiErrati() {
  const server = spawn(eseguibile, ["lsp"], { stdio: ["pipe", "pipe", "inherit"] });
  const uscita = new Promise((risolvi) => server.on("exit", (codice) => risolvi(codice)));
  let ricevuti = Buffer.alloc(0);
  const messaggi = [];
  server.stdout.on("data", (b) => {
    ricevuti = Buffer.concat([ricevuti, b]);
    for (;;) {
      const fine = ricevuti.indexOf("\r\n\r\n");
      if (fine < 0) return;
      const lunghezza = Number(/Content-Length: (\d+)/i.exec(ricevuti.subarray(0, fine).toString())[1]);
      if (ricevuti.length < fine + 4 + lunghezza) return;
      messaggi.push(JSON.parse(ricevuti.subarray(fine + 4, fine + 4 + lunghezza).toString()));
      ricevuti = ricevuti.subarray(fine + 4 + lunghezza);
    }
  });
  const cornice = (m) => {
    const corpo = Buffer.from(typeof m === "string" ? m : JSON.stringify(m));
    return Buffer.concat([Buffer.from(`Content-Length: ${corpo.length}\r\n\r\n`), corpo]);
  };
  const invia = (b) => server.stdin.write(b);
  const risposta = (id) =>
    Promise.race([
      new Promise((risolvi) => {
        const guarda = () => {
          const m = messaggi.find((x) => x.id === id);
          return m ? risolvi(m) : setTimeout(guarda, 10);
        };
        guarda();
      }),
      scaduto(5000, `la risposta ${id}`),
    ]);
  const registro = () => messaggi.filter((m) => m.method === "window/logMessage").length;

  invia(cornice({ jsonrpc: "2.0", id: 1, method: "initialize", params: { capabilities: {} } }));
  await risposta(1);
  // A length too small: the body is cut, the rest is stray bytes.
  invia(Buffer.from('Content-Length: 2\r\n\r\n{"jsonrpc":"2.0","id":2,"method":"shutdown"}'));
  // A body that is no JSON.
  invia(cornice("questo non è JSON"));
  // An unknown method.
  invia(cornice({ jsonrpc: "2.0", id: 3, method: "textDocument/nonEsiste", params: {} }));
  assert.strictEqual((await risposta(3)).error.code, -32601);
  const errori = messaggi.filter((m) => m.id === null && m.error && m.error.code === -32700).length;
  assert.strictEqual(errori, 2, JSON.stringify(messaggi));
  assert.ok(registro() >= 1);
  // A file that is no scenario: a log message, and empty answers.
  const prima = registro();
  const altro = pathToFileURL(path.resolve(cartella, "appunti.txt")).href;
  invia(cornice({ jsonrpc: "2.0", method: "textDocument/didOpen", params: { textDocument: { uri: altro, languageId: "text", version: 1, text: "x" } } }));
  invia(cornice({ jsonrpc: "2.0", id: 4, method: "textDocument/documentSymbol", params: { textDocument: { uri: altro } } }));
  assert.deepStrictEqual((await risposta(4)).result, []);
  assert.strictEqual(registro(), prima + 1);
  // After shutdown a request is refused, and exit ends the server.
  invia(cornice({ jsonrpc: "2.0", id: 5, method: "shutdown" }));
  await risposta(5);
  invia(cornice({ jsonrpc: "2.0", id: 6, method: "textDocument/hover", params: {} }));
  assert.strictEqual((await risposta(6)).error.code, -32600);
  invia(cornice({ jsonrpc: "2.0", method: "exit" }));
  assert.strictEqual(await Promise.race([uscita, scaduto(5000, "la fine del server")]), 0);
}

(async () => {
  await sessione();
  console.log("sessione: diagnostica, hover, completamento, formattazione, correzione: nessun problema");
  await ingressiErrati();
  console.log("ingressi errati: errori JSON-RPC e messaggi di registro, nessun blocco: nessun problema");
})().catch((e) => {
  console.error(e.stack || e.message);
  process.exit(1);
});
