// The one error type of the reader: a code a page can branch on, a sentence a
// person can read, and where it applies (a data file, an item's path).
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});

  // code -> what it means; the message of an error adds the particulars.
  var CODES = {
    'no-layout': 'the viewer file carries no disc layout',
    'layout-damaged': 'the disc layout does not fit its file',
    'record-damaged': 'the integrity record is damaged; the disc cannot be trusted',
    'outdated': 'the disc was made by an earlier builder that did not protect its layout; build it again',
    'needs-password': 'the disc asks for a password',
    'wrong-password': 'wrong password',
    'table-altered': 'the item table or the layout was altered or damaged',
    'table-damaged': 'the item table is damaged',
    'tree-too-deep': 'the folders nest too deep',
    'data-file-missing': 'a data file is missing',
    'data-file-short': 'a data file ends early',
    'data-file-unreadable': 'a data file cannot be read',
    'file-damaged': 'the file is damaged',
    'bad-name': 'the name cannot be a file name',
    'not-unlocked': 'the disc is not unlocked yet'
  };

  class DiscError extends Error {
    // details: { dataFile, path, ... } copied onto the error.
    constructor(code, message, details) {
      super(message || CODES[code] || code);
      this.name = 'DiscError';
      this.code = code;
      if (details) Object.assign(this, details);
    }
  }

  var exported = { DiscError: DiscError, CODES: CODES };
  Arcseal.DiscError = DiscError;
  Arcseal.errors = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
