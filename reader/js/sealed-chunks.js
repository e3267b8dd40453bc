// AES-256-GCM chunks of strong discs. The nonce names the item and the chunk,
// and the associated data adds the item's size, so a chunk cannot be moved
// to another place, another file, or a file of another length unnoticed.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var bytes = Arcseal.bytes || require('./bytes.js');
  var sibling = bytes.sibling;

  var TAG_SIZE = 16;
  var TABLE_ITEM_ID = 0xffffffff;

  function chunkNonce(itemId, chunkIndex) {
    var nonce = new Uint8Array(12);
    bytes.putU32(nonce, 0, itemId);
    bytes.putU64(nonce, 4, chunkIndex);
    return nonce;
  }

  // nonce, then the plain size (u64 on wide discs, u32 before), then for the
  // item table the layout digest.
  function associatedData(nonce, itemSize, wide, layoutDigest) {
    var sizeBytes = new Uint8Array(wide ? 8 : 4);
    if (wide) bytes.putU64(sizeBytes, 0, itemSize);
    else bytes.putU32(sizeBytes, 0, itemSize);
    var parts = [nonce, sizeBytes];
    if (layoutDigest) parts.push(layoutDigest);
    return bytes.concatBytes(parts);
  }

  // The plain bytes of one stored chunk (ciphertext then tag), or null when
  // its tag fails: the caller names what is damaged.
  async function openChunk(key, sealed, itemId, chunkIndex, itemSize, wide, layoutDigest) {
    var nonce = chunkNonce(itemId, chunkIndex);
    try {
      var plain = await crypto.subtle.decrypt(
        { name: 'AES-GCM', iv: nonce, additionalData: associatedData(nonce, itemSize, wide, layoutDigest), tagLength: 128 },
        key, sealed);
      return new Uint8Array(plain);
    } catch (e) {
      if (e && e.name === 'OperationError') return null;
      throw e;
    }
  }

  function chunkCount(itemSize, chunkSize) {
    return Math.ceil(itemSize / chunkSize);
  }

  function sealedSize(itemSize, chunkSize) {
    return itemSize + TAG_SIZE * chunkCount(itemSize, chunkSize);
  }

  var exported = {
    TAG_SIZE: TAG_SIZE, TABLE_ITEM_ID: TABLE_ITEM_ID,
    chunkNonce: chunkNonce, associatedData: associatedData, openChunk: openChunk,
    chunkCount: chunkCount, sealedSize: sealedSize
  };
  Arcseal.sealedChunks = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
