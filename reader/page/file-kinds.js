// What a file is by its name: the type shown in the list, the MIME type a
// browser tab shows it with, and the words and order the list uses.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});

  // extension -> [type shown in the list, MIME type a tab can show, or null]
  var KINDS = {
    txt: ['Text document', 'text/plain'], text: ['Text document', 'text/plain'],
    log: ['Log file', 'text/plain'], csv: ['CSV table', 'text/plain'], tsv: ['TSV table', 'text/plain'],
    md: ['Markdown text', 'text/plain'], ini: ['Settings file', 'text/plain'], inf: ['Setup information', 'text/plain'],
    json: ['JSON data', 'text/plain'], xml: ['XML document', 'text/plain'],
    // A page or drawing from the disc is shown as text: run from a blob of
    // this page it would share the page's origin and could script it.
    htm: ['HTML document', 'text/plain'], html: ['HTML document', 'text/plain'], svg: ['SVG drawing', 'text/plain'],
    pdf: ['PDF document', 'application/pdf'],
    png: ['PNG picture', 'image/png'], jpg: ['JPEG picture', 'image/jpeg'], jpeg: ['JPEG picture', 'image/jpeg'],
    jpe: ['JPEG picture', 'image/jpeg'], gif: ['GIF picture', 'image/gif'], bmp: ['Bitmap picture', 'image/bmp'],
    webp: ['WebP picture', 'image/webp'], avif: ['AVIF picture', 'image/avif'], ico: ['Icon', 'image/x-icon'],
    mp3: ['MP3 audio', 'audio/mpeg'], wav: ['WAV audio', 'audio/wav'], ogg: ['Ogg audio', 'audio/ogg'],
    oga: ['Ogg audio', 'audio/ogg'], opus: ['Opus audio', 'audio/ogg'], flac: ['FLAC audio', 'audio/flac'],
    m4a: ['MPEG-4 audio', 'audio/mp4'], aac: ['AAC audio', 'audio/aac'],
    mp4: ['MPEG-4 video', 'video/mp4'], m4v: ['MPEG-4 video', 'video/mp4'], webm: ['WebM video', 'video/webm'],
    ogv: ['Ogg video', 'video/ogg'],
    doc: ['Word document', null], docx: ['Word document', null], xls: ['Excel workbook', null],
    xlsx: ['Excel workbook', null], ppt: ['PowerPoint presentation', null], pptx: ['PowerPoint presentation', null],
    rtf: ['Rich text document', null], zip: ['ZIP archive', null], exe: ['Program', null], dll: ['Program library', null]
  };

  function extensionOf(name) {
    var dot = name.lastIndexOf('.');
    return dot > 0 ? name.slice(dot + 1).toLowerCase() : '';
  }

  function typeName(name) {
    var ext = extensionOf(name);
    if (KINDS[ext]) return KINDS[ext][0];
    return ext ? ext.toUpperCase() + ' file' : 'File';
  }

  // The MIME type a tab shows the file with, or null when browsers cannot show it.
  function viewType(name) {
    var kind = KINDS[extensionOf(name)];
    return kind ? kind[1] : null;
  }

  // Text is shown in UTF-8 when every byte of it is UTF-8, else in code page
  // 1252, the text of the design's discs.
  function textType(data) {
    try {
      new TextDecoder('utf-8', { fatal: true }).decode(data);
      return 'text/plain;charset=utf-8';
    } catch (e) {
      return 'text/plain;charset=windows-1252';
    }
  }

  // "File 2" before "File 10", case aside, in the reader's language.
  var collator = new Intl.Collator(undefined, { numeric: true, sensitivity: 'base' });
  function naturalCompare(a, b) {
    return collator.compare(a, b) || (a < b ? -1 : a > b ? 1 : 0);
  }

  var UNITS = ['KB', 'MB', 'GB', 'TB'];
  function sizeText(bytes) {
    if (bytes < 1024) return bytes === 1 ? '1 byte' : bytes + ' bytes';
    var value = bytes;
    var unit = -1;
    do {
      value /= 1024;
      unit += 1;
    } while (value >= 1024 && unit < UNITS.length - 1);
    return (value < 10 ? value.toFixed(1) : Math.round(value)) + ' ' + UNITS[unit];
  }

  function countText(n, one, many) {
    return n.toLocaleString() + ' ' + (n === 1 ? one : many);
  }

  var exported = {
    extensionOf: extensionOf, typeName: typeName, viewType: viewType, textType: textType,
    naturalCompare: naturalCompare, sizeText: sizeText, countText: countText
  };
  Arcseal.fileKinds = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
