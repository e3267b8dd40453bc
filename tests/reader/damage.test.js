// Damaged and altered discs: the reader names what is wrong (the data file,
// the item) and never hands out a damaged file as good.
'use strict';
const { describe, test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { openDisc } = require('../../reader/js/disc.js');
const layout = require('../../reader/js/layout.js');
const { discFiles, copyDisc, flipByte, drain } = require('./vector-files.js');

async function open(dir, password) {
  const disc = await openDisc(await discFiles(dir));
  if (password) await disc.unlock(password);
  return disc;
}

function itemAt(disc, itemPath) {
  return disc.items.find((item) => item.path === itemPath);
}

// Where a section of discview.exe starts, from its trailer.
function sectionsOf(viewerPath) {
  const data = fs.readFileSync(viewerPath);
  return layout.computeSections(layout.parseTrailer(data.subarray(data.length - 40)));
}

describe('damaged contents', () => {
  test('strong: chunks before a damaged one are good, the damaged one is never handed out', async (t) => {
    const dir = copyDisc(t, 'strong');
    const pattern = itemAt(await open(dir, 'Open Sesame'), 'Docs/Old/pattern.bin');
    // The second chunk: after 65,536 plain bytes and their tag.
    flipByte(path.join(dir, pattern.dataFileName), pattern.dataOffset + 65536 + 16 + 10);
    const disc = await open(dir, 'Open Sesame');
    const got = await drain(disc, itemAt(disc, 'Docs/Old/pattern.bin'));
    assert.equal(got.error.code, 'file-damaged');
    assert.equal(got.error.dataFile, 'disc0001.dat');
    assert.equal(got.error.path, 'Docs/Old/pattern.bin');
    assert.equal(got.data.length, 65536);
    await assert.rejects(disc.readFileBlob(itemAt(disc, 'Docs/Old/pattern.bin')), { code: 'file-damaged' });
    const check = await disc.checkAll();
    assert.equal(check.good, 3);
    assert.deepEqual(check.failed.map((f) => f.item.path), ['Docs/Old/pattern.bin']);
  });

  test('verified: a CRC-32 mismatch fails the file before its last bytes come out', async (t) => {
    const dir = copyDisc(t, 'scrambled');
    const hello = itemAt(await open(dir), 'Notes/hello.txt');
    flipByte(path.join(dir, 'disc0001.dat'), hello.dataOffset + 3);
    const disc = await open(dir);
    const got = await drain(disc, itemAt(disc, 'Notes/hello.txt'));
    assert.equal(got.error.code, 'file-damaged');
    assert.equal(got.error.dataFile, 'disc0001.dat');
    assert.equal(got.chunks.length, 0);
    assert.equal((await disc.checkAll()).good, 3);
  });

  test('a data file that ends early is named; files before the cut still read', async (t) => {
    const dir = copyDisc(t, 'design');
    const hello = itemAt(await open(dir), 'Notes/hello.txt');
    fs.truncateSync(path.join(dir, 'disc0001.dat'), hello.dataOffset + 5);
    const disc = await open(dir);
    const got = await drain(disc, itemAt(disc, 'Notes/hello.txt'));
    assert.equal(got.error.code, 'data-file-short');
    assert.equal(got.error.dataFile, 'disc0001.dat');
    assert.equal(got.chunks.length, 0);
    assert.equal((await drain(disc, itemAt(disc, 'Docs/Old/pattern.bin'))).error, null);
  });

  test('strong-wide: damage and loss in the second data file name it', async (t) => {
    const dir = copyDisc(t, 'strong-wide');
    // Byte 100 of disc0002.dat lies in the second chunk of 日本語.bin.
    flipByte(path.join(dir, 'disc0002.dat'), 100);
    let disc = await open(dir, 'Łódź 2026');
    let check = await disc.checkAll();
    assert.deepEqual(check.failed.map((f) => [f.item.path, f.error.code, f.error.dataFile]),
      [['Ελληνικά/日本語.bin', 'file-damaged', 'disc0002.dat']]);
    assert.equal(check.good, 2);

    fs.rmSync(path.join(dir, 'disc0002.dat'));
    disc = await open(dir, 'Łódź 2026');
    const spanning = await drain(disc, itemAt(disc, 'Ελληνικά/日本語.bin'));
    assert.equal(spanning.error.code, 'data-file-missing');
    assert.equal(spanning.error.dataFile, 'disc0002.dat');
    assert.equal(spanning.chunks.length, 0, 'refused before any chunk is handed out');
    check = await disc.checkAll();
    assert.deepEqual(check.failed.map((f) => f.item.path).sort(), ['Ελληνικά/日本語.bin', 'Отчёты/😀 smile.txt']);
    assert.equal(check.good, 1);
  });
});

describe('damaged or altered layouts', () => {
  test('a changed splash text fails the strong table: altered', async (t) => {
    const dir = copyDisc(t, 'strong-layout');
    const viewer = path.join(dir, 'discview.exe');
    flipByte(viewer, sectionsOf(viewer).header + 1080);
    const disc = await openDisc(await discFiles(dir));
    await assert.rejects(disc.unlock('Vector 3'), { code: 'table-altered' });
  });

  test('a trailer without the magic, sections past the file, a damaged record', async (t) => {
    const dir = copyDisc(t, 'strong');
    const viewer = path.join(dir, 'discview.exe');
    const original = fs.readFileSync(viewer);
    const size = original.length;

    flipByte(viewer, size - 1);
    await assert.rejects(openDisc(await discFiles(dir)), { code: 'no-layout' });

    const longLicence = Buffer.from(original);
    longLicence.writeUInt32LE(size, size - 40 + 12);
    fs.writeFileSync(viewer, longLicence);
    await assert.rejects(openDisc(await discFiles(dir)), { code: 'layout-damaged' });

    // Argon2id passes, in the scrambled header's record, without a new checksum.
    fs.writeFileSync(viewer, original);
    flipByte(viewer, sectionsOf(viewer).header + 4124 + 24);
    await assert.rejects(openDisc(await discFiles(dir)), { code: 'record-damaged' });

    fs.rmSync(viewer);
    await assert.rejects(openDisc(await discFiles(dir)), { code: 'no-layout' });
  });
});
