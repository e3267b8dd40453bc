// Every test vector opens, refuses a wrong password, and gives back its
// expected files byte for byte under their expected names.
'use strict';
const { describe, test } = require('node:test');
const assert = require('node:assert/strict');
const { openDisc } = require('../../reader/js/disc.js');
const { vectorList, vectorDiscDir, discFiles, expectedTree } = require('./vector-files.js');

const KINDS = {
  design: 'design', scrambled: 'verified', 'scrambled-password': 'verified',
  strong: 'strong', 'strong-layout': 'strong', 'strong-wide': 'strong'
};

async function openVector(name) {
  return openDisc(await discFiles(vectorDiscDir(name)));
}

describe('test vectors', () => {
  for (const vector of vectorList()) {
    test(`${vector.name}: opens and gives back every expected file`, async () => {
      const disc = await openVector(vector.name);
      assert.equal(disc.kind, KINDS[vector.name] || disc.kind);
      assert.equal(disc.needsPassword, vector.password !== null);
      if (vector.password !== null) {
        assert.equal(disc.unlocked, false);
        await assert.rejects(disc.unlock(vector.password + 'x'), { code: 'wrong-password' });
        // A wide disc's password typed decomposed (NFD) must open it too.
        await disc.unlock(vector.password.normalize('NFD'));
      }
      const expected = expectedTree(vector.name);
      const written = disc.items.filter((item) => !item.isTop);
      assert.deepEqual(written.filter((i) => i.isFolder).map((i) => i.path).sort(), [...expected.folders].sort());
      assert.deepEqual(written.filter((i) => !i.isFolder).map((i) => i.path).sort(), [...expected.files.keys()].sort());
      for (const item of written.filter((i) => !i.isFolder)) {
        assert.equal(item.problem, null, item.path);
        const data = Buffer.from(await (await disc.readFileBlob(item)).arrayBuffer());
        assert.ok(data.equals(expected.files.get(item.path)), `${item.path} differs`);
        assert.equal(item.size, data.length);
      }
      assert.equal(disc.totals.files, expected.files.size);
    });
  }

  test('a password code page 1252 cannot hold is wrong at once, on the discs that take code page 1252', async () => {
    const disc = await openVector('strong');
    await assert.rejects(disc.unlock('Open Sesame Ω'), { code: 'wrong-password', message: /cannot hold|can hold/ });
    await assert.rejects(disc.unlock(''), { code: 'wrong-password' });
  });

  test('strong-wide: title, Unicode names, modified times, files across two data files', async () => {
    const disc = await openVector('strong-wide');
    await disc.unlock('Łódź 2026');
    assert.equal(disc.title, 'Dysk Ωμέγα 🎉');
    const byPath = new Map(disc.items.map((item) => [item.path, item]));
    assert.equal(byPath.get('Łódź 報告.txt').modified.toISOString(), '2021-03-04T05:06:07.000Z');
    const spanning = byPath.get('Ελληνικά/日本語.bin');
    assert.equal(spanning.depth, byPath.get('Ελληνικά').depth + 1);
    assert.equal(spanning.parentIndex, byPath.get('Ελληνικά').index);
  });

  test('strong-layout: what the splash and licence show comes out descrambled', async () => {
    const disc = await openVector('strong-layout');
    assert.equal(disc.licence, 'Use these files kindly.\r\n');
    assert.match(disc.header.splashText, /^A vector disc/);
    assert.equal(disc.header.fontFaceName, 'Vector');
    assert.equal(disc.noExport, true);
    assert.equal(disc.header.hasBackground, true);
    assert.equal(disc.header.hasLogo, true);
    const back = Buffer.from(await disc.images.background.arrayBuffer());
    assert.equal(disc.images.background.type, 'image/bmp');
    assert.equal(back.subarray(0, 2).toString('latin1'), 'BM');
    assert.equal(disc.images.logo.type, 'image/gif');
    assert.equal(Buffer.from(await disc.images.logo.arrayBuffer()).subarray(0, 4).toString('latin1'), 'GIF8');
    assert.equal(await disc.font.text(), 'not really a font, only its bytes');
  });

  test('data file names match without regard to case', async () => {
    const files = await discFiles(vectorDiscDir('scrambled'));
    const upper = new Map([...files].map(([name, blob]) => [name.toUpperCase(), blob]));
    const disc = await openDisc(upper);
    const result = await disc.checkAll();
    assert.deepEqual(result, { good: 4, failed: [] });
  });
});
