#include "disc_reader.h"

#include <cstring>
#include <unordered_map>

#include "build_error.h"
#include "content_copy.h"
#include "cp1252.h"
#include "key_fields.h"
#include "scramble.h"

namespace {

const char VIEWER_NAME[] = "discview.exe";

struct DiscReadState {
    FilePtr file;
    uint64_t length = 0;
    LayoutTrailer trailer;
    LayoutSections sections;
};

void ReadAt(DiscReadState& state, uint64_t offset, void* into, size_t size, const fs::path& viewer)
{
    if (!SeekTo(state.file.get(), offset) || fread(into, 1, size, state.file.get()) != size)
        throw DiscRefused("cannot read the layout of " + ShowPath(viewer));
}

void OpenLayout(ReadableDisc& disc, DiscReadState& state)
{
    std::error_code error;
    if (!fs::is_regular_file(disc.viewer, error))
        throw DiscRefused(ShowPath(disc.folder) + " is not a disc: it holds no " + VIEWER_NAME);
    state.length = fs::file_size(disc.viewer, error);
    try {
        state.file = OpenForReading(disc.viewer, "viewer");
    } catch (const BuildError& failure) {
        throw DiscRefused(failure.what());
    }
    if (error || state.length < LAYOUT_TRAILER_SIZE)
        throw DiscRefused(ShowPath(disc.viewer) + " carries no disc layout");
    ReadAt(state, state.length - LAYOUT_TRAILER_SIZE, &state.trailer, sizeof state.trailer, disc.viewer);
    if (state.trailer.magic != LAYOUT_MAGIC)
        throw DiscRefused(ShowPath(disc.viewer) + " carries no disc layout (a bare viewer?)");
    if (!LayoutFitsFile(&state.trailer, state.length))
        throw DiscRefused("the layout of " + ShowPath(disc.viewer) + " is damaged: its sections do not fit the file");
    ComputeLayoutSections(&state.trailer, &state.sections);

    ReadAt(state, state.sections.header, &disc.header, sizeof disc.header, disc.viewer);
    XorWithValue((unsigned char*)&disc.header, sizeof disc.header, CombinedKeyValue(layoutKey));
    disc.recordState = ReadIntegrityRecord(&disc.header, &disc.record);
    if (disc.recordState == RECORD_DAMAGED)
        throw DiscRefused("the integrity record of " + ShowPath(disc.viewer) +
                          " is damaged; the disc cannot be trusted");
    TerminateHeaderTexts(&disc.header);
    bool present = disc.recordState == RECORD_PRESENT;
    disc.strong = present && (disc.record.flags & INTEGRITY_STRONG);
    disc.checksums = disc.strong || (present && (disc.record.flags & INTEGRITY_FILE_CRC32));
}

// The design's gate, and for discs with a verifier the key derivation too.
void Unlock(ReadableDisc& disc, const std::optional<std::string>& typed)
{
    bool verifier = disc.recordState == RECORD_PRESENT && (disc.record.flags & INTEGRITY_VERIFIER);
    bool needsPassword = (disc.header.flags & FLAG_PASSWORD) || disc.strong;
    if (!needsPassword) {
        disc.contentKey = disc.header.contentKey;
        return;
    }
    if (!typed)
        throw DiscRefused("the disc has a password; give it with --password");
    std::string password;
    if (!Utf8ToCp1252(*typed, password))
        throw DiscRefused("wrong password (it has a character no Arcseal password can hold)");
    if (password.size() > MAX_PASSWORD_LENGTH)
        throw DiscRefused("wrong password (Arcseal passwords have at most 250 characters)");
    if (!disc.strong) {
        char key[CONTENT_KEY_SIZE] = {};
        if (!CheckPassword(disc.header.contentKey, password.c_str(), key))
            throw DiscRefused("wrong password");
        disc.contentKey = key;
    }
    if (verifier && !UnlockDisc(&disc.record, password.data(), password.size(), &disc.keys))
        throw DiscRefused("wrong password");
}

std::vector<unsigned char> ReadItemTable(ReadableDisc& disc, DiscReadState& state, uint32_t& count)
{
    uint32_t stored = state.trailer.itemTableSize;
    uint32_t plain = stored;
    count = state.trailer.itemCount;
    if (disc.strong) {
        if ((uint64_t)disc.record.plainTableSize + CHUNK_TAG_SIZE != stored)
            throw DiscRefused("the item table of " + ShowPath(disc.viewer) + " is damaged");
        plain = disc.record.plainTableSize;
        count = disc.record.itemCount;
    }
    std::vector<unsigned char> table(stored);
    if (stored > 0)
        ReadAt(state, state.sections.itemTable, table.data(), stored, disc.viewer);
    if (disc.strong) {
        if (!OpenSealedItemTable(&disc.record, disc.keys.tableKey, table.data(), stored))
            throw DiscRefused("the item table of " + ShowPath(disc.viewer) +
                              " does not open: it is damaged");
        table.resize(plain);
    } else {
        XorWithValue(table.data(), table.size(), CombinedKeyValue(layoutKey));
    }
    return table;
}

void ReadItems(ReadableDisc& disc, const std::vector<unsigned char>& table, uint32_t count)
{
    uint32_t position = 0;
    // A count no table of that size can hold is not taken as a reason to reserve.
    disc.items.reserve(count < table.size() / ITEM_FIXED_SIZE + 1 ? count : table.size() / ITEM_FIXED_SIZE + 1);
    for (uint32_t i = 0; i < count; ++i) {
        DiscItem item;
        const char* failure = "";
        if (!ReadItemRecord(table.data(), (uint32_t)table.size(), &position, &item.record, &failure))
            throw DiscRefused("the item table of " + ShowPath(disc.viewer) + " is damaged at record " +
                              std::to_string(i + 1) + ": " + failure);
        disc.items.push_back(item);
    }
}

bool IsTop(const ItemRecord& record)
{
    return record.itemType == ITEM_WHOLE_DISC || (record.itemType & ITEM_DISC_ROOT_BIT);
}

// Walks each item's parent links up to the whole disc, a disc root or an
// item that is not in the table.
void FindPaths(ReadableDisc& disc)
{
    std::unordered_map<uint32_t, size_t> byId;
    for (size_t i = 0; i < disc.items.size(); ++i)
        byId.emplace(disc.items[i].record.itemId, i);  // the first of an id wins, as in the viewer
    for (const DiscItem& item : disc.items) {
        if (item.record.itemType == ITEM_WHOLE_DISC) {
            disc.title = item.record.itemName;
            break;
        }
    }
    for (DiscItem& item : disc.items) {
        if (IsTop(item.record))
            continue;
        std::vector<std::string> reversed{item.record.itemName};
        uint32_t parent = item.record.parentId;
        for (size_t steps = 0;; ++steps) {
            auto found = byId.find(parent);
            if (found == byId.end() || IsTop(disc.items[found->second].record))
                break;
            if (steps > disc.items.size()) {
                item.inLoop = true;
                reversed.clear();
                break;
            }
            const ItemRecord& up = disc.items[found->second].record;
            reversed.push_back(up.itemName);
            parent = up.parentId;
        }
        item.names.assign(reversed.rbegin(), reversed.rend());
    }
}

}  // namespace

ReadableDisc OpenDiscForReading(const fs::path& folder, const std::optional<std::string>& password)
{
    UnscrambleKeyFields();
    if (!StartCrypto())
        throw DiscRefused("the cryptography library cannot be started");
    ReadableDisc disc;
    memset(&disc.header, 0, sizeof disc.header);
    memset(&disc.record, 0, sizeof disc.record);
    memset(&disc.keys, 0, sizeof disc.keys);
    disc.folder = folder;
    disc.viewer = folder / VIEWER_NAME;
    DiscReadState state;
    OpenLayout(disc, state);
    Unlock(disc, password);
    uint32_t count = 0;
    std::vector<unsigned char> table = ReadItemTable(disc, state, count);
    ReadItems(disc, table, count);
    FindPaths(disc);
    return disc;
}

std::string ItemPathText(const DiscItem& item)
{
    if (item.inLoop)
        return Cp1252ToUtf8(item.record.itemName);
    std::string text;
    for (const std::string& name : item.names)
        text += (text.empty() ? "" : "/") + Cp1252ToUtf8(name);
    return text;
}
