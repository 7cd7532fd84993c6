// Checks that the page runs in the browsers of 2020 (Chromium 80, Firefox
// ESR 78): its scripts parse as ECMAScript 2019, and its WebAssembly uses
// nothing beyond the first version's features, which binaryen's wasm-opt
// validates it against.
'use strict';

const acorn = require('acorn');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const page = fs.readFileSync(process.argv[2], 'utf8');
const scripts = [...page.matchAll(/<script>([\s\S]*?)<\/script>/g)].map((match) => match[1]);
if (scripts.length !== 2) throw new Error(`expected the engine's and the page's script, found ${scripts.length}`);
for (const script of scripts) acorn.parse(script, { ecmaVersion: 2019, sourceType: 'script' });

const wasm = page.match(/data:application\/octet-stream;base64,([A-Za-z0-9+/=]+)/);
const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'morvane-wasm-')), 'engine.wasm');
fs.writeFileSync(file, Buffer.from(wasm[1], 'base64'));
try {
  execFileSync('wasm-opt', ['--mvp-features', file, '-o', os.devNull], { stdio: 'pipe' });
} catch (error) {
  process.stderr.write(error.stderr);
  throw error;
} finally {
  fs.rmSync(path.dirname(file), { recursive: true });
}
