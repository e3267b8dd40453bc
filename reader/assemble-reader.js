#!/usr/bin/env node
// Copies the browser reader into a disc folder: "Open in browser.html" at
// its top and everything it loads under browser-reader/, exactly the files
// reader/files.txt lists (the list mkdisc embeds too).
//   node reader/assemble-reader.js DISC_FOLDER
'use strict';
const fs = require('node:fs');
const path = require('node:path');

const ROOT = path.join(__dirname, '..');
const LIST = path.join(__dirname, 'files.txt');

// [{ source, target }] from files.txt: "source path|path on the disc" a line,
// with "|" between them because the names hold spaces; "#" starts a comment line.
function readerFiles(listFile = LIST) {
  const lines = fs.readFileSync(listFile, 'utf8').split('\n').map((line, i) => [line.trim(), i]);
  return lines.filter(([line]) => line && !line.startsWith('#')).map(([line, i]) => {
    const parts = line.split('|');
    const target = parts[1] || '';
    // A target must stay inside the disc folder.
    if (parts.length !== 2 || !parts[0] || !target || path.isAbsolute(target) ||
        target.split('/').some((p) => p === '..' || p === '.' || p === '')) {
      throw new Error(`${listFile} line ${i + 1}: not "source|target": ${line}`);
    }
    return { source: parts[0], target };
  });
}

function assembleReader(discFolder) {
  const files = readerFiles();
  for (const { source } of files) {
    if (!fs.existsSync(path.join(ROOT, source))) throw new Error(`missing reader file: ${source} (run npm ci?)`);
  }
  for (const { source, target } of files) {
    const to = path.join(discFolder, ...target.split('/'));
    fs.mkdirSync(path.dirname(to), { recursive: true });
    fs.copyFileSync(path.join(ROOT, source), to);
  }
  return files.length;
}

if (require.main === module) {
  const folder = process.argv[2];
  if (!folder || process.argv.length > 3) {
    console.error('usage: node reader/assemble-reader.js DISC_FOLDER');
    process.exit(2);
  }
  if (!fs.statSync(folder, { throwIfNoEntry: false })?.isDirectory()) {
    console.error(`not a folder: ${folder}`);
    process.exit(1);
  }
  try {
    console.log(`${assembleReader(folder)} reader files copied into ${folder}`);
  } catch (error) {
    console.error(error.message);
    process.exit(1);
  }
}

module.exports = { readerFiles, assembleReader };
