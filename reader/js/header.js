// The 4636-byte header (already descrambled): what the splash screen draws,
// the disc's flags, and the content key field the password gate reads.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var bytes = Arcseal.bytes || require('./bytes.js');
  var sibling = bytes.sibling;

  var FLAGS = {
    BACKGROUND: 0x1, LOGO: 0x200, LOGO_KEY_COLOR: 0x10000, SPLASH_TEXT: 0x20000, TEXT_SHADOW: 0x40000,
    NO_EXPORT: 0x400000, CLEAR_RECENT: 0x800000, PASSWORD: 0x1000000, LICENCE: 0x2000000
  };
  var CUSTOM_FONT = 0x40;

  // Placement bits in the order they are tried: the first one set wins.
  var BACKGROUND_PLACEMENTS = [
    [0x4, 'quarters'], [0x2, 'tiled'], [0x10, 'top-left'], [0x20, 'top-centre'],
    [0x80, 'bottom-centre'], [0x40, 'bottom-left'], [0x100, 'centred']
  ];
  var LOGO_PLACEMENTS = [
    [0x400, 'top-left'], [0x800, 'top-centre'], [0x2000, 'bottom-centre'],
    [0x1000, 'bottom-left'], [0x4000, 'centred'], [0x8000, 'at-xy']
  ];
  var TEXT_PLACEMENTS = [
    [0x2, 'top-left'], [0x4, 'top-centre'], [0x8, 'bottom-left'], [0x10, 'bottom-centre'], [0x20, 'centred']
  ];

  function placement(value, table, none) {
    for (var i = 0; i < table.length; i++) if (value & table[i][0]) return table[i][1];
    return none;
  }

  // A text field ends at its first NUL, or at its last byte when it has none.
  function text(h, at, size) {
    return bytes.decodeCp1252(bytes.untilNul(h.subarray(at, at + size - 1)));
  }

  // Colours are stored 0x00BBGGRR; pages want #rrggbb.
  function cssColor(colorRef) {
    var r = colorRef & 0xff, g = (colorRef >>> 8) & 0xff, b = (colorRef >>> 16) & 0xff;
    return '#' + [r, g, b].map(function (v) { return (v < 16 ? '0' : '') + v.toString(16); }).join('');
  }

  // Only the part after the last backslash tells the image's type.
  function fileNamePart(name) {
    return name.slice(name.lastIndexOf('\\') + 1);
  }

  function parseHeader(h) {
    var flags = bytes.u32(h, 0);
    var textFlags = bytes.u32(h, 4);
    var header = {
      flags: flags,
      textFlags: textFlags,
      backColor: bytes.u32(h, 8),
      logoKeyColor: bytes.u32(h, 12),
      textColor: bytes.u32(h, 16),
      shadowColor: bytes.u32(h, 20),
      fontHeight: bytes.i32(h, 24),
      shadowDx: bytes.i32(h, 28),
      shadowDy: bytes.i32(h, 32),
      textX: bytes.i32(h, 36),
      textY: bytes.i32(h, 40),
      logoX: bytes.i32(h, 44),
      logoY: bytes.i32(h, 48),
      fontFileName: text(h, 60, 255),
      fontFaceName: text(h, 315, 255),
      backImageName: fileNamePart(text(h, 570, 255)),
      logoImageName: fileNamePart(text(h, 825, 255)),
      splashText: text(h, 1080, 2789),
      hasBackground: !!(flags & FLAGS.BACKGROUND),
      backgroundPlacement: placement(flags, BACKGROUND_PLACEMENTS, 'stretched'),
      hasLogo: !!(flags & FLAGS.LOGO),
      logoPlacement: placement(flags, LOGO_PLACEMENTS, null),
      logoKeyed: !!(flags & FLAGS.LOGO_KEY_COLOR),
      hasSplashText: !!(flags & FLAGS.SPLASH_TEXT),
      textShadow: !!(flags & FLAGS.TEXT_SHADOW),
      textPlacement: placement(textFlags, TEXT_PLACEMENTS, 'at-xy'),
      customFont: !!(textFlags & CUSTOM_FONT),
      noExport: !!(flags & FLAGS.NO_EXPORT),
      clearRecentDocuments: !!(flags & FLAGS.CLEAR_RECENT),
      passwordFlag: !!(flags & FLAGS.PASSWORD),
      licenceFlag: !!(flags & FLAGS.LICENCE)
    };
    header.colors = {
      back: cssColor(header.backColor), logoKey: cssColor(header.logoKeyColor),
      text: cssColor(header.textColor), shadow: cssColor(header.shadowColor)
    };
    return header;
  }

  var CONTENT_KEY_OFFSET = 3869;
  var CONTENT_KEY_SIZE = 255;
  var RECORD_OFFSET = 4124;

  // The raw content key field: a password check block or a key text.
  function contentKeyField(h) {
    return h.subarray(CONTENT_KEY_OFFSET, CONTENT_KEY_OFFSET + CONTENT_KEY_SIZE);
  }

  var IMAGE_TYPES = { bmp: 'image/bmp', dib: 'image/bmp', jpg: 'image/jpeg', jpeg: 'image/jpeg', jpe: 'image/jpeg', gif: 'image/gif' };

  // The MIME type of an image by its stored name's extension, else by its first bytes.
  function imageType(name, data) {
    var dot = name.lastIndexOf('.');
    var byName = dot >= 0 && IMAGE_TYPES[name.slice(dot + 1).toLowerCase()];
    if (byName) return byName;
    if (data[0] === 0x42 && data[1] === 0x4d) return 'image/bmp';
    if (data[0] === 0xff && data[1] === 0xd8) return 'image/jpeg';
    if (data[0] === 0x47 && data[1] === 0x49 && data[2] === 0x46) return 'image/gif';
    return 'application/octet-stream';
  }

  var exported = {
    FLAGS: FLAGS, RECORD_OFFSET: RECORD_OFFSET,
    parseHeader: parseHeader, contentKeyField: contentKeyField, cssColor: cssColor, imageType: imageType
  };
  Arcseal.header = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
