// The item table's rules on crafted tables: records that run past the table,
// the parent rule, depth, names Windows cannot create, case duplicates, and
// where a file's stored bytes lie in the data stream.
'use strict';
const { describe, test } = require('node:test');
const assert = require('node:assert/strict');
const { readRecords } = require('../../reader/js/item-records.js');
const { buildTree } = require('../../reader/js/item-tree.js');
const { fileNameProblem } = require('../../reader/js/file-names.js');
const { storedPieces } = require('../../reader/js/data-files.js');
const bytes = require('../../reader/js/bytes.js');

const FOLDER = 1, FILE = 2, WHOLE_DISC = 777, DISC_ROOT = 0x20;

function u32(v) {
  const b = Buffer.alloc(4);
  b.writeUInt32LE(v);
  return b;
}
function text(b) {
  return Buffer.concat([u32(b.length), b]);
}
// A design record as stored (names given as code page 1252 bytes).
function designRecord(id, parent, type, name, dataFile = 'disc0001.dat') {
  const parts = [u32(id), u32(parent), u32(type), u32(0), u32(0), u32(0), text(Buffer.from(name, 'latin1'))];
  if (type === FILE) parts.push(text(Buffer.from(dataFile, 'latin1')), u32(0));
  return Buffer.concat(parts);
}
function wideRecord(id, parent, type, nameBytes) {
  const fixed = Buffer.alloc(40);
  fixed.writeUInt32LE(id, 0);
  fixed.writeUInt32LE(parent, 4);
  fixed.writeUInt32LE(type, 8);
  return Buffer.concat([fixed, text(nameBytes)]);
}
// Records as readRecords gives them, for tree tests.
function rec(itemId, parentId, itemType, name) {
  return { itemId, parentId, itemType, name, nameIsText: true, itemSize: 0, reserved: 0, modified: null, dataFileName: '', dataOffset: 0 };
}
const discTop = [rec(1, 0, DISC_ROOT, 'Arcseal'), rec(2, 1, WHOLE_DISC, 'Title')];

describe('records', () => {
  test('a record that runs past the table is damage; the records before it are kept', () => {
    const table = Buffer.concat([designRecord(1, 0, DISC_ROOT, 'Arcseal'), designRecord(3, 1, FILE, 'a.txt').subarray(0, 30)]);
    const read = readRecords(table, 2, false, false);
    assert.equal(read.records.length, 1);
    assert.deepEqual(read.damage, { index: 1, reason: 'the record runs past the end of the item table' });
  });

  test('names longer than 254 bytes (1020 wide) are damage; a NUL ends a design name early', () => {
    assert.match(readRecords(designRecord(3, 1, FILE, 'x'.repeat(255)), 1, false, false).damage.reason, /254/);
    assert.equal(readRecords(designRecord(3, 1, FILE, 'x'.repeat(254)), 1, false, false).damage, null);
    assert.match(readRecords(wideRecord(3, 1, FILE, Buffer.alloc(1021, 0x61)), 1, true, true).damage.reason, /1020/);
    assert.equal(readRecords(designRecord(3, 1, FILE, 'ab\0cd'), 1, false, false).records[0].name, 'ab');
  });

  test('a strong table must be used up exactly; a scrambled one may hold more', () => {
    const table = Buffer.concat([designRecord(1, 0, DISC_ROOT, 'Arcseal'), Buffer.alloc(3)]);
    assert.match(readRecords(table, 1, false, true).damage.reason, /do not fill/);
    assert.equal(readRecords(table, 1, false, false).damage, null);
  });

  test('wide names: UTF-8 is read; malformed UTF-8 is kept for show but refused as a name', () => {
    const good = readRecords(wideRecord(3, 1, FILE, Buffer.from('Łódź.txt')), 1, true, true).records[0];
    assert.equal(good.name, 'Łódź.txt');
    const bad = readRecords(wideRecord(3, 1, FILE, Buffer.from([0x61, 0xc3, 0x28])), 1, true, true).records[0];
    assert.equal(bad.nameIsText, false);
    const tree = buildTree([...discTop, bad]);
    assert.match(tree.items[2].problem, /UTF-8/);
  });
});

describe('tree', () => {
  test('a parent is the first earlier item of the id, and only a folder kind', () => {
    const { items } = buildTree([
      ...discTop,
      rec(5, 2, FILE, 'file'),
      rec(6, 5, FILE, 'under-a-file'),    // parent is a file: top
      rec(7, 8, FILE, 'parent-later'),    // parent comes later: top
      rec(8, 2, FOLDER, 'A'),
      rec(8, 2, FOLDER, 'B'),             // a second item of id 8 is never a parent
      rec(9, 8, FILE, 'in-a')
    ]);
    const byName = new Map(items.map((i) => [i.name, i]));
    assert.equal(byName.get('under-a-file').parentIndex, -1);
    assert.equal(byName.get('parent-later').parentIndex, -1);
    assert.equal(byName.get('in-a').path, 'A/in-a');
    assert.equal(byName.get('in-a').depth, 3);
    assert.equal(byName.get('file').path, 'file', 'the whole disc and the root are in no path');
  });

  test('folders nesting deeper than 2048 levels are damage', () => {
    const chain = [rec(1, 0, FOLDER, 'f')];
    for (let id = 2; id <= 2050; id++) chain.push(rec(id, id - 1, FOLDER, 'f'));
    const tree = buildTree(chain);
    assert.deepEqual(tree.damage.index, 2049);
    assert.equal(tree.items.length, 2049);
    assert.equal(buildTree(chain.slice(0, 2049)).damage, null);
  });

  test('names differing only in case are one file: the first is written, the second refused', () => {
    const { items } = buildTree([
      ...discTop,
      rec(3, 2, FOLDER, 'Docs'),
      rec(4, 2, FOLDER, 'DOCS'),
      rec(5, 4, FILE, 'inside.txt'),
      rec(6, 3, FILE, 'Ÿes.txt'),
      rec(7, 3, FILE, 'ÿES.TXT'),
      rec(8, 3, FILE, 'straße'),
      rec(9, 3, FILE, 'STRASSE'),
      rec(10, 3, FILE, 'ΩMEGA'),
      rec(11, 3, FILE, 'ωmega')
    ]);
    const problems = Object.fromEntries(items.slice(2).map((i) => [i.path, i.problem]));
    assert.equal(problems['Docs'], null);
    assert.match(problems['DOCS'], /already has/);
    assert.match(problems['DOCS/inside.txt'], /folder cannot be written/);
    assert.equal(problems['Docs/Ÿes.txt'], null);
    assert.match(problems['Docs/ÿES.TXT'], /already has/);
    assert.equal(problems['Docs/STRASSE'], null, 'ß is not SS to a file system');
    assert.match(problems['Docs/ωmega'], /already has/);
  });

  test('names Windows cannot create as given are refused', () => {
    const refused = ['', '.', '..', 'a\u0001b', 'a\tb', 'a:b', 'a/b', 'a\\b', 'a*b', 'a?b', 'a"b', 'a<b', 'a>b', 'a|b',
      'end.', 'end ', 'CON', 'con.txt', 'Nul', 'aux.tar.gz', 'LPT1.log', 'com0', 'COM\u00b9', 'CONIN$', 'conout$.x', 'PRN .txt'];
    for (const name of refused) assert.notEqual(fileNameProblem(name), null, JSON.stringify(name));
    const allowed = ['CONSOLE', 'COM10', 'LPT', 'a.b', '.hidden', 'x..y', 'Łódź 報告.txt', 'CON_1', 'nul-file'];
    for (const name of allowed) assert.equal(fileNameProblem(name), null, name);
  });
});

describe('bytes and places', () => {
  test('code page 1252: its own high characters, U+FFFD for the unassigned bytes, no C1 controls', () => {
    assert.equal(bytes.decodeCp1252(Uint8Array.from([0x80, 0x81, 0x9f, 0xe9])), '€\ufffdŸé');
    assert.deepEqual(Array.from(bytes.encodeCp1252('€Ÿé')), [0x80, 0x9f, 0xe9]);
    assert.equal(bytes.encodeCp1252('\u0081'), null);
    assert.equal(bytes.encodeCp1252('Ω'), null);
  });

  test('the data stream: file number and offset from the limit, running on into the next files', () => {
    assert.deepEqual(storedPieces('', 65530, 10, 65536), [
      { name: 'disc0001.dat', start: 65530, length: 6 }, { name: 'disc0002.dat', start: 0, length: 4 }]);
    assert.deepEqual(storedPieces('', 65536 * 10000, 0, 65536), [{ name: 'disc10001.dat', start: 0, length: 0 }]);
    assert.deepEqual(storedPieces('', 10, 65536 * 2, 65536).map((p) => p.name), ['disc0001.dat', 'disc0002.dat', 'disc0003.dat']);
    assert.deepEqual(storedPieces('DATA.DAT', 7, 3, 0), [{ name: 'DATA.DAT', start: 7, length: 3 }]);
  });
});
