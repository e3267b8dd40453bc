// The package appended to setup.exe: entries (a 524-byte header and the file's
// bytes each), then the 272-byte trailer as the file's last bytes. No windows.h:
// the package assembler writes exactly what the installer reads, and the unit
// tests check both natively.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the package records are read and written as little-endian memory images"
#endif

const uint32_t PACKAGE_MAGIC = 514;
const uint32_t PACKAGE_TRAILER_SIZE = 272;
const uint32_t PACKAGE_ENTRY_HEADER_SIZE = 524;
const uint32_t PACKAGE_TEXT_SIZE = 255;      // source path and destination fields
const uint32_t PACKAGE_PATH_BUFFER = 256;    // every target path must fit, with its NUL

#pragma pack(push, 1)
struct PackageTrailer {
    uint32_t magic;              // PACKAGE_MAGIC
    uint32_t reserved;
    uint32_t entryCount;
    uint32_t firstEntryOffset;   // absolute file offset of the first entry's header
    char defaultDirectory[256];  // created before the first entry is unpacked
};

struct PackageEntryHeader {
    uint32_t reserved1;
    uint32_t dataSize;           // file bytes behind the header
    uint32_t reserved2;
    char sourcePath[255];        // informational: where the assembler took the file from
    char destination[255];       // prefix + remainder, e.g. "ROOT\arcs3uninst.exe"
    unsigned char padding[2];
};
#pragma pack(pop)

static_assert(sizeof(PackageTrailer) == PACKAGE_TRAILER_SIZE, "trailer is 272 bytes");
static_assert(offsetof(PackageTrailer, entryCount) == 8, "trailer field offsets");
static_assert(offsetof(PackageTrailer, firstEntryOffset) == 12, "trailer field offsets");
static_assert(offsetof(PackageTrailer, defaultDirectory) == 16, "trailer field offsets");
static_assert(sizeof(PackageEntryHeader) == PACKAGE_ENTRY_HEADER_SIZE, "entry header is 524 bytes");
static_assert(offsetof(PackageEntryHeader, dataSize) == 4, "entry header field offsets");
static_assert(offsetof(PackageEntryHeader, sourcePath) == 12, "entry header field offsets");
static_assert(offsetof(PackageEntryHeader, destination) == 267, "entry header field offsets");
static_assert(offsetof(PackageEntryHeader, padding) == 522, "entry header field offsets");

// Which directory a destination prefix is relative to.
enum PackageBase {
    BASE_INSTALL_DIR = 0,
    BASE_SYSTEM_DIR = 1,
    BASE_WINDOWS_DIR = 2,
};

struct PackagePrefix {
    const char* text;            // compared case-sensitively over its own length
    uint32_t length;
    PackageBase base;
    const char* format;          // applied to the base directory and the remainder
};

const uint32_t PACKAGE_PREFIX_COUNT = 5;
// In the order they are tried: "ROOT", "HELP", "IMAGES", "WINSYS", "WINDIR".
extern const PackagePrefix packagePrefixes[PACKAGE_PREFIX_COUNT];

// The prefix a destination begins with, or null; remainder (when given) then
// points behind the prefix's characters.
const PackagePrefix* FindDestinationPrefix(const char* destination, const char** remainder);

// 1 when the length characters at name are one plain file or folder name that
// Windows keeps as it stands: not empty, free of control characters and of
// \ / : * ? " < > |, not ending in a dot or blank (so not "." or ".."), and no
// device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without extension).
int IsPlainPathName(const char* name, size_t length);

// 1 when a remainder keeps the target inside its base directory and names a
// file: a backslash, then one or more plain names (IsPlainPathName) separated
// by single backslashes. So no "..", no drive colon, no second root.
int IsSafeRemainder(const char* remainder);

// 1 when destination is NUL-terminated within its 255-byte field, begins with
// one of the five prefixes and has a safe remainder.
int IsValidDestination(const char destination[PACKAGE_TEXT_SIZE]);

// Writes the target path of a valid destination for these base directories
// into target (targetSize bytes). Returns 0, with target emptied, when the
// destination is not valid or the path does not fit.
int BuildTargetPath(char* target, size_t targetSize, const char* destination,
                    const char* installDir, const char* systemDir, const char* windowsDir);

// What a sound package tells before anything is unpacked.
struct PackageSummary {
    uint32_t entryCount;
    uint32_t firstEntryOffset;
    // Longest target path of the entries under the installation directory,
    // less the directory's own length: a directory of length L fits every
    // target buffer when L + longestInstallTail < PACKAGE_PATH_BUFFER.
    uint32_t longestInstallTail;
};

// File position helpers with 64-bit offsets on every platform.
int SeekTo(FILE* file, uint64_t offset);
int FileLength(FILE* file, uint64_t* length);

// Reads and checks the whole package of an open file without writing
// anything: the trailer's magic and texts; that the entries start inside the
// file, lie wholly before the trailer, one behind the other, and end exactly
// where it begins; and every destination, with the system and Windows
// directories' targets fitting the path buffers. Returns 1 and fills trailer
// and summary when the package is sound, 0 when it is damaged.
int CheckPackage(FILE* package, const char* systemDir, const char* windowsDir,
                 PackageTrailer* trailer, PackageSummary* summary);

// 1 when an installation directory of this length leaves room for every
// target of the package (and its NUL) in the path buffers.
int InstallDirFits(size_t installDirLength, const PackageSummary* summary);
