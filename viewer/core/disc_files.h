// The disc's own files: the viewer's executable and its data files. An
// extraction must never write over one of them, by whatever name a
// destination reaches it (another case, a short 8.3 name, another path).
#pragma once

struct ArcsealItem;

// 1 when path names an existing file that is the viewer itself, the data file
// of item, or a data file of any item of the list. The viewer's folder must
// be the current directory (data file names are relative to it).
int IsDiscOwnFile(const char* path, const ArcsealItem* item);
