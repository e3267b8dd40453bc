// The source and output folders must be real and must not contain each other:
// a disc built into its own source would read its own output.
#pragma once
#include "file_io.h"

void CheckSourceAndOutput(const fs::path& sourceDir, const fs::path& outputDir);

// True when inner is outer or lies somewhere below it (both absolute, normal).
bool IsSameOrInside(const fs::path& inner, const fs::path& outer);
