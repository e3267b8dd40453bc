// Paints a disc's splash screen on a canvas the size of the window, as the
// Windows viewer paints it on the screen: background colour, background
// image, logo (with its key colour transparent), then the splash text with
// its shadow. Placement comes from splash-layout.js.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var layout = Arcseal.splashLayout;

  // Windows' default cell height for a font asked for at height 0.
  var DEFAULT_CELL_HEIGHT = 16;

  async function decodeImage(blob) {
    if (!blob) return null;
    try {
      return await createImageBitmap(blob);
    } catch (e) {
      // The viewer draws nothing for an image it cannot load; neither do we.
      return null;
    }
  }

  // The logo with every pixel of the key colour made transparent.
  function keyedLogo(image, keyColor) {
    var canvas = document.createElement('canvas');
    canvas.width = image.width;
    canvas.height = image.height;
    var ctx = canvas.getContext('2d');
    ctx.drawImage(image, 0, 0);
    var pixels = ctx.getImageData(0, 0, canvas.width, canvas.height);
    var r = keyColor & 0xff, g = (keyColor >>> 8) & 0xff, b = (keyColor >>> 16) & 0xff;
    var d = pixels.data;
    for (var i = 0; i < d.length; i += 4) if (d[i] === r && d[i + 1] === g && d[i + 2] === b) d[i + 3] = 0;
    ctx.putImageData(pixels, 0, 0);
    return canvas;
  }

  // The disc's own font when it carries one that loads; Arial otherwise, as
  // the viewer falls back to. Returns a CSS font-family list.
  async function fontFamily(disc) {
    var fallback = 'Arial, "Liberation Sans", Helvetica, sans-serif';
    var h = disc.header;
    if (!h.customFont || !disc.font || !h.fontFaceName || typeof FontFace !== 'function') return fallback;
    try {
      var face = new FontFace(h.fontFaceName, await disc.font.arrayBuffer(), { weight: 'bold' });
      await face.load();
      document.fonts.add(face);
      return JSON.stringify(h.fontFaceName) + ', ' + fallback;
    } catch (e) {
      return fallback;
    }
  }

  // Windows sizes a font by its cell height (a positive height) or its
  // character height (a negative one); a canvas by its em. The cell to em
  // ratio and the average character width are measured in the browser's font,
  // standing in for the font's TEXTMETRIC.
  function fontMetrics(ctx, family, storedHeight) {
    var height = layout.fontHeight(storedHeight);
    ctx.font = 'bold 100px ' + family;
    var probe = ctx.measureText('Hg');
    var ascent = probe.fontBoundingBoxAscent || 91;
    var descent = probe.fontBoundingBoxDescent || 24;
    var cellPerEm = (ascent + descent) / 100;
    var em = height > 0 ? height / cellPerEm : height < 0 ? -height : DEFAULT_CELL_HEIGHT / cellPerEm;
    var tmHeight = height > 0 ? height : Math.round(em * cellPerEm);
    ctx.font = 'bold ' + em + 'px ' + family;
    var sample = 'abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ';
    return {
      tmHeight: tmHeight,
      aveCharWidth: Math.round(ctx.measureText(sample).width / sample.length),
      ascent: ascent * em / 100
    };
  }

  function hasSplash(disc) {
    var h = disc.header;
    return !!((h.hasBackground && disc.images.background) || (h.hasLogo && disc.images.logo) ||
      (h.hasSplashText && h.splashText));
  }

  // Loads what the splash needs once; paint() can then run on every resize.
  async function prepare(disc) {
    var h = disc.header;
    var logo = h.hasLogo ? await decodeImage(disc.images.logo) : null;
    return {
      header: h,
      background: h.hasBackground ? await decodeImage(disc.images.background) : null,
      logo: logo && h.logoKeyed ? keyedLogo(logo, h.logoKeyColor) : logo,
      family: h.hasSplashText ? await fontFamily(disc) : null
    };
  }

  function paintBackground(ctx, art, W, H) {
    var image = art.background;
    if (!image) return;
    if (art.header.backgroundPlacement === 'tiled') {
      ctx.fillStyle = ctx.createPattern(image, 'repeat');
      ctx.fillRect(0, 0, W, H);
      return;
    }
    layout.backgroundCopies(art.header.backgroundPlacement, W, H, image.width, image.height).forEach(function (r) {
      ctx.drawImage(image, r.x, r.y, r.width, r.height);
    });
  }

  function paintText(ctx, art, W, H) {
    var h = art.header;
    var metrics = fontMetrics(ctx, art.family, h.fontHeight);
    var origin = layout.textOrigin(h.textPlacement, W, H, metrics, layout.measureText(h.splashText), h.textX, h.textY);
    // The viewer's text hangs from its top; a canvas writes on a baseline.
    ctx.textBaseline = 'alphabetic';
    layout.textLines(h.splashText, metrics.tmHeight).forEach(function (line) {
      if (h.textShadow) {
        ctx.fillStyle = h.colors.shadow;
        ctx.fillText(line.text, layout.clamp(origin.x + h.shadowDx),
          layout.clamp(origin.y + h.shadowDy + line.dy) + metrics.ascent);
      }
      ctx.fillStyle = h.colors.text;
      ctx.fillText(line.text, origin.x, layout.clamp(origin.y + line.dy) + metrics.ascent);
    });
  }

  // Paints the whole splash into canvas at the window's size in CSS pixels,
  // backed by device pixels so it stays sharp.
  function paint(canvas, art, W, H) {
    var scale = root.devicePixelRatio || 1;
    canvas.width = Math.max(1, Math.round(W * scale));
    canvas.height = Math.max(1, Math.round(H * scale));
    canvas.style.width = W + 'px';
    canvas.style.height = H + 'px';
    var ctx = canvas.getContext('2d');
    ctx.setTransform(scale, 0, 0, scale, 0, 0);
    ctx.fillStyle = art.header.colors.back;
    ctx.fillRect(0, 0, W, H);
    paintBackground(ctx, art, W, H);
    if (art.logo) {
      var at = layout.logoPosition(art.header.logoPlacement, W, H, art.logo.width, art.logo.height,
        art.header.logoX, art.header.logoY);
      ctx.drawImage(art.logo, at.x, at.y);
    }
    if (art.header.hasSplashText && art.family) paintText(ctx, art, W, H);
  }

  Arcseal.splashScreen = { hasSplash: hasSplash, prepare: prepare, paint: paint };
})(globalThis);
