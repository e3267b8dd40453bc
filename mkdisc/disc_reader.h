// Opening a built disc for reading: the viewer's trailer, header, integrity
// record and item table, the password, and each file item's path in the
// disc. Used by --verify and --extract.
#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "disc_keys.h"
#include "file_io.h"
#include "integrity_record.h"
#include "item_records.h"
#include "layout_format.h"

// Why a folder cannot be read as a disc at all: no viewer, no layout, a
// damaged record or table, a wrong or missing password.
struct DiscRefused : std::runtime_error {
    explicit DiscRefused(const std::string& message) : std::runtime_error(message) {}
};

struct DiscItem {
    ItemRecord record;
    // The names from the whole-disc item (or a disc root) down to this item,
    // CP1252, the whole-disc item's own name not included. Empty when the
    // parent links form a loop.
    std::vector<std::string> names;
    bool inLoop = false;
};

struct ReadableDisc {
    fs::path folder;
    fs::path viewer;
    LayoutHeader header;
    int recordState = RECORD_ABSENT;
    IntegrityRecord record;
    bool strong = false;     // sealed table and contents
    bool checksums = false;  // every file's contents can be checked
    std::string contentKey;  // XOR modes: the key of the contents
    DiscKeys keys;           // strong discs
    std::string title;       // the whole-disc item's name (CP1252), empty when none
    std::vector<DiscItem> items;  // table order
};

// Reads folder/discview.exe; password is UTF-8 as typed. Throws DiscRefused.
ReadableDisc OpenDiscForReading(const fs::path& folder, const std::optional<std::string>& password);

// "Photos/beach.jpg": the item's path in the disc as UTF-8.
std::string ItemPathText(const DiscItem& item);
