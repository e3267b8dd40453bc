// The browser reader timed in Debian's Chromium (headless), for scripts/bench:
//   node bench/browser_bench.js unlock DISC_DIR PASSWORD
//       seconds from the password's submission to the disc's main view
//       (Argon2id in WebAssembly, the key unwrap and the list of files)
//   node bench/browser_bench.js download DISC_DIR PASSWORD FILE TARGET
//       seconds from Download of FILE (at the top of the disc) until the
//       browser has written it, checked, to TARGET
// Each prints its seconds on stdout.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { chromium } = require('playwright-core');

async function openDisc(context, discDir, password) {
  // Headless Chromium has a save picker that refuses: downloads go through
  // the browser's own download, which Playwright sees.
  await context.addInitScript(() => { delete window.showSaveFilePicker; });
  const page = await context.newPage();
  await page.goto(pathToFileURL(path.join(discDir, 'Open in browser.html')).href);
  await page.setInputFiles('#folder-input', discDir);
  await page.locator('#password-dialog[open]').waitFor({ timeout: 60000 });
  await page.fill('#password', password);
  const started = process.hrtime.bigint();
  await page.click('#password-dialog button[type="submit"]');
  await page.locator('#main:not([hidden])').waitFor({ timeout: 120000 });
  return { page, seconds: Number(process.hrtime.bigint() - started) / 1e9 };
}

async function main() {
  const [mode, discDir, password, file, target] = process.argv.slice(2);
  // A profile of its own, as a reader's browser has: a Blob larger than the
  // memory the browser gives blobs is kept on disk there (a private window,
  // Playwright's default, has nowhere to put it and cancels such a download).
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'arcseal-bench-profile-'));
  const browser = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox'], acceptDownloads: true
  });
  try {
    const opened = await openDisc(browser, path.resolve(discDir), password);
    if (mode === 'unlock') {
      console.log(opened.seconds.toFixed(3));
      return;
    }
    const page = opened.page;
    await page.locator('#tree > [role="treeitem"] > .tree-row').click();
    await page.locator('#files tbody tr').filter({ hasText: file }).first().click();
    const started = process.hrtime.bigint();
    const [download] = await Promise.all([page.waitForEvent('download', { timeout: 600000 }), page.click('#download-file')]);
    await download.saveAs(target);
    console.log((Number(process.hrtime.bigint() - started) / 1e9).toFixed(3));
    if (fs.statSync(target).size === 0) throw new Error('nothing was downloaded');
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(`browser_bench: ${error.message}`);
  process.exit(1);
});
