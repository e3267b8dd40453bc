#include "setup_package_bytes.h"

#include <cstring>
#include <stdexcept>

namespace e2e {

std::optional<PackageInfo> ReadPackage(const Bytes& installer)
{
    if (installer.size() < PACKAGE_TRAILER_SIZE)
        return std::nullopt;
    PackageInfo info;
    const uint64_t trailerStart = installer.size() - PACKAGE_TRAILER_SIZE;
    memcpy(&info.trailer, installer.data() + trailerStart, sizeof info.trailer);
    if (info.trailer.magic != PACKAGE_MAGIC)
        return std::nullopt;
    uint64_t at = info.trailer.firstEntryOffset;
    for (uint32_t i = 0; i < info.trailer.entryCount; ++i) {
        if (at + PACKAGE_ENTRY_HEADER_SIZE > trailerStart)
            return std::nullopt;
        PackageEntryHeader header;
        memcpy(&header, installer.data() + at, sizeof header);
        header.destination[sizeof header.destination - 1] = 0;
        info.entries.push_back({at, header.dataSize, header.destination});
        at += PACKAGE_ENTRY_HEADER_SIZE + uint64_t(header.dataSize);
    }
    if (at != trailerStart)
        return std::nullopt;
    return info;
}

Bytes EntryData(const Bytes& installer, const PackageEntryInfo& entry)
{
    auto start = installer.begin() + (std::ptrdiff_t)(entry.headerOffset + PACKAGE_ENTRY_HEADER_SIZE);
    return Bytes(start, start + entry.dataSize);
}

void SetEntryDestination(Bytes& installer, const PackageEntryInfo& entry, const std::string& destination)
{
    if (destination.size() >= PACKAGE_TEXT_SIZE)
        throw std::invalid_argument("destination too long: " + destination);
    unsigned char* field = installer.data() + entry.headerOffset + offsetof(PackageEntryHeader, destination);
    memset(field, 0, PACKAGE_TEXT_SIZE);
    memcpy(field, destination.data(), destination.size());
}

}  // namespace e2e
