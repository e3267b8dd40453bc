// Damage seen through the page: a damaged file is named and nothing of it
// is delivered (no view, no download, a ZIP that aborts), whether downloads
// gather in a Blob or stream into a file chosen with showSaveFilePicker.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { openDisc } = require('../../reader/js/disc.js');
const { vectorDiscDir, expectedTree, discFiles, flipByte } = require('../reader/vector-files.js');
const h = require('./page-harness.js');

let browser;
before(async () => { browser = await h.launch(); });
after(async () => { await browser.close(); });

const PASSWORD = 'Open Sesame';
const CHUNK_STORED = 65536 + 16;

// The strong vector with the second chunk of Docs/Old/pattern.bin and the
// one chunk of Notes/hello.txt damaged: pattern.bin's first chunk still
// passes, so a stream of it has begun before the damage shows.
async function damagedStrongDisc(t) {
  const dir = h.discWithReader(t, vectorDiscDir('strong'));
  const disc = await openDisc(await discFiles(dir));
  await disc.unlock(PASSWORD);
  const at = (p) => disc.items.find((item) => item.path === p);
  flipByte(path.join(dir, 'disc0001.dat'), at('Docs/Old/pattern.bin').dataOffset + CHUNK_STORED + 100);
  flipByte(path.join(dir, 'disc0001.dat'), at('Notes/hello.txt').dataOffset + 3);
  return dir;
}

async function openUnlocked(dir, options, password) {
  const opened = await h.openReader(browser, dir, options);
  await h.pickFolder(opened.page, dir);
  if (password) await h.typePassword(opened.page, password);
  await h.waitForMainView(opened.page);
  return opened;
}

function alertText(page) {
  return page.locator('#alert').textContent();
}

test('a damaged file is named and never viewed or downloaded', async (t) => {
  const dir = await damagedStrongDisc(t);
  const { page, context, requests } = await openUnlocked(dir, {}, PASSWORD);
  let downloads = 0;
  page.on('download', () => { downloads += 1; });

  await page.click('#check-disc');
  await page.locator('#alert .message-error', { hasText: '2 files of 4 failed the check (2 intact)' }).waitFor();
  const listed = await page.locator('#alert li').allTextContents();
  assert.equal(listed.length, 2);
  assert.match(listed[0], /^Docs\/Old\/pattern\.bin — .*damaged/);
  assert.match(listed[1], /^Notes\/hello\.txt — .*damaged/);
  await h.screenshot(page, 'damaged-check');

  await h.openFolder(page, 'Notes');
  await h.fileRow(page, 'hello.txt').click();
  await page.click('#view-file');
  await page.locator('#alert', { hasText: 'Notes/hello.txt is damaged' }).waitFor();
  assert.equal(context.pages().length, 1, 'the tab opened for the damaged file is closed');

  await h.openFolder(page, 'Docs/Old');
  await h.fileRow(page, 'pattern.bin').click();
  await page.click('#download-file');
  await page.locator('#alert', { hasText: 'Docs/Old/pattern.bin is damaged' }).waitFor();
  assert.match(await alertText(page), /Nothing was saved/);

  await h.openFolder(page, 'Docs');
  await page.click('#zip-folder');
  await page.locator('#alert', { hasText: 'Docs/Old/pattern.bin is damaged' }).waitFor();
  assert.match(await alertText(page), /The ZIP was stopped and nothing was saved/);

  // The page settles before counting: a late download would show by now.
  await page.click('#check-disc');
  await page.locator('#alert li').nth(1).waitFor();
  assert.equal(downloads, 0);
  h.assertNoNetwork(requests);
  await context.close();
});

test('with a save picker, good files stream into the chosen file and a damaged one aborts it', async (t) => {
  const saved = (page) => page.evaluate(() => window.savedFiles.map((f) => ({
    name: f.name, closed: f.closed, aborted: f.aborted, bytes: Array.from(f.chunks.flatMap((c) => Array.from(c)))
  })));

  // Good files: the design vector, whose files are not checked, and so
  // stream as they are read.
  const design = h.discWithReader(t, vectorDiscDir('design'));
  const expected = expectedTree('design');
  const good = await openUnlocked(design, { savePicker: 'fake' });
  await h.openFolder(good.page, 'Docs/Old');
  await h.fileRow(good.page, 'pattern.bin').click();
  await good.page.click('#download-file');
  await good.page.locator('.message-good', { hasText: 'pattern.bin' }).waitFor();
  await good.page.click('#zip-disc');
  await good.page.locator('.message-good', { hasText: 'Vector Disc.zip is saved' }).waitFor();
  const [file, zip] = await saved(good.page);
  assert.deepEqual([file.name, file.closed, file.aborted], ['pattern.bin', true, false]);
  assert.ok(Buffer.from(file.bytes).equals(expected.files.get('Docs/Old/pattern.bin')));
  assert.deepEqual([zip.name, zip.closed, zip.aborted], ['Vector Disc.zip', true, false]);
  h.assertSameTree(h.unzipTree(t, Buffer.from(zip.bytes)), expected, 'streamed ZIP');
  await good.context.close();

  // A damaged file halfway through a ZIP: what streamed is thrown away.
  const damaged = await openUnlocked(await damagedStrongDisc(t), { savePicker: 'fake' }, PASSWORD);
  await damaged.page.click('#zip-disc');
  await damaged.page.locator('#alert', { hasText: 'Docs/Old/pattern.bin is damaged' }).waitFor();
  const [aborted] = await saved(damaged.page);
  assert.equal(aborted.closed, false);
  assert.equal(aborted.aborted, true);
  assert.ok(aborted.bytes.length > 65536, 'the first chunk of pattern.bin had gone into the ZIP');
  await damaged.context.close();
});

test('a missing data file or a folder without a disc gets a plain sentence', async (t) => {
  const wide = h.discWithReader(t, vectorDiscDir('strong-wide'));
  fs.rmSync(path.join(wide, 'disc0002.dat'));
  const { page, context } = await openUnlocked(wide, {}, 'Łódź 2026');
  await page.click('#check-disc');
  await page.locator('#alert li').first().waitFor();
  assert.match(await alertText(page), /Ελληνικά\/日本語\.bin — disc0002\.dat is missing/);

  const empty = h.tempFolder(t, 'not-a-disc');
  fs.writeFileSync(path.join(empty, 'readme.txt'), 'no disc here');
  await page.click('#close-disc');
  await h.pickFolder(page, empty);
  await page.locator('#alert', { hasText: 'No disc was found here' }).waitFor();
  assert.ok(await page.isVisible('#start'));
  await context.close();
});
