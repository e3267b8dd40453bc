// The digest a strong disc's item table is bound to: SHA-256 over the layout
// as stored from the licence section to the end of the file (licence, header
// with its integrity record, images, font, trailer). No windows.h.
#pragma once
#include <cstdint>

#include "byte_source.h"
#include "disc_crypto.h"

// 1 when every byte from `from` to the source's end could be read and hashed.
int ComputeLayoutDigest(const ByteSource* source, uint64_t from, unsigned char digest[SHA256_SIZE]);
