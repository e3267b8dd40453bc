// The 160-byte integrity record at header offset 4124: which checks and keys
// a disc has. A record that does not hold together is refused rather than
// trusted, and so is one that asks a reader to spend too much on its key.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var bytes = Arcseal.bytes || require('./bytes.js');
  var sibling = bytes.sibling;
  var DiscError = sibling('errors', './disc-error.js').DiscError;
  var hashwasm = globalThis.hashwasm || require('hash-wasm');

  var RECORD_MAGIC = 0x52335341;
  var RECORD_SIZE = 160;
  var FLAG_VERIFIER = 0x1, FLAG_CRC = 0x2, FLAG_STRONG = 0x4;
  var KNOWN_FLAGS = FLAG_VERIFIER | FLAG_CRC | FLAG_STRONG;
  var KDF_PBKDF2 = 1, KDF_ARGON2ID = 2;

  async function crc32Of(data) {
    return parseInt(await hashwasm.crc32(data), 16);
  }

  // Why the key parameters are not worth spending on, or null when they fit.
  function keyParameterProblem(r) {
    if (r.kdf === KDF_PBKDF2) {
      return r.iterations >= 1 && r.iterations <= 3000000 ? null : 'PBKDF2 iterations out of range';
    }
    if (r.kdf === KDF_ARGON2ID) {
      if (r.iterations < 1 || r.iterations > 10) return 'Argon2id passes out of range';
      if (r.lanes < 1 || r.lanes > 4) return 'Argon2id lanes out of range';
      if (r.memoryKiB < 8 * r.lanes || r.memoryKiB > 131072) return 'Argon2id memory out of range';
      return null;
    }
    return 'unknown key derivation ' + r.kdf;
  }

  function valueProblem(r) {
    if (r.flags & ~KNOWN_FLAGS) return 'unknown flags';
    if (r.strong) {
      if (!r.hasVerifier) return 'a strong record without a verifier';
      if (r.kdf !== KDF_ARGON2ID) return 'a strong record without Argon2id';
      if (r.chunkSize < 4096 || r.chunkSize > 1048576) return 'chunk size out of range';
      if (r.version === 3 && r.dataFileLimit < 65536) return 'data file limit below 65536';
    }
    if (r.hasVerifier) return keyParameterProblem(r);
    return null;
  }

  function damaged(why) {
    return new DiscError('record-damaged', 'the integrity record is damaged (' + why + '); the disc cannot be trusted');
  }

  // null when the header has no record (the design's discs); else the record,
  // or a DiscError thrown when it is damaged or outdated.
  async function readIntegrityRecord(headerBytes, recordOffset) {
    var raw = headerBytes.slice(recordOffset, recordOffset + RECORD_SIZE);
    if (bytes.u32(raw, 0) !== RECORD_MAGIC) return null;
    var flags = bytes.u32(raw, 16);
    var r = {
      version: bytes.u32(raw, 4),
      size: bytes.u32(raw, 8),
      checksum: bytes.u32(raw, 12),
      flags: flags,
      kdf: bytes.u32(raw, 20),
      iterations: bytes.u32(raw, 24),
      memoryKiB: bytes.u32(raw, 28),
      lanes: bytes.u32(raw, 32),
      chunkSize: bytes.u32(raw, 36),
      itemCount: bytes.u32(raw, 40),
      plainTableSize: bytes.u32(raw, 44),
      salt: raw.slice(48, 64),
      verifier: raw.slice(64, 96),
      wrappedKey: raw.slice(96, 136),
      // A limit past 2^53 puts every offset a Number can hold in the first data file.
      dataFileLimit: Math.min(bytes.u64(raw, 136), Number.MAX_SAFE_INTEGER),
      hasVerifier: !!(flags & FLAG_VERIFIER),
      checksums: !!(flags & FLAG_CRC),
      strong: !!(flags & FLAG_STRONG)
    };
    r.wide = r.version === 3;
    if (r.version !== 1 && r.version !== 2 && r.version !== 3) throw damaged('unknown version ' + r.version);
    if (r.size !== RECORD_SIZE) throw damaged('its size is not 160');
    bytes.putU32(raw, 12, 0);
    if ((await crc32Of(raw)) !== r.checksum) throw damaged('its checksum is wrong');
    var problem = valueProblem(r);
    if (problem) throw damaged(problem);
    var bound = r.version !== 1;
    if (bound !== r.strong) {
      if (r.strong) throw new DiscError('outdated');
      throw damaged('version ' + r.version + ' without the strong flag');
    }
    return r;
  }

  var exported = {
    RECORD_MAGIC: RECORD_MAGIC, KDF_PBKDF2: KDF_PBKDF2, KDF_ARGON2ID: KDF_ARGON2ID,
    readIntegrityRecord: readIntegrityRecord, crc32Of: crc32Of
  };
  Arcseal.integrityRecord = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
