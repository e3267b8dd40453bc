// Sums over a folder's direct files, for the Properties dialog. No windows.h.
#pragma once
#include <cstdint>

struct ArcsealItem;

// Sum of itemSize over the items directly in the folder that are not folders (type 1).
uint64_t SumFolderFileSizes(const ArcsealItem* folder);

// Number of files (type 2) directly in the folder.
uint32_t CountFolderFiles(const ArcsealItem* folder);
