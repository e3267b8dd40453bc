// A disc built for the browser tests with the host mkdisc: a licence, a
// splash with a tiled background, a keyed logo and shadowed text, names that
// sort naturally, an empty folder and a file of many chunks.
'use strict';
const { execFileSync } = require('node:child_process');
const crypto = require('node:crypto');
const fs = require('node:fs');
const path = require('node:path');
const h = require('./page-harness.js');
const { assembleReader } = require('../../reader/assemble-reader.js');

const MKDISC = path.join(h.ROOT, 'out', 'host', 'mkdisc');
const PASSWORD = 'Fresh Pass 7';
const TITLE = 'Fresh Disc';
const SPLASH = { backColor: '#102030', textColor: '#ffff00', text: 'Fresh Disc\r\nOpened in a browser\r\n' };

// The background's pixel at (x, y): a pattern that differs across the tile.
function backgroundPixel(x, y) {
  return [(x * 4) & 0xff, (y * 5) & 0xff, 0x80];
}
const BACKGROUND_SIZE = { width: 64, height: 48 };
const LOGO_SIZE = 40;
const LOGO_RED = [0xff, 0, 0];
const LOGO_KEY = [0xff, 0, 0xff];

// A 24-bit BMP of width x height whose pixel (x, y) is pixel(x, y) as [r, g, b].
function bmp(width, height, pixel) {
  const row = Math.ceil((width * 3) / 4) * 4;
  const data = Buffer.alloc(54 + row * height);
  data.write('BM', 0, 'latin1');
  data.writeUInt32LE(data.length, 2);
  data.writeUInt32LE(54, 10);
  data.writeUInt32LE(40, 14);
  data.writeInt32LE(width, 18);
  data.writeInt32LE(height, 22);
  data.writeUInt16LE(1, 26);
  data.writeUInt16LE(24, 28);
  data.writeUInt32LE(row * height, 34);
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      const [r, g, b] = pixel(x, y);
      // Rows are stored bottom up, each pixel blue first.
      data.set([b, g, r], 54 + (height - 1 - y) * row + x * 3);
    }
  }
  return data;
}

function write(file, data) {
  fs.mkdirSync(path.dirname(file), { recursive: true });
  fs.writeFileSync(file, data);
}

// Builds the disc into a temporary folder with the reader; null when the
// host mkdisc has not been built.
function buildFreshDisc(t) {
  if (!fs.existsSync(MKDISC)) return null;
  const work = h.tempFolder(t, 'fresh');
  const src = path.join(work, TITLE);
  write(path.join(src, 'Read me.txt'), 'Welcome to the fresh disc.\r\nZażółć gęślą jaźń.\r\n');
  write(path.join(src, 'Reports', 'file 1.txt'), 'one '.repeat(1250));
  write(path.join(src, 'Reports', 'File 2.txt'), 'two, twenty bytes.\r\n');
  write(path.join(src, 'Reports', 'File 10.txt'), 'ten '.repeat(75));
  // Larger than one read of the reader (1 MiB) and many chunks of 64 KiB.
  write(path.join(src, 'Reports', 'Annual', 'big.bin'), crypto.randomBytes(1536 * 1024 + 123));
  fs.mkdirSync(path.join(src, 'Empty folder'));
  write(path.join(work, 'viewer.exe'), 'MZ stand-in viewer\r\n');
  write(path.join(work, 'eula.txt'), 'Licence of the fresh disc.\nUse it kindly, café owners too.\n');
  write(path.join(work, 'splash.txt'), SPLASH.text);
  write(path.join(work, 'back.bmp'), bmp(BACKGROUND_SIZE.width, BACKGROUND_SIZE.height, backgroundPixel));
  // A red square with a key-coloured middle that must show the background.
  write(path.join(work, 'logo.bmp'), bmp(LOGO_SIZE, LOGO_SIZE,
    (x, y) => (x >= 10 && x < 30 && y >= 10 && y < 30 ? LOGO_KEY : LOGO_RED)));
  const disc = path.join(work, 'disc');
  execFileSync(MKDISC, [
    '--viewer', path.join(work, 'viewer.exe'), '--password', PASSWORD, '--eula', path.join(work, 'eula.txt'),
    '--background', path.join(work, 'back.bmp'), '--background-mode', 'tile',
    '--logo', path.join(work, 'logo.bmp'), '--logo-pos', 'centre', '--logo-key', '#FF00FF',
    '--splash-text', '@' + path.join(work, 'splash.txt'), '--text-pos', 'bottom-centre',
    '--text-color', SPLASH.textColor, '--shadow', '#000000,3,3', '--back-color', SPLASH.backColor,
    '--font-height', '40', src, disc
  ], { stdio: 'ignore' });
  assembleReader(disc);
  return { disc, expected: h.treeOf(src) };
}

module.exports = {
  PASSWORD, TITLE, SPLASH, BACKGROUND_SIZE, LOGO_SIZE, LOGO_RED, backgroundPixel, buildFreshDisc
};
