#include "progress_text.h"

namespace {

std::string Counted(uint64_t count, const char* one, const char* many)
{
    return GroupedNumber(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string GroupedNumber(uint64_t number)
{
    std::string digits = std::to_string(number);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped.push_back(',');
        grouped.push_back(digits[i]);
    }
    return grouped;
}

std::string FilesProgressText(uint64_t filesDone, uint64_t files)
{
    return GroupedNumber(filesDone) + " of " + Counted(files, "file", "files");
}

std::string BytesProgressText(uint64_t bytesDone, uint64_t bytes)
{
    return GroupedNumber(bytesDone) + " of " + Counted(bytes, "byte", "bytes");
}

int ProgressPosition(uint64_t filesDone, uint64_t bytesDone, const BuildTotals& totals, int barRange)
{
    uint64_t done = bytesDone;
    uint64_t whole = totals.bytes;
    if (whole == 0) {
        done = filesDone;
        whole = totals.files;
    }
    if (whole == 0 || done >= whole)
        return whole == 0 ? 0 : barRange;
    // A disc holds at most 9999 data files of 4 GiB: no overflow below 2^64.
    return (int)(done * (uint64_t)barRange / whole);
}

std::string SummaryText(const BuildTotals& totals, const std::string& outputFolder)
{
    return "The disc is built in " + outputFolder + ".\r\n\r\n" +
           Counted(totals.files, "file", "files") + " in " + Counted(totals.folders, "folder", "folders") +
           ", " + Counted(totals.bytes, "byte", "bytes") + "\r\n" +
           Counted(totals.dataFiles, "data file", "data files") + " beside the viewer discview.exe";
}
