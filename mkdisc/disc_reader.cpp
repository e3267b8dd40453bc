#include "disc_reader.h"

#include <cstring>

#include "build_error.h"
#include "cp1252.h"
#include "item_names.h"
#include "item_records.h"
#include "path_text.h"
#include "staged_output.h"
#include "unicode_text.h"
#include "wipe_text.h"

namespace {

[[noreturn]] void Refuse(const ReadableDisc& disc, int reason)
{
    std::string where = ShowPath(disc.viewer);
    switch (reason) {
    case DISC_NO_LAYOUT:
        throw DiscRefused(where + " carries no disc layout (a bare viewer?)");
    case DISC_LAYOUT_DAMAGED:
        throw DiscRefused("the layout of " + where + " is damaged: its sections do not fit the file");
    case DISC_RECORD_DAMAGED:
        throw DiscRefused("the integrity record of " + where + " is damaged; the disc cannot be trusted");
    case DISC_NEEDS_PASSWORD:
        throw DiscRefused("the disc has a password; give it with --password-file or --password");
    case DISC_TABLE_DAMAGED:
        throw DiscRefused("the item table of " + where + " is damaged at record " +
                          std::to_string(disc.opened.damagedAt + 1) + ": " + disc.opened.damage);
    default:
        throw DiscRefused(std::string(DiscReasonText(reason)) + " (" + where + ")");
    }
}

}  // namespace

bool ReadableDisc::IsTop(const DiscItem& item) const
{
    return item.itemType == ITEM_WHOLE_DISC || (item.itemType & ITEM_DISC_ROOT_BIT);
}

const DiscItem* ReadableDisc::FolderOf(const DiscItem& item) const
{
    if (item.parent == DISC_NO_PARENT || IsTop(opened.items[item.parent]))
        return nullptr;
    return &opened.items[item.parent];
}

void OpenDiscForReading(const fs::path& folder, const std::optional<std::string>& password,
                        ReadableDisc& disc)
{
    UnscrambleKeyFields();
    disc.folder = folder;
    disc.viewer = folder / DISC_VIEWER_NAME;
    std::error_code error;
    if (!fs::is_regular_file(disc.viewer, error))
        throw DiscRefused(ShowPath(disc.folder) + " is not a disc: it holds no " + DISC_VIEWER_NAME);
    FilePtr file;
    try {
        file = OpenForReading(disc.viewer, "viewer");
    } catch (const BuildError& failure) {
        throw DiscRefused(failure.what());
    }
    ByteSource source;
    if (!FileSource(file.get(), &source))
        throw DiscRefused("cannot read " + ShowPath(disc.viewer));
    int reason = DISC_OK;
    if (!OpenDiscLayout(&source, &disc.opened, &reason))
        Refuse(disc, reason);
    if (disc.opened.needsPassword) {
        if (!password)
            Refuse(disc, DISC_NEEDS_PASSWORD);
        // Scrambled discs (and the first strong ones) keep the design's code
        // page 1252 password; the wide records' discs take UTF-8 in NFC.
        std::string typed;
        TextWiper wiper{typed};
        if (disc.opened.wide) {
            if (!NfcText(*password, typed))
                throw DiscRefused("wrong password (it is not valid UTF-8 text)");
        } else if (!Utf8ToCp1252(*password, typed)) {
            throw DiscRefused("wrong password (it has a character no Arcseal password can hold)");
        }
        if (typed.size() > MAX_PASSWORD_LENGTH)
            throw DiscRefused("wrong password (Arcseal passwords have at most 250 bytes)");
        if (!UnlockOpenedDisc(&disc.opened, typed.data(), typed.size(), &reason))
            Refuse(disc, reason);
    } else if (!UnlockOpenedDisc(&disc.opened, nullptr, 0, &reason)) {
        Refuse(disc, reason);
    }
    if (!ReadDiscItems(&disc.opened, &source, &reason))
        Refuse(disc, reason);
    for (const DiscItem& item : disc) {
        if (item.itemType == ITEM_WHOLE_DISC) {
            disc.title = item.name;
            break;
        }
    }
}

std::string ItemPathText(const ReadableDisc& disc, const DiscItem& item)
{
    std::string text = disc.NameText(item.name);
    for (const DiscItem* folder = disc.FolderOf(item); folder; folder = disc.FolderOf(*folder))
        text = disc.NameText(folder->name) + "/" + text;
    return text;
}

std::string ReadableDisc::NameText(const char* stored) const
{
    return opened.wide ? std::string(stored) : Cp1252ToUtf8(stored);
}

const char* ReadableDisc::NameProblem(const char* stored) const
{
    if (opened.wide && !IsValidUtf8(stored, strlen(stored)))
        return "the name is not valid UTF-8";
    return FileNameProblem(stored);
}

std::string ReadableDisc::FoldedName(const char* stored) const
{
    return FoldedItemName(stored, opened.wide != 0);
}
