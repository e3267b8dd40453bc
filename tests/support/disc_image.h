// A disc made by the real writer (mkdisc's builder) and held in memory: the
// viewer file's bytes and each data file's, for tests of the opener that
// change bytes without going back to a disk.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "test_files.h"

struct DiscImage {
    Bytes viewer;                         // discview.exe: a stand-in program image and the layout
    std::map<std::string, Bytes> data;    // disc0001.dat, ...
};

// files: each file's path in the disc ("Docs/a.txt") and contents; options:
// mkdisc's options. Throws std::runtime_error with mkdisc's messages when
// the build fails.
DiscImage MakeDiscImage(const std::map<std::string, std::string>& files,
                        const std::vector<std::string>& options);
