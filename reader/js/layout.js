// The layout appended to discview.exe: the 40-byte trailer at its end says
// how long each section is; the sections follow each other from layoutStart.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var bytes = Arcseal.bytes || require('./bytes.js');
  var sibling = bytes.sibling;
  var DiscError = sibling('errors', './disc-error.js').DiscError;

  var TRAILER_SIZE = 40;
  var HEADER_SIZE = 4636;
  var LAYOUT_MAGIC = 7654322;

  async function readSlice(blob, start, end) {
    return new Uint8Array(await blob.slice(start, end).arrayBuffer());
  }

  function parseTrailer(t) {
    return {
      layoutStart: bytes.u32(t, 0),
      itemTableSize: bytes.u32(t, 4),
      itemCount: bytes.u32(t, 8),
      eulaSize: bytes.u32(t, 12),
      headerSize: bytes.u32(t, 16),
      backImageSize: bytes.u32(t, 20),
      logoImageSize: bytes.u32(t, 24),
      fontSize: bytes.u32(t, 28),
      reserved: bytes.u32(t, 32),
      magic: bytes.u32(t, 36)
    };
  }

  // Sums of seven 32-bit values stay far below 2^53, so Numbers are exact.
  function computeSections(trailer) {
    var s = { itemTable: trailer.layoutStart };
    s.eula = s.itemTable + trailer.itemTableSize;
    s.header = s.eula + trailer.eulaSize;
    s.backImage = s.header + trailer.headerSize;
    s.logoImage = s.backImage + trailer.backImageSize;
    s.font = s.logoImage + trailer.logoImageSize;
    s.end = s.font + trailer.fontSize;
    return s;
  }

  // Reads the trailer and the descrambled header; refuses a file without the
  // magic and one whose sections do not fit before the trailer.
  async function readLayout(viewer) {
    var fileSize = viewer.size;
    if (fileSize < TRAILER_SIZE) throw new DiscError('no-layout', 'discview.exe is too short to carry a disc layout');
    var trailer = parseTrailer(await readSlice(viewer, fileSize - TRAILER_SIZE, fileSize));
    if (trailer.magic !== LAYOUT_MAGIC) {
      throw new DiscError('no-layout', 'discview.exe carries no disc layout (its trailer has no magic)');
    }
    var sections = computeSections(trailer);
    var trailerStart = fileSize - TRAILER_SIZE;
    if (sections.end > trailerStart || sections.header + HEADER_SIZE > trailerStart) {
      throw new DiscError('layout-damaged', 'the sections of the disc layout run past the end of discview.exe');
    }
    var header = await readSlice(viewer, sections.header, sections.header + HEADER_SIZE);
    bytes.xorInPlace(header, bytes.LAYOUT_KEY_VALUE);
    return { fileSize: fileSize, trailer: trailer, sections: sections, headerBytes: header };
  }

  // A scrambled section's plain bytes (licence, images, font).
  async function readScrambledSection(viewer, start, size) {
    if (!size) return new Uint8Array(0);
    return bytes.xorInPlace(await readSlice(viewer, start, start + size), bytes.LAYOUT_KEY_VALUE);
  }

  // The stored item table: scrambled tables are descrambled here, a strong
  // disc's sealed table is returned as stored.
  async function readItemTable(viewer, layout, sealed) {
    var start = layout.sections.itemTable;
    var table = await readSlice(viewer, start, start + layout.trailer.itemTableSize);
    return sealed ? table : bytes.xorInPlace(table, bytes.LAYOUT_KEY_VALUE);
  }

  // SHA-256 of everything from the licence to the end of the file, as stored:
  // a strong disc's table tag covers it, so no shown text can be swapped.
  async function layoutDigest(viewer, layout) {
    var stored = await viewer.slice(layout.sections.eula, layout.fileSize).arrayBuffer();
    return new Uint8Array(await crypto.subtle.digest('SHA-256', stored));
  }

  var exported = {
    TRAILER_SIZE: TRAILER_SIZE, HEADER_SIZE: HEADER_SIZE, LAYOUT_MAGIC: LAYOUT_MAGIC,
    parseTrailer: parseTrailer, computeSections: computeSections, readLayout: readLayout,
    readScrambledSection: readScrambledSection, readItemTable: readItemTable, layoutDigest: layoutDigest,
    readSlice: readSlice
  };
  Arcseal.layout = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
