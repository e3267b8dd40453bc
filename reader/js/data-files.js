// Where a file's stored bytes lie in the data files, and reading them. The
// design's discs keep a file in one named data file; wide discs keep one
// stream cut into disc0001.dat, disc0002.dat, ... of dataFileLimit bytes,
// and a file may run on from one into the next.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var bytes = Arcseal.bytes || require('./bytes.js');
  var sibling = bytes.sibling;
  var DiscError = sibling('errors', './disc-error.js').DiscError;

  // Four digits at least, more past 9999.
  function dataFileName(number) {
    return 'disc' + String(number).padStart(4, '0') + '.dat';
  }

  // The pieces of the data files that hold `length` stored bytes: one piece
  // in the named file, or on wide discs as many as the stream runs through.
  // An empty file still has one empty piece: its data file must be there.
  function storedPieces(dataFile, offset, length, dataFileLimit) {
    if (!dataFileLimit) return [{ name: dataFile, start: offset, length: length }];
    var pieces = [];
    var number = Math.floor(offset / dataFileLimit) + 1;
    var inFile = offset % dataFileLimit;
    var left = length;
    do {
      var take = Math.min(left, dataFileLimit - inFile);
      pieces.push({ name: dataFileName(number), start: inFile, length: take });
      left -= take;
      number += 1;
      inFile = 0;
    } while (left > 0);
    return pieces;
  }

  // The disc folder's files by lower-cased name (Windows names are not case sensitive).
  class DataFiles {
    constructor(filesByLowerName) {
      this.files = filesByLowerName;
    }

    blobOf(name) {
      return this.files.get(name.toLowerCase()) || null;
    }

    // Refuses, naming the data file, when one the pieces need is missing or
    // too short: before any byte of the file is read.
    checkPieces(pieces, path) {
      for (var i = 0; i < pieces.length; i++) {
        var p = pieces[i];
        var blob = this.blobOf(p.name);
        if (!blob) {
          throw new DiscError('data-file-missing', p.name + ' is missing: ' + path + ' cannot be read',
            { dataFile: p.name, path: path });
        }
        if (blob.size < p.start + p.length) {
          throw new DiscError('data-file-short', p.name + ' ends early: ' + path + ' cannot be read',
            { dataFile: p.name, path: path });
        }
      }
    }

    async readPiece(p, from, to, path) {
      var blob = this.blobOf(p.name);
      var data;
      try {
        data = new Uint8Array(await blob.slice(p.start + from, p.start + to).arrayBuffer());
      } catch (e) {
        throw new DiscError('data-file-unreadable', p.name + ' cannot be read (' + (e && e.message) + '): ' + path,
          { dataFile: p.name, path: path, cause: e });
      }
      if (data.length !== to - from) {
        throw new DiscError('data-file-short', p.name + ' ends early: ' + path + ' cannot be read',
          { dataFile: p.name, path: path });
      }
      return data;
    }

    // Bytes [from, from + length) of the pieces taken as one run, and the
    // names of the data files they came from.
    async readRange(pieces, from, length, path) {
      var parts = [];
      var names = [];
      var pieceStart = 0;
      for (var i = 0; i < pieces.length && length > 0; i++) {
        var p = pieces[i];
        var pieceEnd = pieceStart + p.length;
        if (from < pieceEnd && from + length > pieceStart) {
          var a = Math.max(from, pieceStart) - pieceStart;
          var b = Math.min(from + length, pieceEnd) - pieceStart;
          parts.push(await this.readPiece(p, a, b, path));
          names.push(p.name);
        }
        pieceStart = pieceEnd;
      }
      return { data: parts.length === 1 ? parts[0] : bytes.concatBytes(parts), dataFiles: names };
    }
  }

  var exported = { dataFileName: dataFileName, storedPieces: storedPieces, DataFiles: DataFiles };
  Arcseal.dataFiles = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
