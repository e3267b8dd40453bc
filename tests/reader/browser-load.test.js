// The reader's files as a browser page loads them: classic scripts, one
// after the other, in one global scope with no require() and no module, and
// hash-wasm from its UMD build.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');
const { vectorDiscDir, discFiles } = require('./vector-files.js');

const ROOT = path.join(__dirname, '..', '..');
// The order of the page's script tags (as in the comment at the top of disc.js).
const SCRIPTS = [
  'node_modules/hash-wasm/dist/index.umd.min.js',
  ...['bytes', 'disc-error', 'file-names', 'layout', 'header', 'integrity-record', 'sealed-chunks', 'password',
    'item-records', 'item-tree', 'item-table', 'data-files', 'contents', 'disc'].map((n) => `reader/js/${n}.js`)
];

test('the scripts load as classic scripts in order and open a disc', async () => {
  const page = vm.createContext({
    crypto: globalThis.crypto, Blob, TextDecoder, TextEncoder, WebAssembly, console,
    setTimeout, clearTimeout, queueMicrotask
  });
  for (const script of SCRIPTS) {
    vm.runInContext(fs.readFileSync(path.join(ROOT, script), 'utf8'), page, { filename: script });
  }
  const Arcseal = vm.runInContext('globalThis.Arcseal', page);
  assert.equal(typeof Arcseal.openDisc, 'function');
  const disc = await Arcseal.openDisc(await discFiles(vectorDiscDir('strong-wide')));
  await disc.unlock('Łódź 2026');
  const check = await disc.checkAll();
  assert.equal(check.good, 3);
  assert.equal(check.failed.length, 0);
});
