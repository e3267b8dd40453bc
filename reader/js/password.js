// The password gate and the keys it yields. Scrambled discs: the design's
// check (and the verifier on verified discs), then an XOR value for the
// contents. Strong discs: the verifier, then the data key unwrapped and the
// content and table keys derived from it, kept as non-extractable CryptoKeys.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var bytes = Arcseal.bytes || require('./bytes.js');
  var sibling = bytes.sibling;
  var DiscError = sibling('errors', './disc-error.js').DiscError;
  var recordKdf = sibling('integrityRecord', './integrity-record.js');
  var hashwasm = globalThis.hashwasm || require('hash-wasm');
  var subtle = globalThis.crypto.subtle;

  var MAX_PASSWORD_BYTES = 250;
  var CHECK_TEXT = 'ARCSEAL3-PWCHECK';
  var SALT = bytes.asciiBytes('Tk9w');

  function wrongPassword(why) {
    return new DiscError('wrong-password', why ? 'wrong password (' + why + ')' : 'wrong password');
  }

  // The bytes a typed password stands for: UTF-8 in NFC on wide discs (so a
  // password typed on any system matches), code page 1252 everywhere else.
  // Throws wrong-password when the text cannot be such a password.
  function passwordBytes(text, wide) {
    if (typeof text !== 'string' || text.length === 0) throw wrongPassword('no password was given');
    // NFC changes no character code page 1252 holds; it only composes
    // decomposed accents a code page 1252 password could not hold otherwise.
    var normal = text.normalize('NFC');
    var out = wide ? new TextEncoder().encode(normal) : bytes.encodeCp1252(normal);
    if (!out) throw wrongPassword('it has a character no password of this disc can hold');
    if (out.length > MAX_PASSWORD_BYTES) throw wrongPassword('passwords have at most 250 ' + (wide ? 'bytes' : 'characters'));
    return out;
  }

  function saltedPassword(password) {
    return bytes.concatBytes([password, SALT]);
  }

  // The design's gate: the check block, XORed with the salted password's
  // indexed combined value, must read the check text and end in a NUL.
  function passesDesignCheck(password, contentKeyField) {
    var salted = saltedPassword(password);
    var value = bytes.indexedCombinedValue(salted);
    bytes.wipe(salted);
    var same = 0;
    for (var i = 0; i < CHECK_TEXT.length; i++) same |= (contentKeyField[i] ^ value) ^ CHECK_TEXT.charCodeAt(i);
    return same === 0 && contentKeyField[16] === 0;
  }

  // 32 bytes of key material from the password (without the design's salt)
  // and the record's salt.
  async function deriveMaterial(password, record) {
    if (record.kdf === recordKdf.KDF_PBKDF2) {
      var base = await subtle.importKey('raw', password, 'PBKDF2', false, ['deriveBits']);
      var bits = await subtle.deriveBits(
        { name: 'PBKDF2', hash: 'SHA-256', salt: record.salt, iterations: record.iterations }, base, 256);
      return new Uint8Array(bits);
    }
    return hashwasm.argon2id({
      password: password, salt: record.salt, iterations: record.iterations, memorySize: record.memoryKiB,
      parallelism: record.lanes, hashLength: 32, outputType: 'binary'
    });
  }

  function hmacKey(raw, usages) {
    return subtle.importKey('raw', raw, { name: 'HMAC', hash: 'SHA-256' }, false, usages);
  }

  async function hmac(key, label) {
    return new Uint8Array(await subtle.sign('HMAC', key, bytes.asciiBytes(label)));
  }

  // HMAC verify compares in constant time inside the crypto engine.
  async function verifierMatches(materialKey, record) {
    return subtle.verify('HMAC', materialKey, record.verifier, bytes.asciiBytes('Arcseal verifier'));
  }

  async function aesGcmKey(dataKey, label) {
    var raw = await hmac(dataKey, label);
    try {
      return await subtle.importKey('raw', raw, 'AES-GCM', false, ['decrypt']);
    } finally {
      bytes.wipe(raw);
    }
  }

  // The content and table keys of a strong disc; a wrap that does not
  // unwrap means a wrong password.
  async function strongKeys(materialKey, record) {
    var wrapping = await hmac(materialKey, 'Arcseal key wrap');
    var kek = await subtle.importKey('raw', wrapping, 'AES-KW', false, ['unwrapKey']);
    bytes.wipe(wrapping);
    var dataKey;
    try {
      dataKey = await subtle.unwrapKey('raw', record.wrappedKey, kek, 'AES-KW',
        { name: 'HMAC', hash: 'SHA-256', length: 256 }, false, ['sign']);
    } catch (e) {
      if (e && e.name === 'OperationError') throw wrongPassword();
      throw e;
    }
    return {
      contentKey: await aesGcmKey(dataKey, 'Arcseal contents'),
      tableKey: await aesGcmKey(dataKey, 'Arcseal item table')
    };
  }

  // The XOR value of a scrambled disc's contents: from the salted password
  // when the disc has one, else from the key text kept in the header.
  function scrambledContentValue(contentKeyField, password) {
    // A text field without a NUL ends at its last byte, which is not part of it.
    if (!password) return bytes.combinedValue(bytes.untilNul(contentKeyField.subarray(0, contentKeyField.length - 1)));
    var salted = saltedPassword(password);
    var value = bytes.combinedValue(salted);
    bytes.wipe(salted);
    return value;
  }

  // Runs the gate for a disc. info: { strong, wide, passwordFlag, record,
  // contentKeyField }. Resolves to { xorValue } or { contentKey, tableKey };
  // rejects with wrong-password.
  async function unlockKeys(info, text, onProgress) {
    var progress = onProgress || function () {};
    var record = info.record;
    var needsPassword = info.passwordFlag || (record && record.strong);
    if (!needsPassword) return { xorValue: scrambledContentValue(info.contentKeyField, null) };
    var password = passwordBytes(text, !!(record && record.wide));
    try {
      if (!record || !record.strong) {
        if (!passesDesignCheck(password, info.contentKeyField)) throw wrongPassword();
      }
      if (record && record.hasVerifier) {
        progress({ stage: 'deriving-key' });
        var material = await deriveMaterial(password, record);
        var materialKey = await hmacKey(material, ['sign', 'verify']);
        bytes.wipe(material);
        if (!(await verifierMatches(materialKey, record))) throw wrongPassword();
        if (record.strong) {
          progress({ stage: 'unwrapping-key' });
          return await strongKeys(materialKey, record);
        }
      }
      return { xorValue: scrambledContentValue(info.contentKeyField, password) };
    } finally {
      bytes.wipe(password);
    }
  }

  var exported = {
    passwordBytes: passwordBytes, passesDesignCheck: passesDesignCheck, deriveMaterial: deriveMaterial,
    scrambledContentValue: scrambledContentValue, unlockKeys: unlockKeys
  };
  Arcseal.password = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
