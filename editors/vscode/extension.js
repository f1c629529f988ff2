// Starts `compattatore lsp` for the scenario description files.
const vscode = require("vscode");
const { LanguageClient } = require("vscode-languageclient/node");

let client;

function activate(context) {
  const percorso = vscode.workspace.getConfiguration("compattatore").get("percorso") || "compattatore";
  client = new LanguageClient(
    "compattatore",
    "Compattatore",
    { command: percorso, args: ["lsp"] },
    { documentSelector: [{ scheme: "file", language: "compattatore" }] }
  );
  context.subscriptions.push(client);
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
