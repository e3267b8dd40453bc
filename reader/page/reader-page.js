// The page's flow, as the Windows viewer's: the disc's folder is chosen, its
// splash shows a moment, the password and licence dialogs run over it, and
// the main view shows the folder tree and the file list.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal;
  var kinds = Arcseal.fileKinds;
  var messages = Arcseal.discMessages;
  var deliver = Arcseal.deliverFiles;
  var dialogs = Arcseal.startDialogs;
  var splashScreen = Arcseal.splashScreen;

  // How long the splash shows unless a click or a key ends it sooner.
  var SPLASH_MS = 1500;

  function byId(id) {
    return document.getElementById(id);
  }

  var status = new Arcseal.StatusBar({
    progressBox: byId('progress-box'), progressLabel: byId('progress-label'), progress: byId('progress'),
    stop: byId('stop'), message: byId('message'), alert: byId('alert')
  });
  var disc = null;
  var filesByFolder = new Map();

  function setState(state) {
    document.body.className = 'state-' + state;
    byId('start').hidden = state !== 'start';
    byId('main').hidden = state !== 'main';
  }

  function sayError(error) {
    var described = messages.describe(error);
    status.say(described.text, 'error', described.detail ? ['Details: ' + described.detail] : null);
  }

  // ---- the splash ----

  var splashArt = null;
  function paintSplash() {
    if (splashArt) splashScreen.paint(byId('splash-canvas'), splashArt, root.innerWidth, root.innerHeight);
  }

  function splashMoment() {
    return new Promise(function (resolve) {
      var timer = setTimeout(done, SPLASH_MS);
      function done(event) {
        // The key that ends the splash does nothing else: an Escape would
        // otherwise go on to cancel the password dialog that opens next.
        if (event) event.preventDefault();
        clearTimeout(timer);
        document.removeEventListener('keydown', done, true);
        document.removeEventListener('pointerdown', done, true);
        setTimeout(resolve, 0);
      }
      document.addEventListener('keydown', done, true);
      document.addEventListener('pointerdown', done, true);
    });
  }

  async function showSplash(opened) {
    if (!splashScreen.hasSplash(opened)) return;
    splashArt = await splashScreen.prepare(opened);
    var text = opened.header.hasSplashText ? opened.header.splashText.trim() : '';
    byId('splash').setAttribute('aria-label', 'The disc\u2019s splash screen' + (text ? ': ' + text : ''));
    byId('start').hidden = true;
    byId('splash').hidden = false;
    paintSplash();
    root.addEventListener('resize', paintSplash);
    await splashMoment();
  }

  function hideSplash() {
    root.removeEventListener('resize', paintSplash);
    splashArt = null;
    byId('splash').hidden = true;
  }

  // ---- opening ----

  async function openFiles(files) {
    if (status.busy()) return;
    if (!files) {
      sayError(new Arcseal.DiscError('no-layout'));
      return;
    }
    status.say('Opening the disc\u2026', 'info');
    var opened;
    try {
      opened = await Arcseal.openDisc(files);
    } catch (error) {
      sayError(error);
      return;
    }
    status.clear();
    var ended = null;
    try {
      await showSplash(opened);
      if (opened.needsPassword && !opened.unlocked && !(await dialogs.askPassword(opened))) {
        ended = 'The disc stays closed: no password was given.';
      } else if (opened.header.licenceFlag && opened.licence && !(await dialogs.askLicence(opened.licence))) {
        ended = 'You declined the licence, so the disc stays closed.';
      }
    } catch (error) {
      hideSplash();
      setState('start');
      sayError(error);
      return;
    }
    hideSplash();
    if (ended) {
      setState('start');
      status.say(ended, 'info');
      return;
    }
    showDisc(opened);
  }

  byId('folder-input').addEventListener('change', function (event) {
    var input = event.target;
    if (!input.files || !input.files.length) return;
    var files = Arcseal.discFolder.filesOfDiscFolder(input.files);
    input.value = '';
    openFiles(files);
  });

  if (typeof root.showDirectoryPicker === 'function') {
    byId('folder-button').hidden = false;
    byId('folder-button').addEventListener('click', async function () {
      var handle;
      try {
        handle = await root.showDirectoryPicker({ id: 'arcseal-disc', mode: 'read' });
      } catch (error) {
        if (error && error.name !== 'AbortError') sayError(error);
        return;
      }
      try {
        openFiles(await Arcseal.discFolder.filesOfDirectoryHandle(handle));
      } catch (error) {
        sayError(error);
      }
    });
  }

  // ---- the main view ----

  function folderLabel(folder) {
    return folder ? folder.path : (disc.title || 'the disc');
  }

  var tree = new Arcseal.FolderTree(byId('tree'), {
    onSelect: function (folder) {
      byId('folder-name').textContent = folderLabel(folder);
      byId('zip-folder').textContent = folder ? 'Download \u201c' + folder.name + '\u201d as ZIP' : 'Download disc as ZIP';
      byId('zip-folder').disabled = !!(folder && folder.problem);
      list.show(filesByFolder.get(folder ? folder.index : -1) || [], 'Files in ' + folderLabel(folder));
    },
    onEnter: function () { list.focus(); }
  });

  var list = new Arcseal.FileList(byId('files'), {
    onSelect: function (item) {
      var view = byId('view-file');
      var save = byId('download-file');
      view.disabled = save.disabled = !item || !!item.problem;
      view.setAttribute('aria-label', item ? 'View ' + item.name : 'View (choose a file first)');
      save.setAttribute('aria-label', item ? 'Download ' + item.name : 'Download (choose a file first)');
    },
    onOpen: function (item) {
      if (!item.problem) deliver.view(disc, item, status);
    },
    onParent: function () {
      var folder = tree.selectedFolder();
      if (!folder) return;
      var parent = folder.folderIndex >= 0 ? disc.items[folder.folderIndex] : null;
      tree.selectItem(parent, true);
    }
  });

  function totalsText(totals) {
    var text = kinds.countText(totals.files, 'file', 'files') + ', ' + kinds.countText(totals.folders, 'folder', 'folders') +
      ', ' + kinds.sizeText(totals.bytes);
    if (totals.refused) text += ' \u2014 ' + kinds.countText(totals.refused, 'item', 'items') + ' cannot be saved';
    return text;
  }

  function showDisc(opened) {
    disc = opened;
    filesByFolder = new Map();
    disc.items.forEach(function (item) {
      if (item.isFolder || item.isTop) return;
      if (!filesByFolder.has(item.folderIndex)) filesByFolder.set(item.folderIndex, []);
      filesByFolder.get(item.folderIndex).push(item);
    });
    var title = disc.title || 'Untitled disc';
    byId('disc-title').textContent = title;
    document.title = title + ' \u2014 Arcseal disc reader';
    byId('disc-totals').textContent = totalsText(disc.totals);
    document.querySelectorAll('.export').forEach(function (el) { el.hidden = disc.noExport; });
    byId('no-export-note').hidden = !disc.noExport;
    setState('main');
    tree.show(disc);
    tree.selectItem(null, true);
  }

  byId('view-file').addEventListener('click', function () {
    if (list.selected) deliver.view(disc, list.selected, status);
  });
  byId('download-file').addEventListener('click', function () {
    if (list.selected && !disc.noExport) deliver.download(disc, list.selected, status);
  });
  byId('zip-folder').addEventListener('click', function () {
    if (!disc.noExport) deliver.zip(disc, tree.selectedFolder(), status);
  });
  byId('zip-disc').addEventListener('click', function () {
    if (!disc.noExport) deliver.zip(disc, null, status);
  });
  byId('check-disc').addEventListener('click', function () {
    deliver.checkAll(disc, status);
  });
  byId('close-disc').addEventListener('click', function () {
    if (status.busy()) {
      status.say('Wait for the work under way to finish, or stop it, before opening another disc.', 'error');
      return;
    }
    disc = null;
    filesByFolder = new Map();
    byId('tree').replaceChildren();
    byId('files').tBodies[0].replaceChildren();
    document.title = 'Arcseal disc reader';
    status.clear();
    setState('start');
    byId('folder-input').focus();
  });

  // F6 moves between the panes, as in the viewer (Tab goes through the
  // buttons between them too).
  document.addEventListener('keydown', function (event) {
    if (event.key !== 'F6' || !disc || byId('main').hidden) return;
    event.preventDefault();
    if (byId('tree').contains(document.activeElement)) list.focus();
    else tree.focus();
  });

  setState('start');
})(globalThis);
