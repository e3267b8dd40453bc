// One file's contents as an async iterator of plain Uint8Array chunks.
//
// What a consumer may trust: the iterator finishing without an error is the
// verdict that the whole file is good; an error (a DiscError naming the file
// and the data file) means the file is damaged and everything taken from it
// must be thrown away (a ZIP or a download aborts).
//  - sealed chunks (strong discs): each chunk is checked before it is yielded;
//  - CRC-32 (verified discs): the check can only pass at the end, so the last
//    piece is held back until it does; a mismatch throws instead;
//  - the design's discs: nothing can be checked, only that the bytes are there.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var bytes = Arcseal.bytes || require('./bytes.js');
  var sibling = bytes.sibling;
  var DiscError = sibling('errors', './disc-error.js').DiscError;
  var sealedChunks = sibling('sealedChunks', './sealed-chunks.js');
  var dataFiles = sibling('dataFiles', './data-files.js');
  var hashwasm = globalThis.hashwasm || require('hash-wasm');

  // Data files are read in pieces of about this size.
  var READ_PIECE = 1 << 20;

  // ctx: { dataFiles, sealed, checksums, xorValue, contentKey, chunkSize, wide, dataFileLimit }
  function storedSize(item, ctx) {
    return ctx.sealed ? sealedChunks.sealedSize(item.size, ctx.chunkSize) : item.size;
  }

  function piecesOf(item, ctx) {
    return dataFiles.storedPieces(item.dataFileName, item.dataOffset, storedSize(item, ctx), ctx.dataFileLimit);
  }

  function damaged(item, why, names) {
    var where = names && names.length ? ' (in ' + names.join(', ') + ')' : '';
    return new DiscError('file-damaged', item.path + ' is damaged: ' + why + where,
      { path: item.path, dataFile: names && names[0] });
  }

  async function* readScrambled(item, ctx, pieces) {
    var crc = null;
    if (ctx.checksums) {
      crc = await hashwasm.createCRC32();
      crc.init();
    }
    var held = null;
    var names = new Set();
    for (var from = 0; from < item.size; from += READ_PIECE) {
      var got = await ctx.dataFiles.readRange(pieces, from, Math.min(READ_PIECE, item.size - from), item.path);
      got.dataFiles.forEach(function (n) { names.add(n); });
      var plain = bytes.xorInPlace(got.data, ctx.xorValue);
      if (!crc) {
        yield plain;
        continue;
      }
      crc.update(plain);
      if (held) yield held;
      held = plain;
    }
    if (!crc) return;
    if (bytes.u32(crc.digest('binary').reverse(), 0) !== item.crc) {
      throw damaged(item, 'its contents fail their CRC-32 check', Array.from(names));
    }
    if (held) yield held;
  }

  async function* readSealed(item, ctx, pieces) {
    var storedChunk = ctx.chunkSize + sealedChunks.TAG_SIZE;
    var total = storedSize(item, ctx);
    var count = sealedChunks.chunkCount(item.size, ctx.chunkSize);
    var perRead = Math.max(1, Math.floor(READ_PIECE / storedChunk));
    for (var first = 0; first < count; first += perRead) {
      var from = first * storedChunk;
      var to = Math.min(from + perRead * storedChunk, total);
      var got = await ctx.dataFiles.readRange(pieces, from, to - from, item.path);
      for (var at = 0, index = first; at < got.data.length; at += storedChunk, index++) {
        var sealed = got.data.subarray(at, Math.min(at + storedChunk, got.data.length));
        var plain = await sealedChunks.openChunk(ctx.contentKey, sealed, item.id, index, item.size, ctx.wide);
        if (!plain) {
          var names = dataFiles.storedPieces(item.dataFileName, item.dataOffset + from + at, sealed.length,
            ctx.dataFileLimit).map(function (p) { return p.name; });
          throw damaged(item, 'chunk ' + (index + 1) + ' of ' + count + ' fails its check', names);
        }
        yield plain;
      }
    }
  }

  // The checked plain chunks of a file item (see the top of this file).
  async function* readContents(item, ctx) {
    if (item.isFolder) throw new TypeError(item.path + ' is a folder, not a file');
    if (item.problem) {
      throw new DiscError('bad-name', item.path + ' cannot be written: ' + item.problem, { path: item.path });
    }
    var pieces = piecesOf(item, ctx);
    ctx.dataFiles.checkPieces(pieces, item.path);
    if (ctx.sealed) yield* readSealed(item, ctx, pieces);
    else yield* readScrambled(item, ctx, pieces);
  }

  var exported = { READ_PIECE: READ_PIECE, readContents: readContents, storedSize: storedSize };
  Arcseal.contents = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
