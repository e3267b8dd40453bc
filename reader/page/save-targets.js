// Where a download goes. Where the browser has showSaveFilePicker() the
// bytes stream into the file the reader chose, and the browser keeps them in
// a temporary file until close(): abort() on a damaged file leaves nothing
// behind. Elsewhere the bytes gather in a Blob, saved through a link only
// once complete, so a damaged file is never saved either.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});

  // A Blob URL must outlive the download's start; a minute is plenty.
  var URL_LIFETIME_MS = 60000;

  function saveBlob(blob, name) {
    var url = URL.createObjectURL(blob);
    var link = document.createElement('a');
    link.href = url;
    link.download = name;
    link.hidden = true;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(function () { URL.revokeObjectURL(url); }, URL_LIFETIME_MS);
  }

  // Must be called in the click that asked for the download, before any
  // await: the picker only opens while the click still counts.
  function begin(name) {
    var streaming = typeof root.showSaveFilePicker === 'function';
    var handle = streaming ? root.showSaveFilePicker({ suggestedName: name, startIn: 'downloads' }) : null;
    // Not awaited yet: keep a refusal from being reported as unhandled.
    if (handle) handle.catch(function () {});
    return { name: name, streaming: streaming, handle: handle };
  }

  // Resolves once the reader has chosen where to save (rejects with an
  // AbortError when they cancel); a no-op where the browser has no picker.
  async function ready(target) {
    if (!target.streaming || target.writable) return;
    target.file = await target.handle;
    target.writable = await target.file.createWritable();
  }

  // After an aborted save: the picker may have made an empty file for the
  // chosen name; remove it, but never a file that holds anything.
  async function dropEmptyFile(target) {
    try {
      if (target.file && target.file.remove && (await target.file.getFile()).size === 0) await target.file.remove();
    } catch (e) {
      // Left as it is: an empty file, never a damaged one.
    }
  }

  // Saves the chunks of an async iterable; any error thrown by it aborts the
  // save and is thrown on.
  async function saveChunks(target, chunks, type) {
    await ready(target);
    if (!target.streaming) {
      var parts = [];
      for await (var chunk of chunks) parts.push(chunk);
      saveBlob(new Blob(parts, { type: type || 'application/octet-stream' }), target.name);
      return;
    }
    var writer = target.writable.getWriter();
    try {
      for await (var piece of chunks) await writer.write(piece);
    } catch (error) {
      await writer.abort(error).catch(function () {});
      await dropEmptyFile(target);
      throw error;
    }
    await writer.close();
  }

  // Saves a ReadableStream; an error in it aborts the save.
  async function saveStream(target, stream, type) {
    await ready(target);
    if (!target.streaming) {
      var blob = await new Response(stream).blob();
      saveBlob(type ? new Blob([blob], { type: type }) : blob, target.name);
      return;
    }
    // pipeTo aborts the file when the stream fails, and closes it when it ends.
    try {
      await stream.pipeTo(target.writable);
    } catch (error) {
      await dropEmptyFile(target);
      throw error;
    }
  }

  // When the reader cancels the picker: no error to report.
  function isCancel(error) {
    return !!(error && error.name === 'AbortError');
  }

  var exported = { begin: begin, ready: ready, saveChunks: saveChunks, saveStream: saveStream, isCancel: isCancel };
  Arcseal.saveTargets = exported;
})(globalThis);
