// Every test vector through the reader page from file://, as a person uses
// it: pick the folder, wrong then right password, licence, browse, view a
// text file, download a file, a folder and the whole disc, and compare every
// byte with the vector's expected files.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const { vectorList, vectorDiscDir, expectedTree } = require('../reader/vector-files.js');
const h = require('./page-harness.js');

// What the vectors show besides their files (see tests/vectors/make-vectors).
const SHOWN = {
  'strong-layout': { splash: 'A vector disc', licence: 'Use these files kindly.', noExport: true }
};
const TITLES = { 'strong-wide': 'Dysk Ωμέγα 🎉' };

let browser;
before(async () => { browser = await h.launch(); });
after(async () => { await browser.close(); });

function folderOf(file) {
  return path.posix.dirname(file) === '.' ? '' : path.posix.dirname(file);
}

for (const vector of vectorList()) {
  test(`vector ${vector.name}: open, browse, view and download through the page`, async (t) => {
    const shown = SHOWN[vector.name] || {};
    const expected = expectedTree(vector.name);
    const disc = h.discWithReader(t, vectorDiscDir(vector.name));
    const { page, requests, pageErrors } = await h.openReader(browser, disc);
    await h.pickFolder(page, disc);

    if (shown.splash) {
      await page.locator('#splash:not([hidden])').waitFor();
      assert.match(await page.getAttribute('#splash', 'aria-label'), new RegExp(shown.splash));
      await page.keyboard.press('Space');
    }
    if (vector.password) {
      await h.typePassword(page, vector.password + 'x');
      await h.expectPasswordRefused(page);
      await h.typePassword(page, vector.password);
    }
    if (shown.licence) {
      await page.locator('#licence-dialog[open]').waitFor();
      assert.match(await page.textContent('#licence-text'), new RegExp(shown.licence));
      await page.click('#licence-accept');
    }
    await h.waitForMainView(page);
    assert.equal(await page.textContent('#disc-title'), TITLES[vector.name] || 'Vector Disc');
    const fileCount = expected.files.size;
    assert.match(await page.textContent('#disc-totals'),
      new RegExp(`^${fileCount} files?, ${expected.folders.size} folders?`));

    // Browse: each folder lists exactly its own files.
    for (const folder of ['', ...expected.folders]) {
      await h.openFolder(page, folder);
      const own = [...expected.files.keys()].filter((f) => folderOf(f) === folder).map((f) => path.posix.basename(f));
      assert.deepEqual((await h.listedNames(page)).sort(), own.sort(), `files of "${folder}"`);
    }

    // View a text file: the new tab shows its text.
    const textFile = [...expected.files.keys()].find((f) => f.endsWith('.txt'));
    await h.openFolder(page, folderOf(textFile));
    await h.fileRow(page, path.posix.basename(textFile)).click();
    assert.equal(await h.viewSelectedText(page), h.textAsShown(expected.files.get(textFile)));

    if (shown.noExport) {
      for (const id of ['#download-file', '#zip-folder', '#zip-disc']) assert.equal(await page.isVisible(id), false, id);
    } else {
      // The largest file, one folder as a ZIP, the whole disc as a ZIP.
      const largest = [...expected.files.keys()].sort((a, b) => expected.files.get(b).length - expected.files.get(a).length)[0];
      await h.openFolder(page, folderOf(largest));
      await h.fileRow(page, path.posix.basename(largest)).click();
      const one = await h.downloadFrom(page, '#download-file');
      assert.equal(one.name, path.posix.basename(largest));
      assert.ok(one.data.equals(expected.files.get(largest)), `bytes of ${largest}`);

      const folder = largest.split('/')[0];
      await h.openFolder(page, folder);
      const zipped = await h.downloadFrom(page, '#zip-folder');
      assert.equal(zipped.name, `${folder}.zip`);
      h.assertSameTree(h.unzipTree(t, zipped.data), h.subtree(expected, folder), `${folder}.zip`);

      const whole = await h.downloadFrom(page, '#zip-disc');
      h.assertSameTree(h.unzipTree(t, whole.data), expected, whole.name);
    }

    await page.click('#check-disc');
    // The design's discs carry no checksums: their files are read, not called intact.
    const verdict = vector.name === 'design' ? 'could be read. This disc is of the older kind without checksums' : 'are intact.';
    await page.locator('.message-good', { hasText: `All ${fileCount} files of the disc ${verdict}` }).waitFor();
    h.assertNoNetwork(requests);
    assert.deepEqual(pageErrors, []);
    await page.context().close();
  });
}
