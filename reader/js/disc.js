// The one opener: Arcseal.openDisc(files) reads discview.exe's layout, shows
// what a disc shows before its password (splash, licence, images), and after
// unlock() its items, whose contents come out checked (see contents.js).
//
// Browser load order (classic scripts): hash-wasm's index.umd.min.js,
// bytes.js, disc-error.js, file-names.js, layout.js, header.js,
// integrity-record.js, sealed-chunks.js, password.js, item-records.js,
// item-tree.js, item-table.js, data-files.js, contents.js, disc.js.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var bytes = Arcseal.bytes || require('./bytes.js');
  var sibling = bytes.sibling;
  var DiscError = sibling('errors', './disc-error.js').DiscError;
  var layoutFile = sibling('layout', './layout.js');
  var headerFields = sibling('header', './header.js');
  var integrityRecord = sibling('integrityRecord', './integrity-record.js');
  var password = sibling('password', './password.js');
  var itemTable = sibling('itemTable', './item-table.js');
  var itemTree = sibling('itemTree', './item-tree.js');
  var dataFiles = sibling('dataFiles', './data-files.js');
  var contents = sibling('contents', './contents.js');

  // files: a Map or object from name to Blob/File, or an iterable of Files
  // (a FileList). Names are matched without regard to case, as on Windows.
  function filesByLowerName(files) {
    var out = new Map();
    var entries;
    // Duck-typed: a Map made in another realm (a frame, a worker) is no instanceof Map here.
    if (files && typeof files.get === 'function' && typeof files.entries === 'function') {
      entries = Array.from(files.entries());
    } else if (files && typeof files[Symbol.iterator] === 'function') {
      entries = Array.from(files, function (f) { return [f.name, f]; });
    } else entries = Object.entries(files || {});
    entries.forEach(function (e) {
      var name = String(e[0]).replace(/^.*[\\/]/, '').toLowerCase();
      if (!out.has(name)) out.set(name, e[1]);
    });
    return out;
  }

  function kindOf(record) {
    if (!record) return 'design';
    if (record.strong) return 'strong';
    return record.checksums ? 'verified' : 'scrambled';
  }

  async function sectionBlob(viewer, start, size, type) {
    if (!size) return null;
    var data = await layoutFile.readScrambledSection(viewer, start, size);
    return new Blob([data], { type: type(data) });
  }

  class Disc {
    constructor(files, viewer, layout, header, record, shown) {
      this._layout = layout;
      this._viewer = viewer;
      this._record = record;
      this._dataFiles = new dataFiles.DataFiles(files);
      this._contentContext = null;
      this.kind = kindOf(record);
      this.needsPassword = header.passwordFlag || this.kind === 'strong';
      // How contents are checked: each chunk before it is handed out, the
      // whole file at its end, or not at all (the design's discs).
      this.contentCheck = this.kind === 'strong' ? 'per-chunk' : this.kind === 'verified' ? 'at-end' : 'none';
      this.wideNames = !!(record && record.wide);
      this.header = header;
      this.noExport = header.noExport;
      this.licence = shown.licence;
      this.images = { background: shown.background, logo: shown.logo };
      this.font = shown.font;
      this.unlocked = false;
      this.items = [];
      this.title = '';
      this.totals = { files: 0, folders: 0, bytes: 0, refused: 0 };
    }

    // Runs the password gate (a disc without a password ignores it) and reads
    // the items. Rejects with a DiscError: wrong-password, table-altered,
    // table-damaged, tree-too-deep.
    async unlock(typed, onProgress) {
      if (this.unlocked) return this;
      var record = this._record;
      var keys = await password.unlockKeys({
        passwordFlag: this.header.passwordFlag, record: record,
        contentKeyField: headerFields.contentKeyField(this._layout.headerBytes)
      }, typed, onProgress);
      if (onProgress) onProgress({ stage: 'reading-items' });
      var items = await itemTable.readItems(this._viewer, this._layout, record, keys.tableKey);
      this._contentContext = {
        dataFiles: this._dataFiles,
        sealed: this.kind === 'strong',
        checksums: this.kind === 'verified',
        xorValue: keys.xorValue || 0,
        contentKey: keys.contentKey || null,
        chunkSize: record ? record.chunkSize : 0,
        wide: this.wideNames,
        dataFileLimit: record && record.wide ? record.dataFileLimit : 0
      };
      this.items = items;
      this.title = itemTree.discTitle(items);
      this.totals = totalsOf(items);
      this.unlocked = true;
      return this;
    }

    // The file's checked plain chunks, an async iterator: see contents.js for
    // what its end and its errors mean.
    readFile(item) {
      if (!this.unlocked) throw new DiscError('not-unlocked');
      return contents.readContents(typeof item === 'number' ? this.items[item] : item, this._contentContext);
    }

    // The whole file as a Blob, given only once every check has passed.
    async readFileBlob(item) {
      var parts = [];
      for await (var chunk of this.readFile(item)) parts.push(chunk);
      return new Blob(parts);
    }

    // Reads every file through its checks. onProgress({ item, doneBytes,
    // totalBytes }). Resolves to { good, failed: [{ item, error }] }.
    async checkAll(onProgress) {
      if (!this.unlocked) throw new DiscError('not-unlocked');
      var result = { good: 0, failed: [] };
      var done = 0;
      var total = this.totals.bytes;
      for (var item of this.items) {
        if (item.isFolder) continue;
        try {
          for await (var chunk of this.readFile(item)) {
            done += chunk.length;
            if (onProgress) onProgress({ item: item, doneBytes: done, totalBytes: total });
          }
          result.good += 1;
        } catch (error) {
          if (!(error instanceof DiscError)) throw error;
          result.failed.push({ item: item, error: error });
        }
      }
      return result;
    }
  }

  function totalsOf(items) {
    var totals = { files: 0, folders: 0, bytes: 0, refused: 0 };
    items.forEach(function (item) {
      if (item.isTop) return;
      if (item.problem) totals.refused += 1;
      if (item.isFolder) totals.folders += 1;
      else {
        totals.files += 1;
        totals.bytes += item.size;
      }
    });
    return totals;
  }

  // Opens a disc folder's files. Rejects with a DiscError: no-layout,
  // layout-damaged, record-damaged, outdated; on a disc without a password
  // also what unlock() rejects with.
  async function openDisc(files) {
    var byName = filesByLowerName(files);
    var viewer = byName.get('discview.exe');
    if (!viewer) throw new DiscError('no-layout', 'the disc folder holds no discview.exe');
    var layout = await layoutFile.readLayout(viewer);
    var header = headerFields.parseHeader(layout.headerBytes);
    var record = await integrityRecord.readIntegrityRecord(layout.headerBytes, headerFields.RECORD_OFFSET);
    var s = layout.sections;
    var t = layout.trailer;
    var licenceBytes = await layoutFile.readScrambledSection(viewer, s.eula, t.eulaSize);
    var shown = {
      licence: bytes.decodeCp1252(licenceBytes),
      background: await sectionBlob(viewer, s.backImage, t.backImageSize,
        function (data) { return headerFields.imageType(header.backImageName, data); }),
      logo: await sectionBlob(viewer, s.logoImage, t.logoImageSize,
        function (data) { return headerFields.imageType(header.logoImageName, data); }),
      font: await sectionBlob(viewer, s.font, t.fontSize, function () { return 'font/ttf'; })
    };
    var disc = new Disc(byName, viewer, layout, header, record, shown);
    if (!disc.needsPassword) await disc.unlock();
    return disc;
  }

  var exported = { openDisc: openDisc, Disc: Disc };
  Arcseal.openDisc = openDisc;
  Arcseal.disc = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
