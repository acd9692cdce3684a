// The grammar as VS Code reads it (vscode-textmate with vscode-oniguruma):
// each line of a sample has its parts in the scopes meant, and every text
// given on the command line (the texts `scenario-tool new` writes) has
// each keyword line's keyword, each header and each comment so coloured.
const assert = require('assert');
const fs = require('fs');
const path = require('path');
const textmate = require('vscode-textmate');
const oniguruma = require('vscode-oniguruma');

async function loadGrammar() {
  const wasm = fs.readFileSync(
    path.join(path.dirname(require.resolve('vscode-oniguruma')), 'onig.wasm'));
  await oniguruma.loadWASM(wasm.buffer.slice(
    wasm.byteOffset, wasm.byteOffset + wasm.byteLength));
  const registry = new textmate.Registry({
    onigLib: Promise.resolve({
      createOnigScanner: (sources) => new oniguruma.OnigScanner(sources),
      createOnigString: (text) => new oniguruma.OnigString(text),
    }),
    loadGrammar: async () => textmate.parseRawGrammar(
      fs.readFileSync(
        path.join(__dirname, '..', 'syntaxes', 'scenario.tmLanguage.json'),
        'utf8'),
      'scenario.tmLanguage.json'),
  });
  return registry.loadGrammar('source.scenario');
}

// The line's parts, each with the last scope it has: "text=scope".
function parts(grammar, line) {
  const { tokens } = grammar.tokenizeLine(line, textmate.INITIAL);
  return tokens
    .map((t) => [line.slice(t.startIndex, t.endIndex).replace(/^[\s,]+|[\s,]+$/g, ''),
      t.scopes.at(-1)])
    .filter(([text]) => text !== '')
    .map(([text, scope]) => `${text}=${scope.replace(/\.scenario$/, '')}`);
}

const samples = [
  ['[generale]', ['[generale]=entity.name.section']],
  ['pendenza,  1000,   -4',
    ['pendenza=keyword.control', '1000=constant.numeric', '-4=constant.numeric']],
  ['Pendenza, 5, 2', ['Pendenza=keyword.control', '5=constant.numeric', '2=constant.numeric']],
  ['curvad3,  700,  850',
    ['curvad3=keyword.control', '700=constant.numeric', '850=constant.numeric']],
  ['cartello_indicatore, 100, "(P.L.Km)(1,000)"',
    ['cartello_indicatore=keyword.control', '100=constant.numeric',
      '"(P.L.Km)(1,000)"=string.quoted.double']],
  // Read as comments: a "-" in the first item, semicolons for commas too.
  ['- pendenza: progressiva (m) / pendenza (‰)',
    ['- pendenza: progressiva (m) / pendenza (‰)=comment.line']],
  ['pendenza; 17000; -6', ['pendenza; 17000; -6=comment.line']],
  // A misspelt keyword is no keyword.
  ['pendnza, 3000, 2', ['pendnza=source', '3000=constant.numeric', '2=constant.numeric']],
];

loadGrammar().then((grammar) => {
  for (const [line, expected] of samples) {
    assert.deepStrictEqual(parts(grammar, line), expected, line);
  }
  for (const file of process.argv.slice(2)) {
    const lines = fs.readFileSync(file, 'latin1').split(/\r?\n/);
    let keywords = 0;
    for (const line of lines) {
      const first = parts(grammar, line)[0];
      if (first === undefined) continue;
      const scope = first.slice(first.lastIndexOf('=') + 1);
      if (line.trimStart().startsWith('[')) {
        assert.strictEqual(scope, 'entity.name.section', `${file}: ${line}`);
      } else if (line.split(',')[0].includes('-')) {
        assert.strictEqual(scope, 'comment.line', `${file}: ${line}`);
      } else {
        assert.strictEqual(scope, 'keyword.control', `${file}: ${line}`);
        ++keywords;
      }
    }
    assert.ok(keywords > 10, `${file}: ${keywords} keyword lines`);
  }
  console.log(`grammar: ${samples.length} samples and ` +
    `${process.argv.length - 2} texts coloured as meant`);
}).catch((error) => {
  console.error(error.message);
  process.exit(1);
});
