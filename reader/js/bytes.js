// Byte helpers shared by the reader: little-endian numbers, the XOR that
// scrambling is, and the two text encodings a disc uses (code page 1252 for
// the design's texts, UTF-8 for the wide records' names).
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});

  // Every layout section but a strong disc's table is XORed with this value.
  var LAYOUT_KEY_VALUE = 0x5e;
  var TWO_32 = 4294967296;

  function u32(bytes, at) {
    // Multiplying the top byte keeps the result unsigned (<< would make it negative).
    return (bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16)) + bytes[at + 3] * 0x1000000;
  }

  function i32(bytes, at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (bytes[at + 3] << 24);
  }

  // Exact up to 2^53 - 1; anything larger comes out above Number.MAX_SAFE_INTEGER,
  // which callers take as "too large to hold".
  function u64(bytes, at) {
    return u32(bytes, at + 4) * TWO_32 + u32(bytes, at);
  }

  function u64Big(bytes, at) {
    return (BigInt(u32(bytes, at + 4)) << 32n) | BigInt(u32(bytes, at));
  }

  function putU32(bytes, at, value) {
    bytes[at] = value & 0xff;
    bytes[at + 1] = (value >>> 8) & 0xff;
    bytes[at + 2] = (value >>> 16) & 0xff;
    bytes[at + 3] = (value >>> 24) & 0xff;
  }

  function putU64(bytes, at, value) {
    putU32(bytes, at, value % TWO_32);
    putU32(bytes, at + 4, Math.floor(value / TWO_32));
  }

  // XOR every byte with one value, in place; returns the same array.
  function xorInPlace(bytes, value) {
    if (value === 0) return bytes;
    for (var i = 0; i < bytes.length; i++) bytes[i] ^= value;
    return bytes;
  }

  // Scrambling with a key is the same as XOR with the XOR of all its bytes.
  function combinedValue(keyBytes) {
    var value = 0;
    for (var i = 0; i < keyBytes.length; i++) value ^= keyBytes[i];
    return value;
  }

  // The password gate's variant: each byte is first added to its position.
  function indexedCombinedValue(keyBytes) {
    var value = 0;
    for (var j = 0; j < keyBytes.length; j++) value ^= (j + keyBytes[j]) & 0xff;
    return value;
  }

  function concatBytes(parts) {
    var length = 0;
    parts.forEach(function (p) { length += p.length; });
    var out = new Uint8Array(length);
    var at = 0;
    parts.forEach(function (p) { out.set(p, at); at += p.length; });
    return out;
  }

  function asciiBytes(text) {
    var out = new Uint8Array(text.length);
    for (var i = 0; i < text.length; i++) out[i] = text.charCodeAt(i);
    return out;
  }

  // Code points of code page 1252 bytes 0x80-0x9F. The five bytes the code
  // page leaves unassigned become U+FFFD: TextDecoder would turn them into C1
  // control characters, which no disc text means.
  var HIGH_RANGE = [
    0x20ac, 0xfffd, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021,
    0x02c6, 0x2030, 0x0160, 0x2039, 0x0152, 0xfffd, 0x017d, 0xfffd,
    0xfffd, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014,
    0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0xfffd, 0x017e, 0x0178
  ];
  var HIGH_BYTE_OF = new Map();
  HIGH_RANGE.forEach(function (codePoint, i) {
    if (codePoint !== 0xfffd) HIGH_BYTE_OF.set(codePoint, 0x80 + i);
  });

  function decodeCp1252(bytes) {
    var text = '';
    for (var i = 0; i < bytes.length; i++) {
      var b = bytes[i];
      text += String.fromCharCode(b >= 0x80 && b <= 0x9f ? HIGH_RANGE[b - 0x80] : b);
    }
    return text;
  }

  // The code page 1252 bytes of a text, or null when a character has none
  // (U+0080-U+009F are C1 controls, not what the code page keeps there).
  function encodeCp1252(text) {
    var out = [];
    for (var ch of text) {
      var c = ch.codePointAt(0);
      if (c < 0x80 || (c >= 0xa0 && c <= 0xff)) out.push(c);
      else if (HIGH_BYTE_OF.has(c)) out.push(HIGH_BYTE_OF.get(c));
      else return null;
    }
    return Uint8Array.from(out);
  }

  // ignoreBOM keeps a leading U+FEFF as part of the name instead of dropping it.
  var strictUtf8 = new TextDecoder('utf-8', { fatal: true, ignoreBOM: true });

  // The text of well-formed UTF-8, or null.
  function decodeUtf8Strict(bytes) {
    try {
      return strictUtf8.decode(bytes);
    } catch (e) {
      return null;
    }
  }

  // The bytes of a NUL-terminated text field: up to its first NUL, or all of it.
  function untilNul(bytes) {
    var end = bytes.indexOf(0);
    return end < 0 ? bytes : bytes.subarray(0, end);
  }

  // Overwrites secrets once spent; the engine may still hold copies, but ours are gone.
  function wipe() {
    for (var i = 0; i < arguments.length; i++) {
      if (arguments[i] && arguments[i].fill) arguments[i].fill(0);
    }
  }

  // Another of the reader's files: in the page already loaded by its script
  // tag (the order is in disc.js), under Node.js required beside this one.
  function sibling(name, file) {
    if (Arcseal[name]) return Arcseal[name];
    if (typeof require === 'function') return require(file);
    throw new Error('Arcseal: load ' + file + ' first');
  }

  var bytes = {
    LAYOUT_KEY_VALUE: LAYOUT_KEY_VALUE, sibling: sibling,
    u32: u32, i32: i32, u64: u64, u64Big: u64Big, putU32: putU32, putU64: putU64,
    xorInPlace: xorInPlace, combinedValue: combinedValue, indexedCombinedValue: indexedCombinedValue,
    concatBytes: concatBytes, asciiBytes: asciiBytes,
    decodeCp1252: decodeCp1252, encodeCp1252: encodeCp1252, decodeUtf8Strict: decodeUtf8Strict,
    untilNul: untilNul, wipe: wipe
  };
  Arcseal.bytes = bytes;
  if (typeof module === 'object' && module.exports) module.exports = bytes;
})(globalThis);
