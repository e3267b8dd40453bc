// From records to the tree: each item's parent and depth, its path, and
// whether it can be written at all. An item's parent is the first earlier
// item of its parentId when that is a folder kind, so no chain can loop.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var sibling = (Arcseal.bytes || require('./bytes.js')).sibling;
  var records = sibling('itemRecords', './item-records.js');
  var fileNames = sibling('fileNames', './file-names.js');

  // A path of more levels can be written on no system, and a limit keeps
  // crafted tables cheap.
  var MAX_DEPTH = 2048;

  function makeItem(record, index, parentIndex, depth) {
    var isFile = records.isFileType(record.itemType);
    return {
      index: index,
      id: record.itemId,
      parentId: record.parentId,
      type: record.itemType,
      parentIndex: parentIndex,
      depth: depth,
      name: record.name,
      isFolder: !isFile,
      isTop: records.isTopType(record.itemType),
      size: record.itemSize,
      modified: record.modified,
      crc: record.reserved,
      methodFlags: record.methodFlags,
      dataFileName: record.dataFileName,
      dataOffset: record.dataOffset,
      // The folder whose path this item's path goes on from; -1 at the top.
      folderIndex: -1,
      path: '',
      // Why the item cannot be written, or null.
      problem: null,
      nameIsText: record.nameIsText
    };
  }

  // The path and the name rules. Top items (the whole disc, disc roots) have
  // no path and are not written; the first of two names of one folder that
  // differ only in case wins.
  function settleNames(items) {
    var seen = new Map();
    items.forEach(function (item) {
      if (item.isTop) return;
      var parent = item.parentIndex >= 0 ? items[item.parentIndex] : null;
      item.folderIndex = parent && !parent.isTop ? parent.index : -1;
      var folder = item.folderIndex >= 0 ? items[item.folderIndex] : null;
      item.path = (folder ? folder.path + '/' : '') + item.name;
      if (folder && folder.problem) {
        item.problem = 'its folder cannot be written';
        return;
      }
      item.problem = !item.nameIsText ? 'the name is not valid UTF-8' : fileNames.fileNameProblem(item.name);
      if (item.problem) return;
      if (!item.isFolder && item.dataFileName) {
        var dataProblem = fileNames.fileNameProblem(item.dataFileName);
        if (dataProblem) {
          item.problem = 'its data file name cannot be a file name: ' + dataProblem;
          return;
        }
      }
      var key = item.folderIndex + '/' + fileNames.foldedName(item.name);
      if (seen.has(key)) {
        item.problem = 'its folder already has an item of this name (names differing only in case are one file)';
        return;
      }
      seen.set(key, item.index);
    });
  }

  // Returns { items, damage }: damage is null or { index, reason } when the
  // tree nests deeper than MAX_DEPTH (the items before it are kept).
  function buildTree(recordList) {
    var items = [];
    var firstOfId = new Map();
    var damage = null;
    for (var i = 0; i < recordList.length; i++) {
      var record = recordList[i];
      var parentIndex = firstOfId.has(record.parentId) ? firstOfId.get(record.parentId) : -1;
      if (parentIndex >= 0 && !items[parentIndex].isFolder) parentIndex = -1;
      var depth = parentIndex < 0 ? 0 : items[parentIndex].depth + 1;
      if (depth > MAX_DEPTH) {
        damage = { index: i, reason: 'its folders nest deeper than ' + MAX_DEPTH + ' levels' };
        break;
      }
      if (!firstOfId.has(record.itemId)) firstOfId.set(record.itemId, i);
      items.push(makeItem(record, i, parentIndex, depth));
    }
    settleNames(items);
    return { items: items, damage: damage };
  }

  // The disc's title: the name of its whole-disc item.
  function discTitle(items) {
    for (var i = 0; i < items.length; i++) if (items[i].type === records.WHOLE_DISC) return items[i].name;
    return '';
  }

  var exported = { MAX_DEPTH: MAX_DEPTH, buildTree: buildTree, discTitle: discTitle };
  Arcseal.itemTree = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
