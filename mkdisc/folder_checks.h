// The source and output folders must be real and must not contain each other:
// a disc built into its own source would read its own output.
#pragma once
#include <string>
#include <vector>

#include "file_io.h"

void CheckSourceAndOutput(const fs::path& sourceDir, const fs::path& outputDir);

// True when inner is outer or lies somewhere below it (both absolute, normal).
bool IsSameOrInside(const fs::path& inner, const fs::path& outer);

// What outputDir holds besides an earlier disc (UTF-8 names, sorted): files
// and folders that a disc burnt from that folder would carry too. Empty when
// the folder is missing.
std::vector<std::string> OtherFilesInOutput(const fs::path& outputDir);

// "the output folder X already holds other files (a, b and 3 more); they would be
// written to the disc too"
std::string OtherFilesText(const fs::path& outputDir, const std::vector<std::string>& names);
