// Where each file's contents go: data files are filled in item order, and a new
// one is started when the next file would not fit below the size limit.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "source_tree.h"

const uint32_t MAX_DATA_FILES = 9999;  // four digits in the name

struct DataPlacement {
    uint32_t dataFile;  // 1-based number of the file it starts in; 0 for folders
    uint64_t offset;    // in that file, or in the stream (a stream plan)
};

struct DataPlan {
    std::vector<DataPlacement> placements;  // one per entry, same order
    uint32_t dataFileCount = 0;             // 0 when the disc holds no file
    bool stream = false;                    // one stream cut at every dataFileLimit bytes
    uint64_t dataFileLimit = 0;
};

// Refuses (BuildError naming it) a file larger than the limit. With sealed
// contents (chunkSize not 0) each file takes a tag per chunk more.
DataPlan PlanDataFiles(const std::vector<SourceEntry>& entries, uint32_t dataFileLimit,
                       uint32_t chunkSize = 0);

// The wide records' plan: the contents follow each other in one stream, and
// a file may run on into the next data file.
DataPlan PlanDataStream(const std::vector<SourceEntry>& entries, uint64_t dataFileLimit, uint32_t chunkSize);

// "disc0001.dat" for 1, and so on.
std::string DataFileName(uint32_t number);

// The number of a name of that form, or 0 for any other name.
uint32_t DataFileNumber(const std::string& name);
