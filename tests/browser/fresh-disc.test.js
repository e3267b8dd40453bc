// A disc fresh from mkdisc with a licence and a splash, through the page:
// the splash as the viewer draws it, the start dialogs, sorting, the
// keyboard, the files back byte for byte, and the page in dark colours and
// on a phone-sized window. Saves the screenshots out/screenshots/browser-*.png.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fresh = require('./fresh-disc.js');
const h = require('./page-harness.js');

let browser;
let built;
// The disc is built once for the file's tests and removed after the last.
const cleanups = [];
before(async () => { browser = await h.launch(); });
after(async () => {
  await browser.close();
  cleanups.forEach((cleanup) => cleanup());
});

function freshDisc(t) {
  if (built === undefined) built = fresh.buildFreshDisc({ after: (cleanup) => cleanups.push(cleanup) });
  if (!built) t.skip('out/host/mkdisc is not built');
  return built;
}

// Canvas pixels as [r, g, b] at CSS pixel points (the window is at scale 1).
function splashPixels(page, points) {
  return page.evaluate((pts) => {
    const ctx = document.getElementById('splash-canvas').getContext('2d');
    return pts.map(([x, y]) => Array.from(ctx.getImageData(x, y, 1, 1).data.slice(0, 3)));
  }, points);
}

// How many pixels of the bottom band are the text colour, and how many the shadow's black.
function bottomBandColours(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('splash-canvas');
    const band = canvas.getContext('2d').getImageData(0, canvas.height - 140, canvas.width, 140).data;
    let text = 0;
    let shadow = 0;
    for (let i = 0; i < band.length; i += 4) {
      if (band[i] > 230 && band[i + 1] > 230 && band[i + 2] < 40) text += 1;
      if (band[i] < 20 && band[i + 1] < 20 && band[i + 2] < 20) shadow += 1;
    }
    return { text, shadow };
  });
}

async function openPastLicence(page, disc) {
  await h.pickFolder(page, disc);
  await page.locator('#splash:not([hidden])').waitFor();
  await page.keyboard.press('Escape');
  await h.typePassword(page, fresh.PASSWORD);
  await page.locator('#licence-dialog[open]').waitFor();
  await page.click('#licence-accept');
  await h.waitForMainView(page);
}

test('fresh disc: splash, password, licence, sorting, keyboard and every byte back', async (t) => {
  const { disc, expected } = freshDisc(t);
  const { page, requests, pageErrors } = await h.openReader(browser, disc);
  await h.pickFolder(page, disc);

  // The splash: tiled background, logo centred with its key colour clear,
  // text in its colour with a shadow at the bottom.
  await page.locator('#splash:not([hidden])').waitFor();
  await h.screenshot(page, 'splash');
  const half = fresh.LOGO_SIZE / 2;
  const [corner, tile, logoEdge, logoMiddle] = await splashPixels(page, [[0, 0], [70, 50], [640 - half + 5, 360 - half + 5], [640, 360]]);
  assert.deepEqual(corner, fresh.backgroundPixel(0, 0));
  assert.deepEqual(tile, fresh.backgroundPixel(70 % 64, 50 % 48), 'the background repeats at its own size');
  assert.deepEqual(logoEdge, fresh.LOGO_RED);
  assert.deepEqual(logoMiddle, fresh.backgroundPixel(640 % 64, 360 % 48), 'the key colour shows the background');
  const band = await bottomBandColours(page);
  assert.ok(band.text > 200 && band.shadow > 100, `text and shadow drawn at the bottom: ${JSON.stringify(band)}`);
  assert.match(await page.getAttribute('#splash', 'aria-label'), /Fresh Disc\s+Opened in a browser/);
  await page.mouse.click(10, 10);

  // Wrong, then right; the busy note shows while the key is derived.
  await h.typePassword(page, 'not it');
  await h.expectPasswordRefused(page);
  await h.screenshot(page, 'password');
  await h.typePassword(page, fresh.PASSWORD);
  await page.locator('#licence-dialog[open]').waitFor();
  assert.match(await page.textContent('#licence-text'), /Use it kindly, café owners too\./);
  await page.click('#licence-accept');
  await h.waitForMainView(page);
  assert.equal(await page.textContent('#disc-title'), fresh.TITLE);
  assert.match(await page.textContent('#disc-totals'), /^5 files, 3 folders, 1\.5 MB/);

  // Natural order, reversed by a second click, then by size.
  await h.openFolder(page, 'Reports');
  assert.deepEqual(await h.listedNames(page), ['file 1.txt', 'File 2.txt', 'File 10.txt']);
  await page.click('th[data-column="name"] button');
  assert.deepEqual(await h.listedNames(page), ['File 10.txt', 'File 2.txt', 'file 1.txt']);
  assert.equal(await page.getAttribute('th[data-column="name"]', 'aria-sort'), 'descending');
  await page.click('th[data-column="size"] button');
  assert.deepEqual(await h.listedNames(page), ['File 2.txt', 'File 10.txt', 'file 1.txt']);
  await page.click('th[data-column="name"] button');
  await h.fileRow(page, 'File 2.txt').click();
  await h.screenshot(page, 'main-light');

  // The keyboard: arrows in the tree, Enter into the list, Enter views,
  // Backspace goes up, F6 back to the tree.
  await h.openFolder(page, '');
  const focusedName = () => page.evaluate(() => {
    const labelledBy = document.activeElement.getAttribute('aria-labelledby');
    return (labelledBy ? document.getElementById(labelledBy) : document.activeElement).textContent;
  });
  await page.keyboard.press('ArrowDown');
  assert.equal(await page.textContent('#folder-name'), 'Empty folder');
  assert.equal(await page.textContent('#files tbody'), 'This folder holds no files.');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('ArrowRight');
  assert.equal(await page.textContent('#folder-name'), 'Reports/Annual');
  await page.keyboard.press('ArrowLeft');
  assert.equal(await page.textContent('#folder-name'), 'Reports');
  await page.keyboard.press('Enter');
  await page.keyboard.press('ArrowDown');
  assert.match(await focusedName(), /^File 2\.txt/);
  const [tab] = await Promise.all([page.context().waitForEvent('page'), page.keyboard.press('Enter')]);
  await tab.waitForURL(/^blob:/);
  assert.equal(await tab.evaluate(() => document.body.textContent), 'two, twenty bytes.\n');
  await tab.close();
  await page.keyboard.press('Backspace');
  assert.equal(await page.textContent('#folder-name'), fresh.TITLE);
  await h.openFolder(page, 'Reports');
  await h.fileRow(page, 'File 10.txt').click();
  await page.keyboard.press('F6');
  assert.equal(await focusedName(), 'Reports');

  // Every byte back: a file of many chunks and the whole disc as a ZIP,
  // its empty folder included.
  await h.openFolder(page, 'Reports/Annual');
  await h.fileRow(page, 'big.bin').click();
  const big = await h.downloadFrom(page, '#download-file');
  assert.ok(big.data.equals(expected.files.get('Reports/Annual/big.bin')));
  const whole = await h.downloadFrom(page, '#zip-disc');
  assert.equal(whole.name, `${fresh.TITLE}.zip`);
  h.assertSameTree(h.unzipTree(t, whole.data), expected, whole.name);

  h.assertNoNetwork(requests);
  assert.deepEqual(pageErrors, []);
  await page.context().close();
});

test('fresh disc: dark colours, a phone-sized window and 200 % zoom keep the page whole', async (t) => {
  const { disc } = freshDisc(t);
  const { page } = await h.openReader(browser, disc, { colorScheme: 'dark' });
  await openPastLicence(page, disc);
  await h.openFolder(page, 'Reports');
  await h.fileRow(page, 'File 10.txt').click();
  const background = await page.evaluate(() => getComputedStyle(document.body).backgroundColor);
  const [r, g, b] = background.match(/\d+/g).map(Number);
  assert.ok(r + g + b < 120, `a dark background: ${background}`);
  await h.screenshot(page, 'main-dark');

  await page.emulateMedia({ colorScheme: 'light' });
  // A phone, and a 1280-pixel window at 200 %: both 640 CSS pixels or fewer.
  for (const viewport of [{ width: 375, height: 740 }, { width: 640, height: 360 }]) {
    await page.setViewportSize(viewport);
    const fit = await page.evaluate(() => {
      const tree = document.querySelector('.tree-pane').getBoundingClientRect();
      const list = document.querySelector('.list-pane').getBoundingClientRect();
      return { overflow: document.documentElement.scrollWidth - window.innerWidth, stacked: tree.bottom <= list.top };
    });
    assert.deepEqual(fit, { overflow: 0, stacked: true }, `at ${viewport.width} pixels`);
    if (viewport.width === 375) await h.screenshot(page, 'main-phone');
  }
  await page.context().close();
});

test('fresh disc: cancelling the password or declining the licence leaves the disc closed', async (t) => {
  const { disc } = freshDisc(t);
  const { page } = await h.openReader(browser, disc);
  await h.pickFolder(page, disc);
  await page.locator('#password-dialog[open]').waitFor();
  await page.click('#password-cancel');
  await page.locator('#message', { hasText: 'no password was given' }).waitFor();
  assert.ok(await page.isVisible('#start'));

  await h.pickFolder(page, disc);
  await h.typePassword(page, fresh.PASSWORD);
  await page.locator('#licence-dialog[open]').waitFor();
  await page.click('#licence-decline');
  await page.locator('#message', { hasText: 'You declined the licence' }).waitFor();
  assert.ok(await page.isVisible('#start'));
  assert.equal(await page.isVisible('#main'), false);
  await page.context().close();
});
