// Shared by the reader's tests: the test vectors as Blobs, their expected
// trees, and throwaway copies of a disc to damage.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const VECTORS = path.join(__dirname, '..', 'vectors');

function vectorList() {
  return fs.readFileSync(path.join(VECTORS, 'vectors.txt'), 'utf8').split('\n').filter(Boolean).map((line) => {
    const space = line.indexOf(' ');
    const password = line.slice(space + 1);
    return { name: line.slice(0, space), password: password === '-' ? null : password };
  });
}

function vectorDiscDir(name) {
  return path.join(VECTORS, name, 'disc');
}

// Every file of a disc folder, by its name, as the browser would hand them over.
async function discFiles(dir) {
  const files = new Map();
  for (const name of fs.readdirSync(dir)) files.set(name, await fs.openAsBlob(path.join(dir, name)));
  return files;
}

// { files: Map path -> Buffer, folders: Set path } of a folder on disk.
function treeOf(top) {
  const tree = { files: new Map(), folders: new Set() };
  (function walk(dir, prefix) {
    for (const entry of fs.readdirSync(dir, { withFileTypes: true })) {
      const rel = prefix + entry.name;
      if (entry.isDirectory()) {
        tree.folders.add(rel);
        walk(path.join(dir, entry.name), rel + '/');
      } else {
        tree.files.set(rel, fs.readFileSync(path.join(dir, entry.name)));
      }
    }
  })(top, '');
  return tree;
}

// The same of a vector's expected/ folder.
function expectedTree(name) {
  return treeOf(path.join(VECTORS, name, 'expected'));
}

// A copy of a vector's disc folder in a temporary folder, removed after the test.
function copyDisc(t, name) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'arcseal-reader-'));
  fs.cpSync(vectorDiscDir(name), dir, { recursive: true });
  t.after(() => fs.rmSync(dir, { recursive: true, force: true }));
  return dir;
}

function flipByte(file, at) {
  const data = fs.readFileSync(file);
  data[at] ^= 0x01;
  fs.writeFileSync(file, data);
}

// Everything a file's iterator hands out before it ends or fails.
async function drain(disc, item) {
  const chunks = [];
  try {
    for await (const chunk of disc.readFile(item)) chunks.push(chunk);
    return { data: Buffer.concat(chunks), error: null, chunks };
  } catch (error) {
    return { data: Buffer.concat(chunks), error, chunks };
  }
}

module.exports = { VECTORS, vectorList, vectorDiscDir, discFiles, treeOf, expectedTree, copyDisc, flipByte, drain };
