// Sentences for the reader's errors: what happened and what the person
// reading can do about it. The core's own message stays as the detail.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});

  function dataFileOf(error) {
    return error.dataFile ? error.dataFile : 'A data file';
  }

  var SENTENCES = {
    'no-layout': function () {
      return 'No disc was found here. Choose the disc\u2019s own folder: the one that holds discview.exe and its data files.';
    },
    'layout-damaged': function () {
      return 'The disc\u2019s discview.exe is damaged, so the disc cannot be opened. Copy the disc again.';
    },
    'record-damaged': function () {
      return 'The disc\u2019s integrity record is damaged, so nothing on it can be trusted. Copy the disc again.';
    },
    'outdated': function () {
      return 'This disc was made by an earlier Arcseal that did not protect its layout. Ask its maker to build it again.';
    },
    'wrong-password': function () {
      return 'That password is not right. Check Caps Lock and the keyboard language, and type it again.';
    },
    'table-altered': function () {
      return 'The disc\u2019s list of files was altered or is damaged, so the disc cannot be opened.';
    },
    'table-damaged': function () {
      return 'The disc\u2019s list of files is damaged, so the disc cannot be opened.';
    },
    'tree-too-deep': function () {
      return 'The disc\u2019s folders nest too deep to be shown.';
    },
    'data-file-missing': function (e) {
      return dataFileOf(e) + ' is missing, so ' + (e.path || 'a file') +
        ' cannot be read. Choose the whole disc folder, with every discNNNN.dat file.';
    },
    'data-file-short': function (e) {
      return dataFileOf(e) + ' ends early (the copy of the disc is incomplete), so ' + (e.path || 'a file') +
        ' cannot be read.';
    },
    'data-file-unreadable': function (e) {
      return dataFileOf(e) + ' could not be read, so ' + (e.path || 'a file') + ' cannot be read. ' +
        'If the disc is in a drive, check that it is still there.';
    },
    'file-damaged': function (e) {
      return (e.path || 'A file') + ' is damaged: it fails its check and was not delivered.';
    },
    'bad-name': function (e) {
      return (e.path || 'A file') + ' has a name no computer can save it under, so it is left out.';
    },
    'not-unlocked': function () {
      return 'The disc is not open yet.';
    }
  };

  // { text, detail }: a sentence for any error, and the core's message.
  function describe(error) {
    if (error && error.name === 'DiscError' && SENTENCES[error.code]) {
      return { text: SENTENCES[error.code](error), detail: error.message };
    }
    if (error && error.name === 'NotReadableError') {
      return { text: 'A file of the disc could not be read: it may have moved, or the disc left its drive.', detail: error.message };
    }
    return { text: 'Something went wrong: ' + ((error && error.message) || String(error)), detail: '' };
  }

  // What is wrong with one file, in a few words, for a list of files.
  function fileProblem(error) {
    switch (error && error.code) {
      case 'file-damaged': return 'damaged: it fails its check';
      case 'data-file-missing': return dataFileOf(error) + ' is missing';
      case 'data-file-short': return dataFileOf(error) + ' ends early';
      case 'data-file-unreadable': return dataFileOf(error) + ' cannot be read';
      case 'bad-name': return 'its name cannot be saved on any computer';
      default: return describe(error).text;
    }
  }

  // Whether a problem lies in one file (the others can still be read).
  function isFileProblem(error) {
    return !!(error && error.name === 'DiscError' && error.path &&
      /^(file-damaged|bad-name|data-file-)/.test(error.code));
  }

  var exported = { describe: describe, fileProblem: fileProblem, isFileProblem: isFileProblem };
  Arcseal.discMessages = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
