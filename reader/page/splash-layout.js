// Where the splash screen puts its background copies, logo and text lines:
// the Windows viewer's own rules (viewer/ui/splash_layout.cpp), so a disc's
// splash looks the same in the browser. Every position is clamped as there,
// because positions, offsets and font sizes come from the disc.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});

  var COORDINATE_LIMIT = 1 << 27;
  var FONT_HEIGHT_LIMIT = 32767;
  // The viewer draws each line from a 1024-byte buffer.
  var LINE_MAX = 1023;

  // Clamped to the coordinate limit; a fraction is cut toward zero as a C cast does.
  function clamp(value) {
    if (Number.isNaN(value)) return 0;
    if (value >= COORDINATE_LIMIT) return COORDINATE_LIMIT;
    if (value <= -COORDINATE_LIMIT) return -COORDINATE_LIMIT;
    return Math.trunc(value);
  }

  // Integer division as in C: the quotient cut toward zero.
  function half(value) {
    return Math.trunc(value / 2);
  }

  function rect(x, y, width, height) {
    return { x: clamp(x), y: clamp(y), width: clamp(width), height: clamp(height) };
  }

  function fontHeight(stored) {
    return Math.max(-FONT_HEIGHT_LIMIT, Math.min(FONT_HEIGHT_LIMIT, stored));
  }

  // The rectangles the background image is drawn into, for every placement
  // but tiling (which repeats the image at its own size from the top left and
  // is drawn as a pattern: the same pixels).
  function backgroundCopies(placement, W, H, bw, bh) {
    switch (placement) {
      case 'quarters': {
        // With an odd width or height the quarters leave a one-pixel gap.
        var lower = H - half(H);
        return [rect(0, 0, half(W), half(H)), rect(half(W), 0, half(W), half(H)),
          rect(0, lower, half(W), half(H)), rect(half(W), lower, half(W), half(H))];
      }
      case 'top-left': return [rect(0, 0, bw, bh)];
      case 'top-centre': return [rect(half(W) - half(bw), 0, bw, bh)];
      case 'bottom-centre': return [rect(half(W) - half(bw), H - bh, bw, bh)];
      case 'bottom-left': return [rect(0, H - bh, bw, bh)];
      case 'centred': return [rect(half(W) - half(bw), half(H) - half(bh), bw, bh)];
      default: return [rect(0, 0, W, H)];
    }
  }

  function logoPosition(placement, W, H, lw, lh, logoX, logoY) {
    switch (placement) {
      case 'top-centre': return { x: clamp(half(W) - half(lw)), y: 0 };
      case 'bottom-centre': return { x: clamp(half(W) - half(lw)), y: clamp(H - lh) };
      case 'bottom-left': return { x: 0, y: clamp(H - lh) };
      case 'centred': return { x: clamp(half(W) - half(lw)), y: clamp(half(H) - half(lh)) };
      case 'at-xy': return { x: clamp(logoX), y: clamp(logoY) };
      default: return { x: 0, y: 0 };
    }
  }

  // The viewer counts lines by their CRs and the widest line in characters
  // other than CR and LF; it centres the block with these counts.
  function measureText(text) {
    var measure = { lineCount: 0, widest: 0 };
    var run = 0;
    for (var i = 0; i < text.length; i++) {
      var c = text[i];
      if (c === '\r') {
        measure.lineCount += 1;
        if (run > measure.widest) measure.widest = run;
        run = 0;
      } else if (c !== '\n') run += 1;
    }
    return measure;
  }

  // JavaScript rounds every step to a double, as the viewer forces its
  // 32-bit build to: the same block height to the last bit.
  function blockHeight(tmHeight, lineCount) {
    return (tmHeight * 0.1 + tmHeight) * lineCount;
  }

  function lineStep(tmHeight) {
    return clamp(tmHeight + tmHeight * 0.1);
  }

  // The top left corner of the text block. metrics: { tmHeight, aveCharWidth }.
  function textOrigin(placement, W, H, metrics, measure, textX, textY) {
    var L = blockHeight(metrics.tmHeight, measure.lineCount);
    var centredX = half(W) - half(metrics.aveCharWidth * measure.widest);
    switch (placement) {
      case 'top-left': return { x: 0, y: 0 };
      case 'top-centre': return { x: clamp(centredX), y: 0 };
      case 'bottom-left': return { x: 0, y: clamp(H - L) };
      case 'bottom-centre': return { x: clamp(centredX), y: clamp(H - L) };
      case 'centred': return { x: clamp(centredX), y: clamp(half(H) - L * 0.5) };
      default: return { x: clamp(textX), y: clamp(textY) };
    }
  }

  // The lines the viewer draws and how far down each one goes: a CR or LF
  // ends a line, an empty line is skipped without moving down, and text after
  // the last CR or LF is not drawn.
  function textLines(text, tmHeight) {
    var lines = [];
    var step = lineStep(tmHeight);
    var dy = 0;
    var line = '';
    for (var i = 0; i < text.length; i++) {
      var c = text[i];
      if (c === '\r' || c === '\n') {
        if (!line) continue;
        lines.push({ text: line, dy: clamp(dy) });
        dy += step;
        line = '';
      } else if (line.length < LINE_MAX) line += c;
    }
    return lines;
  }

  var exported = {
    clamp: clamp, fontHeight: fontHeight, backgroundCopies: backgroundCopies, logoPosition: logoPosition,
    measureText: measureText, blockHeight: blockHeight, textOrigin: textOrigin, textLines: textLines
  };
  Arcseal.splashLayout = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
