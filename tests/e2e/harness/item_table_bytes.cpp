#include "item_table_bytes.h"

#include <stdexcept>

#include "layout_bytes.h"

namespace e2e {

// Folder-like types (the bits of 777) and the disc root carry no data file fields.
constexpr uint32_t kFolderBits = 0x309;
constexpr uint32_t kDiscRootBit = 0x20;

static unsigned char TableScrambleValue()
{
    unsigned char value = 0;
    for (char c : std::string("Arcseal-Layout-3.2"))
        value ^= (unsigned char)c;
    return value;
}

namespace {
// Reads the descrambled table from the viewer file as it goes.
struct TableReader {
    const Bytes& viewer;
    size_t at;
    size_t end;

    uint32_t U32()
    {
        if (end - at < 4)
            throw std::runtime_error("item table ends inside a record");
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= (uint32_t)(unsigned char)(viewer[at + i] ^ TableScrambleValue()) << (8 * i);
        at += 4;
        return value;
    }
    std::string Text(size_t length)
    {
        if (end - at < length)
            throw std::runtime_error("item table ends inside a name");
        std::string text;
        for (size_t i = 0; i < length; ++i) {
            char c = (char)(viewer[at + i] ^ TableScrambleValue());
            if (c == 0)
                break;
            text += c;
        }
        at += length;
        return text;
    }
};
}  // namespace

std::vector<StoredItem> ReadItemTable(const Bytes& viewer)
{
    const size_t start = TrailerValue(viewer, kLayoutStart);
    const size_t size = TrailerValue(viewer, kItemTableSize);
    const uint32_t count = TrailerValue(viewer, kItemCount);
    if (start + size > viewer.size())
        throw std::runtime_error("item table lies past the end of the viewer file");
    TableReader reader{viewer, start, start + size};
    std::vector<StoredItem> items;
    for (uint32_t i = 0; i < count; ++i) {
        StoredItem item;
        item.id = reader.U32();
        item.parentId = reader.U32();
        item.type = reader.U32();
        item.size = reader.U32();
        reader.U32();  // reserved
        reader.U32();  // method flags
        item.nameLength = reader.U32();
        item.nameAt = reader.at;
        item.name = reader.Text(item.nameLength);
        if ((item.type & kFolderBits) == 0 && (item.type & kDiscRootBit) == 0) {
            item.dataFile = reader.Text(reader.U32());
            item.dataOffset = reader.U32();
        }
        items.push_back(item);
    }
    return items;
}

void RenameStoredItem(Bytes& viewer, const std::string& oldName, const std::string& newName)
{
    const StoredItem* found = nullptr;
    std::vector<StoredItem> items = ReadItemTable(viewer);
    for (const StoredItem& item : items) {
        if (item.name != oldName)
            continue;
        if (found)
            throw std::runtime_error("more than one item is named " + oldName);
        found = &item;
    }
    if (!found)
        throw std::runtime_error("no item is named " + oldName);
    if (newName.size() > found->nameLength)
        throw std::runtime_error("the name " + newName + " is longer than " + oldName);
    for (size_t i = 0; i < found->nameLength; ++i) {
        unsigned char plain = i < newName.size() ? (unsigned char)newName[i] : 0;
        viewer[found->nameAt + i] = plain ^ TableScrambleValue();
    }
}

}  // namespace e2e
