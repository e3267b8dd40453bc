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
    std::vector<unsigned char> bytes;  // plain records, scrambled when written
    uint32_t itemCount = 0;
};

// label is the whole disc's CP1252 name; every item carries methodFlags, so
// the viewer's Properties dialog describes folders as their files.
ItemTable BuildItemTable(const std::string& label, const std::vector<SourceEntry>& entries,
                         const DataPlan& plan, uint32_t methodFlags);
