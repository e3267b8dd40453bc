// The records of a plain item table: the design's records (32-bit sizes,
// code page 1252 names, a named data file) or the wide records (64-bit
// sizes, UTF-8 names, offsets in one data stream, a modified time).
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var bytes = Arcseal.bytes || require('./bytes.js');
  var sibling = bytes.sibling;

  var FOLDER_BITS = 0x309;
  var DISC_ROOT_BIT = 0x20;
  var WHOLE_DISC = 777;
  var NAME_MAX = 254;
  var WIDE_NAME_MAX = 1020;
  var FIXED_SIZE = 24;
  var WIDE_FIXED_SIZE = 40;
  // Windows file times count 100 ns steps from 1601; Dates count ms from 1970.
  var FILETIME_UNIX_EPOCH = 116444736000000000n;

  // File records carry contents; every other record is a folder kind.
  function isFileType(itemType) {
    return (itemType & FOLDER_BITS) === 0 && (itemType & DISC_ROOT_BIT) === 0;
  }

  // The whole disc and disc roots: the top of the tree, their names in no path.
  function isTopType(itemType) {
    return itemType === WHOLE_DISC || (itemType & DISC_ROOT_BIT) !== 0;
  }

  function modifiedDate(fileTime) {
    if (fileTime === 0n) return null;
    var date = new Date(Number((fileTime - FILETIME_UNIX_EPOCH) / 10000n));
    return isNaN(date.getTime()) ? null : date;
  }

  class TableDamage extends Error {}

  // A cursor over the table that refuses to read past its end.
  function Cursor(table) {
    this.table = table;
    this.at = 0;
  }
  Cursor.prototype.need = function (n) {
    if (this.table.length - this.at < n) throw new TableDamage('the record runs past the end of the item table');
  };
  Cursor.prototype.u32 = function () {
    this.need(4);
    var v = bytes.u32(this.table, this.at);
    this.at += 4;
    return v;
  };
  Cursor.prototype.u64 = function (what) {
    this.need(8);
    var v = bytes.u64(this.table, this.at);
    var big = bytes.u64Big(this.table, this.at);
    this.at += 8;
    if (what && v > Number.MAX_SAFE_INTEGER) throw new TableDamage(what + ' is too large for this reader');
    return what ? v : big;
  };
  // A length-prefixed text of at most `most` bytes.
  Cursor.prototype.text = function (most) {
    var length = this.u32();
    if (length > most) throw new TableDamage('a name is longer than ' + most + ' bytes');
    this.need(length);
    var raw = this.table.subarray(this.at, this.at + length);
    this.at += length;
    return raw;
  };

  function readDesignRecord(c) {
    c.need(FIXED_SIZE);
    var r = { itemId: c.u32(), parentId: c.u32(), itemType: c.u32(), itemSize: c.u32(), reserved: c.u32(), methodFlags: c.u32() };
    r.name = bytes.decodeCp1252(bytes.untilNul(c.text(NAME_MAX)));
    r.nameIsText = true;
    r.modified = null;
    r.dataFileName = '';
    r.dataOffset = 0;
    if (isFileType(r.itemType)) {
      r.dataFileName = bytes.decodeCp1252(bytes.untilNul(c.text(NAME_MAX)));
      r.dataOffset = c.u32();
    }
    return r;
  }

  function readWideRecord(c) {
    c.need(WIDE_FIXED_SIZE);
    var r = { itemId: c.u32(), parentId: c.u32(), itemType: c.u32(), methodFlags: c.u32(), reserved: 0 };
    r.itemSize = c.u64('a size');
    r.dataOffset = c.u64('a data offset');
    r.modified = modifiedDate(c.u64());
    var raw = c.text(WIDE_NAME_MAX);
    var name = bytes.decodeUtf8Strict(raw);
    // A name that is not UTF-8 still shows (with replacement characters) but is never written.
    r.nameIsText = name !== null;
    r.name = name !== null ? name : new TextDecoder('utf-8').decode(raw);
    r.dataFileName = '';
    return r;
  }

  // Reads count records. Returns { records, damage }: damage is null, or
  // { index, reason } for the record that failed (the ones before it are kept).
  // exact: the records must use up the table (strong discs).
  function readRecords(table, count, wide, exact) {
    var c = new Cursor(table);
    var records = [];
    var read = wide ? readWideRecord : readDesignRecord;
    try {
      for (var i = 0; i < count; i++) records.push(read(c));
      if (exact && c.at !== table.length) throw new TableDamage('the records do not fill the table');
    } catch (e) {
      if (!(e instanceof TableDamage)) throw e;
      return { records: records, damage: { index: records.length, reason: e.message } };
    }
    return { records: records, damage: null };
  }

  var exported = {
    WHOLE_DISC: WHOLE_DISC, isFileType: isFileType, isTopType: isTopType, modifiedDate: modifiedDate,
    readRecords: readRecords
  };
  Arcseal.itemRecords = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
