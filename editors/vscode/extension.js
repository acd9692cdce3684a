// Starts `scenario-tool lsp` for the route and train texts: one server for
// every text of the window, which finds each text's pair in its folder.
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

function activate() {
  const command = vscode.workspace
    .getConfiguration('scenarioTexts')
    .get('tool', 'scenario-tool');
  client = new LanguageClient(
    'scenarioTexts',
    'Scenario texts',
    { command, args: ['lsp'] },
    { documentSelector: [{ scheme: 'file', language: 'scenario' }] },
  );
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
