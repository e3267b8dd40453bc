// Which names can become files: a disc is read on Windows too, so a name
// Windows would not create as given (or would open as a device) is refused
// everywhere, and names that differ only in case are one file.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});

  var FORBIDDEN = '\\/:*?"<>|';
  // COM and LPT with a superscript digit are devices on Windows as well.
  var DEVICE_DIGITS = '0123456789\u00b9\u00b2\u00b3';

  function isDeviceName(name) {
    // Windows ignores an extension and blanks before it when it looks for devices.
    var base = name.split('.')[0].replace(/ +$/, '').toUpperCase();
    if (base === 'CON' || base === 'PRN' || base === 'AUX' || base === 'NUL' || base === 'CONIN$' || base === 'CONOUT$') {
      return true;
    }
    return base.length === 4 && (base.startsWith('COM') || base.startsWith('LPT')) && DEVICE_DIGITS.indexOf(base[3]) >= 0;
  }

  // Why a name cannot be one file or folder name, or null when it can.
  function fileNameProblem(name) {
    if (!name) return 'the name is empty';
    if (name === '.' || name === '..') return 'the name stands for a folder, not a file';
    for (var i = 0; i < name.length; i++) {
      if (name.charCodeAt(i) < 32) return 'the name contains a control character';
      if (FORBIDDEN.indexOf(name[i]) >= 0) return 'the name contains a character Windows does not allow in file names';
    }
    var last = name[name.length - 1];
    if (last === '.' || last === ' ') return 'the name ends with a dot or a space, which Windows cannot create';
    if (isDeviceName(name)) return 'the name is a device name reserved by Windows';
    return null;
  }

  // The form two names share when Windows takes them for one: each character
  // upper-cased on its own (simple case mapping, as file systems compare;
  // "ß" stays "ß" rather than becoming "SS").
  function foldedName(name) {
    var out = '';
    for (var ch of name) {
      var upper = ch.toUpperCase();
      out += [...upper].length === 1 ? upper : ch;
    }
    return out;
  }

  var exported = { fileNameProblem: fileNameProblem, foldedName: foldedName, isDeviceName: isDeviceName };
  Arcseal.fileNames = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
