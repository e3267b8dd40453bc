// The files of the disc's folder, from whichever picker the browser offers:
// an <input webkitdirectory> hands over every file below the chosen folder
// with its relative path; showDirectoryPicker() a folder handle.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});

  function folderOf(path) {
    var slash = path.lastIndexOf('/');
    return slash < 0 ? '' : path.slice(0, slash);
  }

  // files: File objects with webkitRelativePath ("Disc/discview.exe"). The
  // disc's folder is the one nearest the top that holds discview.exe, so a
  // reader may pick the disc itself or the folder above it. Returns a Map
  // from name to File of that folder's own files, or null when none holds a
  // viewer. Only one folder's files are kept: a file of the same name deeper
  // down must not stand in for a data file.
  function filesOfDiscFolder(files) {
    var list = Array.from(files);
    var best = null;
    list.forEach(function (file) {
      var path = file.webkitRelativePath || file.name;
      if (file.name.toLowerCase() !== 'discview.exe') return;
      var folder = folderOf(path);
      var depth = folder ? folder.split('/').length : 0;
      if (!best || depth < best.depth) best = { folder: folder, depth: depth };
    });
    if (!best) return null;
    var out = new Map();
    list.forEach(function (file) {
      if (folderOf(file.webkitRelativePath || file.name) === best.folder) out.set(file.name, file);
    });
    return out;
  }

  function holdsViewer(names) {
    return names.some(function (n) { return n.toLowerCase() === 'discview.exe'; });
  }

  // The same from a directory handle: its own files, or those of the first
  // folder just below it that holds discview.exe.
  async function filesOfDirectoryHandle(handle) {
    var files = [];
    var folders = [];
    for await (var entry of handle.values()) (entry.kind === 'file' ? files : folders).push(entry);
    if (!holdsViewer(files.map(function (f) { return f.name; }))) {
      for (var folder of folders) {
        var inner = [];
        for await (var sub of folder.values()) if (sub.kind === 'file') inner.push(sub);
        if (holdsViewer(inner.map(function (f) { return f.name; }))) {
          files = inner;
          break;
        }
      }
      if (!holdsViewer(files.map(function (f) { return f.name; }))) return null;
    }
    var out = new Map();
    for (var file of files) out.set(file.name, await file.getFile());
    return out;
  }

  var exported = { filesOfDiscFolder: filesOfDiscFolder, filesOfDirectoryHandle: filesOfDirectoryHandle };
  Arcseal.discFolder = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
