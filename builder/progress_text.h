// The texts of the progress window and of the summary after a build.
// No windows.h.
#pragma once
#include <cstdint>
#include <string>

#include "build_progress.h"

// 1234567 as "1,234,567".
std::string GroupedNumber(uint64_t number);

// "3 of 12 files"
std::string FilesProgressText(uint64_t filesDone, uint64_t files);
// "1,048,576 of 3,145,728 bytes"
std::string BytesProgressText(uint64_t bytesDone, uint64_t bytes);
// The progress bar's position from 0 to barRange: by bytes, or by files when
// the disc holds no bytes at all.
int ProgressPosition(uint64_t filesDone, uint64_t bytesDone, const BuildTotals& totals, int barRange);

// What the summary dialog says about a disc built into outputFolder (UTF-8),
// with CR LF between its lines.
std::string SummaryText(const BuildTotals& totals, const std::string& outputFolder);
