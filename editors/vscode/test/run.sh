#!/usr/bin/env bash
# The extension's checks: its grammar on samples and on the texts
# `scenario-tool new` writes, then the .vsix built. Usage: run.sh TOOL OUT.
# Exit 77 (skipped) when the npm packages are not installed.
set -euo pipefail
tool=$1
out=$2
cd "$(dirname "$0")/.."
[[ -d node_modules/vscode-textmate ]] || { echo "npm packages not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" new Prova 1 -o "$work" > /dev/null
node test/grammar_test.js "$work/Prova_linea.txt" "$work/Prova_1-.txt"
npx --no-install vsce package --skip-license --allow-missing-repository \
  --out "$out/scenario-texts.vsix" > /dev/null
echo "built $out/scenario-texts.vsix"
