// The package at the end of an installer file, read and damaged byte by byte
// for the tests, with the installer's own record layout.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files.h"
#include "package_format.h"

namespace e2e {

struct PackageEntryInfo {
    uint64_t headerOffset = 0;
    uint32_t dataSize = 0;
    std::string destination;
};

struct PackageInfo {
    PackageTrailer trailer{};
    std::vector<PackageEntryInfo> entries;
};

// Walks a whole, sound package; nothing when the bytes hold none.
std::optional<PackageInfo> ReadPackage(const Bytes& installer);

// The bytes of one entry's file.
Bytes EntryData(const Bytes& installer, const PackageEntryInfo& entry);

// Replaces an entry's destination field (NUL-padded) in place.
void SetEntryDestination(Bytes& installer, const PackageEntryInfo& entry, const std::string& destination);

}  // namespace e2e
