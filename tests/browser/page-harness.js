// Shared by the browser tests: discs copied with the reader in them, the
// installed Chromium driven by playwright-core (nothing downloaded), and the
// steps a person takes on the page.
'use strict';
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { chromium } = require('playwright-core');
const { assembleReader } = require('../../reader/assemble-reader.js');
const { treeOf } = require('../reader/vector-files.js');

const ROOT = path.join(__dirname, '..', '..');
const CHROMIUM = '/usr/bin/chromium';
const SCREENSHOTS = path.join(ROOT, 'out', 'screenshots');

function launch() {
  return chromium.launch({ executablePath: CHROMIUM, headless: true, args: ['--no-sandbox'] });
}

function tempFolder(t, what) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), `arcseal-${what}-`));
  t.after(() => fs.rmSync(dir, { recursive: true, force: true }));
  return dir;
}

// A copy of a disc folder with the reader assembled into it.
function discWithReader(t, discDir) {
  const dir = path.join(tempFolder(t, 'browser'), 'disc');
  fs.cpSync(discDir, dir, { recursive: true });
  assembleReader(dir);
  return dir;
}

// Stands in for showSaveFilePicker(): the "file" is a WritableStream whose
// bytes, close and abort the test reads back from window.savedFiles.
function fakeSavePicker() {
  window.savedFiles = [];
  window.showSaveFilePicker = async (options) => {
    const saved = { name: options.suggestedName, chunks: [], closed: false, aborted: false };
    window.savedFiles.push(saved);
    return {
      createWritable: async () => new WritableStream({
        write(chunk) { saved.chunks.push(new Uint8Array(chunk)); },
        close() { saved.closed = true; },
        abort() { saved.aborted = true; }
      })
    };
  };
}

// Opens the disc's "Open in browser.html" from file://. options: colorScheme,
// viewport, savePicker ('none' by default: downloads go through Blobs, which
// Playwright sees; 'fake': fakeSavePicker). Every URL asked for is recorded.
async function openReader(browser, discDir, options = {}) {
  const context = await browser.newContext({
    colorScheme: options.colorScheme || 'light',
    viewport: options.viewport || { width: 1280, height: 720 },
    acceptDownloads: true
  });
  if (options.savePicker === 'fake') await context.addInitScript(fakeSavePicker);
  else await context.addInitScript(() => { delete window.showSaveFilePicker; });
  const requests = [];
  context.on('request', (request) => requests.push(request.url()));
  const page = await context.newPage();
  const pageErrors = [];
  page.on('pageerror', (error) => pageErrors.push(error.message));
  await page.goto(pathToFileURL(path.join(discDir, 'Open in browser.html')).href);
  return { context, page, requests, pageErrors };
}

async function pickFolder(page, dir) {
  await page.setInputFiles('#folder-input', dir);
}

async function typePassword(page, password) {
  await page.locator('#password-dialog[open]').waitFor();
  await page.fill('#password', password);
  await page.click('#password-dialog button[type="submit"]');
}

// Wrong password: the message shows and the field is emptied for another try.
async function expectPasswordRefused(page) {
  await page.locator('#password-error').filter({ hasText: /not right/ }).waitFor();
  assert.equal(await page.inputValue('#password'), '');
  assert.ok(await page.locator('#password-dialog[open]').isVisible());
}

async function waitForMainView(page) {
  await page.locator('#main:not([hidden])').waitFor();
}

// Opens a folder of the tree by its path ('' for the disc itself).
async function openFolder(page, folderPath) {
  let node = page.locator('#tree > [role="treeitem"]');
  await node.locator(':scope > .tree-row').click();
  for (const name of folderPath ? folderPath.split('/') : []) {
    if (await node.getAttribute('aria-expanded') === 'false') await node.locator(':scope > .tree-row > .twisty').click();
    node = node.locator(':scope > [role="group"] > [role="treeitem"]').filter({
      has: page.locator(':scope > .tree-row > .tree-label', { hasText: new RegExp(`^${escapeRegExp(name)}$`) })
    });
    await node.locator(':scope > .tree-row').click();
  }
  assert.equal(await node.getAttribute('aria-selected'), 'true');
}

function escapeRegExp(text) {
  return text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
}

function fileRow(page, name) {
  return page.locator('#files tbody tr').filter({
    has: page.locator('td.name', { hasText: new RegExp(`^${escapeRegExp(name)}`) })
  });
}

async function listedNames(page) {
  return page.locator('#files tbody td.name').evaluateAll((cells) => cells.map((c) => c.firstChild.textContent));
}

// Views the selected file; resolves to the text the new tab shows.
async function viewSelectedText(page) {
  const [tab] = await Promise.all([page.context().waitForEvent('page'), page.click('#view-file')]);
  await tab.waitForURL(/^blob:/);
  await tab.waitForLoadState();
  const text = await tab.evaluate(() => document.body.textContent);
  await tab.close();
  return text;
}

// A text file as a tab shows it: UTF-8 when it all is, else code page 1252
// (the design's discs), with CR LF read as one line end.
function textAsShown(data) {
  let text;
  try {
    text = new TextDecoder('utf-8', { fatal: true }).decode(data);
  } catch {
    text = new TextDecoder('windows-1252').decode(data);
  }
  return text.replace(/\r\n/g, '\n');
}

// Clicks and resolves to { name, data } of the download the click starts.
async function downloadFrom(page, selector) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click(selector)]);
  return { name: download.suggestedFilename(), data: fs.readFileSync(await download.path()) };
}

// The tree a ZIP holds, read by Python's zipfile (an independent reader,
// which checks every entry's CRC-32 as it extracts).
function unzipTree(t, zipBytes) {
  const dir = tempFolder(t, 'zip');
  const zipFile = path.join(dir, 'got.zip');
  fs.writeFileSync(zipFile, zipBytes);
  execFileSync('python3', ['-m', 'zipfile', '-e', zipFile, path.join(dir, 'out')]);
  fs.mkdirSync(path.join(dir, 'out'), { recursive: true });
  return treeOf(path.join(dir, 'out'));
}

function assertSameTree(got, expected, what) {
  assert.deepEqual([...got.folders].sort(), [...expected.folders].sort(), `${what}: folders`);
  assert.deepEqual([...got.files.keys()].sort(), [...expected.files.keys()].sort(), `${what}: files`);
  for (const [name, data] of expected.files) assert.ok(got.files.get(name).equals(data), `${what}: bytes of ${name}`);
}

// What a tree holds under one folder, with paths relative to it.
function subtree(tree, folder) {
  const prefix = folder + '/';
  const out = { files: new Map(), folders: new Set() };
  for (const [name, data] of tree.files) if (name.startsWith(prefix)) out.files.set(name.slice(prefix.length), data);
  for (const name of tree.folders) if (name.startsWith(prefix)) out.folders.add(name.slice(prefix.length));
  return out;
}

// The page may load only files and what it makes itself.
function assertNoNetwork(requests) {
  const remote = requests.filter((url) => !/^(file|blob|data):/.test(url));
  assert.deepEqual(remote, [], 'the page asked the network for something');
}

async function screenshot(page, name) {
  fs.mkdirSync(SCREENSHOTS, { recursive: true });
  await page.screenshot({ path: path.join(SCREENSHOTS, `browser-${name}.png`) });
}

module.exports = {
  ROOT, launch, tempFolder, discWithReader, openReader, pickFolder, typePassword, expectPasswordRefused,
  waitForMainView, openFolder, fileRow, listedNames, viewSelectedText, textAsShown, downloadFrom, treeOf, unzipTree,
  assertSameTree, subtree, assertNoNetwork, screenshot
};
