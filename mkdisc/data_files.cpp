#include "data_files.h"

#include "item_table.h"

std::vector<uint32_t> WriteDataFiles(StagedOutput& output, const std::vector<SourceEntry>& entries,
                                     const DataPlan& plan, const ContentWriting& how,
                                     ProgressMeter* meter)
{
    std::vector<uint32_t> checksums(entries.size(), 0);
    std::function<void(uint64_t)> copied;
    if (meter)
        copied = [meter](uint64_t bytes) { meter->AddBytes(bytes); };
    // Every planned data file is created, even one that only empty files
    // name: the viewer opens the data file before it copies zero bytes.
    size_t next = 0;
    for (uint32_t number = 1; number <= plan.dataFileCount; ++number) {
        fs::path path = output.Stage(DataFileName(number));
        FilePtr file = OpenForWriting(path);
        for (; next < entries.size(); ++next) {
            if (entries[next].isFolder)
                continue;
            if (plan.placements[next].dataFile != number)
                break;
            checksums[next] = WriteContents(entries[next].path, entries[next].size, EntryItemId(next),
                                            file.get(), path, how, copied);
            if (meter)
                meter->FileDone();
        }
        FinishWriting(file, path);
    }
    return checksums;
}
