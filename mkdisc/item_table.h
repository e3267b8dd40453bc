// The item table: a disc root, the whole-disc item, then the source tree.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "data_plan.h"
#include "source_tree.h"

const uint32_t DISC_ROOT_ID = 1;
const uint32_t WHOLE_DISC_ID = 2;
const uint32_t FIRST_ENTRY_ID = 3;

struct ItemTable {
    std::vector<unsigned char> bytes;  // plain records, scrambled when written; or sealed
    uint32_t itemCount = 0;
    bool sealed = false;               // bytes are the sealed table and its tag
    bool wide = false;                 // the wide records (a stream plan's)
};

// The item id of source entry index (entries follow the two fixed items).
uint32_t EntryItemId(size_t index);

// label is the whole disc's name (CP1252, or UTF-8 for a stream plan's wide records); every item carries methodFlags, so
// the viewer's Properties dialog describes folders as their files. A file
// item's reserved field takes its entry's value of reserved (when given).
ItemTable BuildItemTable(const std::string& label, const std::vector<SourceEntry>& entries,
                         const DataPlan& plan, uint32_t methodFlags,
                         const std::vector<uint32_t>& reserved = {});
