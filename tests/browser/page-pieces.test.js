// The page's parts that need no browser: the viewer's splash arithmetic,
// the list's order, picking the disc's folder, and the reader's file list
// against the page's own tags.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const splash = require('../../reader/page/splash-layout.js');
const kinds = require('../../reader/page/file-kinds.js');
const { sortItems } = require('../../reader/page/file-list.js');
const { filesOfDiscFolder } = require('../../reader/page/disc-folder.js');
const { readerFiles } = require('../../reader/assemble-reader.js');

const ROOT = path.join(__dirname, '..', '..');

test('splash text lands where the viewer puts it', () => {
  const metrics = { tmHeight: 20, aveCharWidth: 7 };
  const text = 'Line one\r\n\r\nTwo\r\nnot drawn';
  const measure = splash.measureText(text);
  assert.deepEqual(measure, { lineCount: 3, widest: 8 });
  // Two 20-pixel lines at the bottom of 240 start at 196 (the viewer's 64-bit build; x87 gave 195).
  assert.equal(splash.textOrigin('bottom-left', 640, 240, metrics, { lineCount: 2, widest: 0 }, 0, 0).y, 196);
  // Centred: integer halves of the width and of the block's character width, as in C.
  assert.deepEqual(splash.textOrigin('centred', 1025, 241, metrics, { lineCount: 1, widest: 13 }, 0, 0), { x: 467, y: 109 });
  assert.deepEqual(splash.textOrigin('at-xy', 800, 600, metrics, measure, 1e12, -5), { x: 1 << 27, y: -5 });
  // An empty line moves nothing down; text after the last line end is not drawn.
  assert.deepEqual(splash.textLines(text, 20), [{ text: 'Line one', dy: 0 }, { text: 'Two', dy: 22 }]);
  assert.equal(splash.textLines('x'.repeat(2000) + '\n', 20)[0].text.length, 1023);
  assert.equal(splash.fontHeight(-99999), -32767);
});

test('background and logo placements follow the viewer', () => {
  // Odd sizes: the quarters leave a one-pixel column and row free.
  assert.deepEqual(splash.backgroundCopies('quarters', 5, 5, 9, 9).map((r) => [r.x, r.y, r.width, r.height]),
    [[0, 0, 2, 2], [2, 0, 2, 2], [0, 3, 2, 2], [2, 3, 2, 2]]);
  assert.deepEqual(splash.backgroundCopies('bottom-centre', 101, 50, 20, 10), [{ x: 40, y: 40, width: 20, height: 10 }]);
  assert.deepEqual(splash.backgroundCopies('stretched', 101, 50, 20, 10), [{ x: 0, y: 0, width: 101, height: 50 }]);
  assert.deepEqual(splash.logoPosition('centred', 101, 51, 11, 11, 0, 0), { x: 45, y: 20 });
  assert.deepEqual(splash.logoPosition(null, 100, 100, 10, 10, 30, 30), { x: 0, y: 0 });
  assert.deepEqual(splash.logoPosition('at-xy', 100, 100, 10, 10, 30, -4), { x: 30, y: -4 });
});

test('names sort naturally and equal keys keep their order', () => {
  const names = ['File 10.txt', 'b.pdf', 'file 1.txt', 'File 2.txt', 'a.txt'];
  assert.deepEqual(names.slice().sort(kinds.naturalCompare), ['a.txt', 'b.pdf', 'file 1.txt', 'File 2.txt', 'File 10.txt']);
  const items = [{ name: 'x', size: 5 }, { name: 'y', size: 1 }, { name: 'z', size: 5 }];
  assert.deepEqual(sortItems(items, 'size', true).map((i) => i.name), ['x', 'z', 'y']);
  assert.deepEqual(sortItems(items, 'type', false).map((i) => i.name), ['x', 'y', 'z']);
});

test('viewing: text is UTF-8 only when it all is, and pages from the disc open as text', () => {
  assert.equal(kinds.textType(Buffer.from('Łódź')), 'text/plain;charset=utf-8');
  assert.equal(kinds.textType(Buffer.from([0x63, 0x61, 0x66, 0xe9])), 'text/plain;charset=windows-1252');
  assert.equal(kinds.viewType('index.HTML'), 'text/plain');
  assert.equal(kinds.viewType('report.pdf'), 'application/pdf');
  assert.equal(kinds.viewType('setup.exe'), null);
});

test('the disc folder is the shallowest one holding discview.exe, and only its own files count', () => {
  const file = (p) => ({ name: p.split('/').pop(), webkitRelativePath: p });
  const picked = filesOfDiscFolder([file('Top/Disc/old/discview.exe'), file('Top/Disc/deeper/disc0001.dat'),
    file('Top/Disc/discview.exe'), file('Top/Disc/DISC0002.DAT'), file('Top/Disc/deeper/discview.exe')]);
  assert.deepEqual([...picked.keys()].sort(), ['DISC0002.DAT', 'discview.exe']);
  assert.equal(picked.get('discview.exe').webkitRelativePath, 'Top/Disc/discview.exe');
  assert.equal(filesOfDiscFolder([file('Top/readme.txt')]), null);
});

test('files.txt lists the page first and exactly what it loads, and every page and core script', (t) => {
  const files = readerFiles();
  assert.deepEqual(files[0], { source: 'reader/page/Open in browser.html', target: 'Open in browser.html' });
  for (const { source } of files) assert.ok(fs.existsSync(path.join(ROOT, source)), source);
  const html = fs.readFileSync(path.join(ROOT, 'reader/page/Open in browser.html'), 'utf8');
  const loaded = [...html.matchAll(/<(?:script src|link rel="stylesheet" href)="([^"]+)"/g)].map((m) => m[1]);
  const targets = files.map((f) => f.target);
  assert.deepEqual(loaded, targets.filter((t) => /\.(js|css)$/.test(t)), 'the page loads the listed files in order');
  for (const dir of ['reader/js', 'reader/page']) {
    for (const name of fs.readdirSync(path.join(ROOT, dir))) {
      assert.ok(files.some((f) => f.source === `${dir}/${name}`), `${dir}/${name} is listed`);
    }
  }
  // A line that would write outside the disc folder is refused.
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'arcseal-list-'));
  t.after(() => fs.rmSync(dir, { recursive: true, force: true }));
  fs.writeFileSync(path.join(dir, 'files.txt'), 'x.js|../outside.js\n');
  assert.throws(() => readerFiles(path.join(dir, 'files.txt')), /not "source\|target"/);
});
