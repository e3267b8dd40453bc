// Opening the item table: descrambled on scrambled discs; on strong discs
// opened with the table key, its tag bound to the layout digest so that no
// byte of the licence, header, images or font can be changed unnoticed.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var sibling = (Arcseal.bytes || require('./bytes.js')).sibling;
  var DiscError = sibling('errors', './disc-error.js').DiscError;
  var layoutFile = sibling('layout', './layout.js');
  var sealedChunks = sibling('sealedChunks', './sealed-chunks.js');
  var itemRecords = sibling('itemRecords', './item-records.js');
  var itemTree = sibling('itemTree', './item-tree.js');

  async function openSealedTable(viewer, layout, record, tableKey) {
    if (layout.trailer.itemTableSize !== record.plainTableSize + sealedChunks.TAG_SIZE) {
      throw new DiscError('table-altered', 'the item table has the wrong size: the disc was altered or is damaged');
    }
    var stored = await layoutFile.readItemTable(viewer, layout, true);
    var digest = await layoutFile.layoutDigest(viewer, layout);
    var plain = await sealedChunks.openChunk(tableKey, stored, sealedChunks.TABLE_ITEM_ID, 0,
      record.plainTableSize, record.wide, digest);
    if (!plain) {
      throw new DiscError('table-altered',
        'the item table fails its check: the disc, its licence, splash or settings were altered, or it is damaged');
    }
    return plain;
  }

  // The disc's items (see item-tree.js). Throws table-altered, table-damaged
  // or tree-too-deep; the last two carry keptItems, the items before the
  // damage, for a viewer that wants to show them.
  async function readItems(viewer, layout, record, tableKey) {
    var strong = !!(record && record.strong);
    var wide = !!(record && record.wide);
    var plain = strong
      ? await openSealedTable(viewer, layout, record, tableKey)
      : await layoutFile.readItemTable(viewer, layout, false);
    var count = strong ? record.itemCount : layout.trailer.itemCount;
    var read = itemRecords.readRecords(plain, count, wide, strong);
    var tree = itemTree.buildTree(read.records);
    if (read.damage) {
      throw new DiscError('table-damaged',
        'the item table is damaged at record ' + (read.damage.index + 1) + ': ' + read.damage.reason,
        { damagedAt: read.damage.index, keptItems: tree.items });
    }
    if (tree.damage) {
      throw new DiscError('tree-too-deep', 'the item table is damaged at record ' + (tree.damage.index + 1) + ': ' +
        tree.damage.reason, { damagedAt: tree.damage.index, keptItems: tree.items });
    }
    return tree.items;
  }

  var exported = { readItems: readItems };
  Arcseal.itemTable = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
