// Viewing, downloading, zipping and checking the disc's files. Every byte
// comes through the core's checked iterator: only an iterator that finishes
// means the file is good, so a view or a single download waits for the end,
// and a ZIP aborts (nothing saved) at the first damaged file, naming it.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var kinds = Arcseal.fileKinds;
  var messages = Arcseal.discMessages;
  var saves = Arcseal.saveTargets;

  // Blob URLs of opened files live until the page goes: a tab may read its
  // file again (a PDF viewer does, an audio player seeks).
  var viewUrls = [];
  root.addEventListener('pagehide', function () {
    viewUrls.forEach(function (url) { URL.revokeObjectURL(url); });
    viewUrls = [];
  });

  // The file's checked chunks, counted into progress, stopping when the task
  // is stopped. On a failure `watch.failed` keeps the error with its file:
  // a ZIP stream reports only that it failed, not why.
  async function* checkedChunks(disc, item, task, progress, watch) {
    try {
      for await (var chunk of disc.readFile(item)) {
        if (task.signal.aborted) throw task.signal.reason;
        progress.done += chunk.length;
        task.update(progress.done, progress.total);
        yield chunk;
      }
    } catch (error) {
      if (watch && !watch.failed) watch.failed = error;
      throw error;
    }
  }

  async function readWhole(disc, item, task) {
    var parts = [];
    for await (var chunk of checkedChunks(disc, item, task, { done: 0, total: item.size })) parts.push(chunk);
    return new Blob(parts);
  }

  // The design's discs carry no checksums: what comes from them was read,
  // but cannot be called intact.
  function checked(disc) {
    return disc.contentCheck !== 'none';
  }
  var UNCHECKED = ' This disc is of the older kind without checksums, so its files cannot be checked for damage.';

  function safeFileName(text, fallback) {
    var name = String(text || '').replace(/[\\/:*?"<>|\u0000-\u001f]/g, '_').replace(/[. ]+$/, '').trim();
    return name || fallback;
  }

  // What went wrong, as one message: stopped, cancelled, or the core's error.
  function report(status, error, task, afterwards) {
    if (task && task.signal.aborted) status.say('Stopped. ' + afterwards, 'info');
    else if (saves.isCancel(error)) status.say('Cancelled. ' + afterwards, 'info');
    else status.say(messages.describe(error).text + ' ' + afterwards, 'error');
  }

  // Opens the file in a new tab once it has passed its checks. The tab is
  // opened at the click (later a browser would block it) and shows a note
  // until the file is ready; without a tab a link is offered instead.
  async function view(disc, item, status) {
    var type = kinds.viewType(item.name);
    if (!type) {
      status.say('A browser cannot show ' + kinds.typeName(item.name).toLowerCase() + 's' +
        (disc.noExport ? '.' : ': use Download to save ' + item.name + ' and open it with its program.'), 'info');
      return;
    }
    if (status.refuseWhileBusy()) return;
    var tab = root.open('', '_blank');
    try {
      tab.document.title = item.name;
      tab.document.body.textContent = 'Checking ' + item.name + '\u2026';
    } catch (e) {
      // No tab, or one this page may not write to: it still gets the file.
    }
    var task = status.task('Checking ' + item.path, true);
    try {
      var blob = await readWhole(disc, item, task);
      if (type === 'text/plain') type = kinds.textType(new Uint8Array(await blob.arrayBuffer()));
      var url = URL.createObjectURL(new Blob([blob], { type: type }));
      viewUrls.push(url);
      if (tab && !tab.closed) {
        tab.location.href = url;
        status.say(item.name + (checked(disc) ? ' is intact and open in a new tab.' : ' is open in a new tab.' + UNCHECKED), 'good');
      } else {
        status.say(item.name + (checked(disc) ? ' is intact.' : ' was read.' + UNCHECKED), 'good');
        var link = document.createElement('a');
        link.href = url;
        link.target = '_blank';
        link.textContent = 'Open ' + item.name;
        status.message.append(link);
      }
    } catch (error) {
      if (tab) tab.close();
      report(status, error, task, '');
    } finally {
      task.finish();
    }
  }

  async function download(disc, item, status) {
    if (status.refuseWhileBusy()) return;
    var target = saves.begin(item.name);
    var task = status.task('Saving ' + item.path, true);
    try {
      await saves.ready(target);
      await saves.saveChunks(target, checkedChunks(disc, item, task, { done: 0, total: item.size }),
        kinds.viewType(item.name));
      status.say(item.name + ' (' + kinds.sizeText(item.size) + ')' +
        (checked(disc) ? ' is intact and saved.' : ' is saved.' + UNCHECKED), 'good');
    } catch (error) {
      report(status, error, task, 'Nothing was saved.');
    } finally {
      task.finish();
    }
  }

  // The items a ZIP of folder (null: the whole disc) holds, with their paths
  // in it, and those left out because no computer could save them.
  function zipPlan(disc, folder) {
    var prefix = folder ? folder.path + '/' : '';
    var plan = { entries: [], leftOut: [], bytes: 0, files: 0 };
    disc.items.forEach(function (item) {
      if (item.isTop || !item.path.startsWith(prefix) || item === folder) return;
      if (item.problem) {
        plan.leftOut.push(item.path + ': ' + item.problem);
        return;
      }
      plan.entries.push({ item: item, name: item.path.slice(prefix.length) });
      if (!item.isFolder) {
        plan.bytes += item.size;
        plan.files += 1;
      }
    });
    return plan;
  }

  async function zip(disc, folder, status) {
    var plan = zipPlan(disc, folder);
    var name = safeFileName(folder ? folder.name : disc.title, 'disc') + '.zip';
    if (status.refuseWhileBusy()) return;
    var target = saves.begin(name);
    var task = status.task(target.streaming ? 'Saving ' + name
      : 'Making ' + name + ': this browser keeps the ZIP in memory (' + kinds.sizeText(plan.bytes) +
        ') until it is complete, then saves it', true);
    var progress = { done: 0, total: plan.bytes };
    var watch = { failed: null };
    function* inputs() {
      for (var entry of plan.entries) {
        var item = entry.item;
        if (item.isFolder) yield { name: entry.name + '/', lastModified: item.modified || undefined };
        else {
          yield { name: entry.name, size: item.size, lastModified: item.modified || undefined,
            input: checkedChunks(disc, item, task, progress, watch) };
        }
      }
    }
    try {
      await saves.ready(target);
      await saves.saveStream(target, root.downloadZip(inputs()).body, 'application/zip');
      status.say(name + ' is saved: ' + kinds.countText(plan.files, 'file', 'files') +
        (checked(disc) ? ', every one intact (' : ' (') + kinds.sizeText(plan.bytes) + ').' +
        (checked(disc) ? '' : UNCHECKED) + (plan.leftOut.length ? ' Left out, as no computer can save them:' : ''),
      'good', plan.leftOut);
    } catch (error) {
      report(status, watch.failed || error, task, 'The ZIP was stopped and nothing was saved.');
    } finally {
      task.finish();
    }
  }

  // Reads every file through its checks and names each one that fails.
  async function checkAll(disc, status) {
    var task = status.task('Checking every file of the disc', true);
    if (!task) return;
    var files = disc.items.filter(function (item) { return !item.isFolder && !item.isTop; });
    var progress = { done: 0, total: disc.totals.bytes };
    var failed = [];
    var good = 0;
    try {
      for (var item of files) {
        try {
          for await (var chunk of checkedChunks(disc, item, task, progress)) void chunk;
          good += 1;
        } catch (error) {
          if (task.signal.aborted || !messages.isFileProblem(error)) throw error;
          failed.push(item.path + ' \u2014 ' + messages.fileProblem(error));
        }
      }
      var all = 'All ' + kinds.countText(good, 'file', 'files') + ' of the disc ';
      if (!failed.length) status.say(all + (checked(disc) ? 'are intact.' : 'could be read.' + UNCHECKED), 'good');
      else {
        status.say(kinds.countText(failed.length, 'file', 'files') + ' of ' + files.length + ' failed the check (' +
          good + ' intact):', 'error', failed);
      }
    } catch (error) {
      report(status, error, task, 'The check was not finished.');
    } finally {
      task.finish();
    }
  }

  var exported = { view: view, download: download, zip: zip, zipPlan: zipPlan, checkAll: checkAll };
  Arcseal.deliverFiles = exported;
})(globalThis);
