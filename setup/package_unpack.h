// Reading setup's own package and writing its entries to disk.
#pragma once
#include <cstdint>
#include <cstdio>

const uint32_t UNPACK_PIECE_SIZE = 1048576;          // bytes per read
const uint32_t UNPACK_BUFFER_SIZE = 1048576 + 100;   // one heap block per entry
// Each piece goes out in writes of this size: under Wine, 1 MiB writes were
// measured about twice as slow as 64 KiB ones. Same bytes either way.
const uint32_t UNPACK_WRITE_SLICE = 65536;

// Checks the package appended to setup's own file before anything is written
// (see CheckPackage) and keeps its summary in packageSummary. Returns 1 when
// it is sound; 0 after "Error:(3435)" (file unreadable) or "Error:(3436)"
// (package missing or damaged).
int CheckOwnPackage();

// Writes every entry of setup's own package to its place under the
// installation directory, advancing the progress bar. Returns 1 when every
// entry has been written; 0 after a failure, which has been reported, or when
// the user cancelled (unpackCancelled), which needs no report.
int UnpackPackage();

// The same for the package at the end of any file: UnpackPackage gives it
// setup's own path.
int UnpackPackageFrom(const char* packagePath);

// Copies count bytes from the package's current position to output. Returns
// 1, or 0 when the buffer cannot be had (reported here), a read comes up
// short, a write fails or the user cancelled (left to the caller).
int CopyPackageData(FILE* output, FILE* package, uint32_t count);
