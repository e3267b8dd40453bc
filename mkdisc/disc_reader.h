// Opening a built disc for reading (--verify and --extract): the disc module's
// opener over the folder's discview.exe, its reasons turned into DiscRefused.
#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "disc_open.h"
#include "file_io.h"

// Why a folder cannot be read as a disc at all: no viewer, no layout, a
// damaged record or table, a wrong or missing password.
struct DiscRefused : std::runtime_error {
    explicit DiscRefused(const std::string& message) : std::runtime_error(message) {}
};

struct ReadableDisc {
    ReadableDisc() { InitOpenedDisc(&opened); }
    ~ReadableDisc() { CloseOpenedDisc(&opened); }
    ReadableDisc(const ReadableDisc&) = delete;
    ReadableDisc& operator=(const ReadableDisc&) = delete;

    fs::path folder;
    fs::path viewer;
    OpenedDisc opened;
    std::string title;  // the whole-disc item's name as stored, empty when none

    const DiscItem* begin() const { return opened.items; }
    const DiscItem* end() const { return opened.items + opened.itemCount; }
    // The top of the disc's tree (the whole disc, a disc root): their names
    // are no part of any path.
    bool IsTop(const DiscItem& item) const;
    // The folder an item lies in, or null when it lies at the top.
    const DiscItem* FolderOf(const DiscItem& item) const;

    // A stored name as UTF-8 (the design's names are CP1252).
    std::string NameText(const char* stored) const;
    // Why a stored name cannot be a file name, or null.
    const char* NameProblem(const char* stored) const;
    // The form two names share when Windows takes them for one file.
    std::string FoldedName(const char* stored) const;
};

// Reads folder/discview.exe; password is UTF-8 as typed. Throws DiscRefused.
void OpenDiscForReading(const fs::path& folder, const std::optional<std::string>& password,
                        ReadableDisc& disc);

// "Photos/beach.jpg": the item's path in the disc as UTF-8.
std::string ItemPathText(const ReadableDisc& disc, const DiscItem& item);
