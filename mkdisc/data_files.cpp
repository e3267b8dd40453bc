#include "data_files.h"

#include "item_table.h"

namespace {

// The stream of the wide records: bytes go into disc0001.dat until it holds
// the limit, then on into disc0002.dat, and so on.
class StreamWriter {
public:
    StreamWriter(StagedOutput& output, const DataPlan& plan) : output_(output), plan_(plan) {}

    void Write(const unsigned char* bytes, uint32_t length)
    {
        while (length > 0) {
            if (!file_ || leftInFile_ == 0)
                Next();
            uint32_t part = leftInFile_ < length ? (uint32_t)leftInFile_ : length;
            WriteBytes(file_.get(), bytes, part, path_);
            bytes += part;
            length -= part;
            leftInFile_ -= part;
        }
    }

    // Closes the last file and makes any the plan has and the stream did not reach.
    void Finish()
    {
        while (number_ < plan_.dataFileCount)
            Next();
        if (file_)
            FinishWriting(file_, path_);
    }

private:
    void Next()
    {
        if (file_)
            FinishWriting(file_, path_);
        path_ = output_.Stage(DataFileName(++number_));
        file_ = OpenForWriting(path_);
        leftInFile_ = plan_.dataFileLimit;
    }

    StagedOutput& output_;
    const DataPlan& plan_;
    FilePtr file_;
    fs::path path_;
    uint32_t number_ = 0;
    uint64_t leftInFile_ = 0;
};

}  // namespace

std::vector<uint32_t> WriteDataFiles(StagedOutput& output, const std::vector<SourceEntry>& entries,
                                     const DataPlan& plan, const ContentWriting& how,
                                     ProgressMeter* meter)
{
    std::vector<uint32_t> checksums(entries.size(), 0);
    std::function<void(uint64_t)> copied;
    if (meter)
        copied = [meter](uint64_t bytes) { meter->AddBytes(bytes); };
    if (plan.stream) {
        StreamWriter stream(output, plan);
        StoredSink sink = [&stream](const unsigned char* bytes, uint32_t length) { stream.Write(bytes, length); };
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].isFolder)
                continue;
            WriteContents(entries[i].path, entries[i].size, EntryItemId(i), sink, how, copied);
            if (meter)
                meter->FileDone();
        }
        stream.Finish();
        return checksums;
    }
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
            FILE* into = file.get();
            StoredSink sink = [into, &path](const unsigned char* bytes, uint32_t length) {
                WriteBytes(into, bytes, length, path);
            };
            checksums[next] = WriteContents(entries[next].path, entries[next].size, EntryItemId(next), sink,
                                            how, copied);
            if (meter)
                meter->FileDone();
        }
        FinishWriting(file, path);
    }
    return checksums;
}
