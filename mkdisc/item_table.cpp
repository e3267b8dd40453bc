#include "item_table.h"

#include <cstring>

#include "build_error.h"
#include "item_records.h"

namespace {

void AppendRecord(ItemTable& table, const ItemRecord& record)
{
    uint32_t size = ItemRecordSize(&record, table.wide);
    if ((uint64_t)table.bytes.size() + size > 0xFFFFFFFFu)
        throw BuildError("the source holds too many items for one disc");
    size_t at = table.bytes.size();
    table.bytes.resize(at + size);
    WriteItemRecord(&record, table.bytes.data() + at, table.wide);
    ++table.itemCount;
}

ItemRecord MakeRecord(uint32_t id, uint32_t parentId, uint32_t type, const std::string& name,
                      uint32_t methodFlags)
{
    ItemRecord record;
    memset(&record, 0, sizeof record);
    record.itemId = id;
    record.parentId = parentId;
    record.itemType = type;
    record.methodFlags = methodFlags;
    // Names were checked against ITEM_NAME_MAX (ITEM_WIDE_NAME_MAX) when they were read.
    memcpy(record.itemName, name.data(), name.size());
    return record;
}

}  // namespace

uint32_t EntryItemId(size_t index)
{
    return FIRST_ENTRY_ID + (uint32_t)index;
}

ItemTable BuildItemTable(const std::string& label, const std::vector<SourceEntry>& entries,
                         const DataPlan& plan, uint32_t methodFlags,
                         const std::vector<uint32_t>& reserved)
{
    ItemTable table;
    table.wide = plan.stream;
    AppendRecord(table, MakeRecord(DISC_ROOT_ID, 0, ITEM_DISC_ROOT_BIT, "Arcseal", methodFlags));
    AppendRecord(table, MakeRecord(WHOLE_DISC_ID, DISC_ROOT_ID, ITEM_WHOLE_DISC, label, methodFlags));

    // parentIds[d] is the id of the folder that holds the entries of depth d.
    std::vector<uint32_t> parentIds{WHOLE_DISC_ID};
    for (size_t i = 0; i < entries.size(); ++i) {
        const SourceEntry& entry = entries[i];
        uint32_t id = EntryItemId(i);
        uint32_t parentId = parentIds[entry.depth];
        if (entry.isFolder) {
            ItemRecord folder = MakeRecord(id, parentId, ITEM_FOLDER, entry.name, methodFlags);
            folder.modified = entry.modified;
            AppendRecord(table, folder);
            parentIds.resize(entry.depth + 1);
            parentIds.push_back(id);
            continue;
        }
        ItemRecord record = MakeRecord(id, parentId, ITEM_FILE, entry.name, methodFlags);
        record.itemSize = entry.size;
        record.modified = entry.modified;
        record.dataOffset = plan.placements[i].offset;
        if (!table.wide) {
            std::string dataFile = DataFileName(plan.placements[i].dataFile);
            memcpy(record.dataFileName, dataFile.data(), dataFile.size());
        }
        if (i < reserved.size())
            record.reserved = reserved[i];
        AppendRecord(table, record);
    }
    return table;
}
