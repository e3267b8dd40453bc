#include "data_plan.h"

#include <cstdio>

#include "build_error.h"
#include "disc_protection.h"

DataPlan PlanDataFiles(const std::vector<SourceEntry>& entries, uint32_t dataFileLimit,
                       uint32_t chunkSize)
{
    DataPlan plan;
    uint64_t offset = 0;
    for (const SourceEntry& entry : entries) {
        if (entry.isFolder) {
            plan.placements.push_back({0, 0});
            continue;
        }
        uint64_t stored = StoredSize(entry.size, chunkSize);
        if (stored > dataFileLimit)
            throw BuildError("cannot store " + ShowPath(entry.path) + ": its " +
                             std::to_string(stored) + " bytes" +
                             (stored != entry.size ? " (with the tags of its sealed chunks)" : "") +
                             " exceed the data file limit of " + std::to_string(dataFileLimit) +
                             " bytes");
        if (plan.dataFileCount == 0) {
            plan.dataFileCount = 1;
        } else if (offset + stored > dataFileLimit) {
            if (plan.dataFileCount == MAX_DATA_FILES)
                throw BuildError("cannot store " + ShowPath(entry.path) +
                                 ": the disc would need more than 9999 data files");
            ++plan.dataFileCount;
            offset = 0;
        }
        plan.placements.push_back({plan.dataFileCount, offset});
        offset += stored;
    }
    plan.dataFileLimit = dataFileLimit;
    return plan;
}

DataPlan PlanDataStream(const std::vector<SourceEntry>& entries, uint64_t dataFileLimit, uint32_t chunkSize)
{
    DataPlan plan;
    plan.stream = true;
    plan.dataFileLimit = dataFileLimit;
    uint64_t offset = 0;
    bool anyFile = false;
    for (const SourceEntry& entry : entries) {
        if (entry.isFolder) {
            plan.placements.push_back({0, 0});
            continue;
        }
        anyFile = true;
        uint64_t startsIn = offset / dataFileLimit + 1;
        plan.placements.push_back({(uint32_t)(startsIn < MAX_DATA_FILES ? startsIn : MAX_DATA_FILES + 1), offset});
        offset += StoredSize(entry.size, chunkSize);
    }
    // Every file the stream touches is written, and one for a disc of
    // empty files only: the viewer opens a data file before it copies nothing.
    // An empty file at the very end starts in a file of its own.
    uint64_t files = anyFile ? (offset + dataFileLimit - 1) / dataFileLimit : 0;
    for (const DataPlacement& placement : plan.placements)
        files = placement.dataFile > files ? placement.dataFile : files;
    if (files > MAX_DATA_FILES)
        throw BuildError("the disc would need more than 9999 data files; give a larger --data-file-limit");
    plan.dataFileCount = (uint32_t)files;
    return plan;
}

std::string DataFileName(uint32_t number)
{
    char name[32];
    snprintf(name, sizeof name, "disc%04u.dat", (unsigned)number);
    return name;
}

uint32_t DataFileNumber(const std::string& name)
{
    if (name.size() != 12 || name.compare(0, 4, "disc") != 0 || name.compare(8, 4, ".dat") != 0)
        return 0;
    uint32_t number = 0;
    for (size_t i = 4; i < 8; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        number = number * 10 + (uint32_t)(name[i] - '0');
    }
    return number;
}
