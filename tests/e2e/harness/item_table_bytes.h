// The item table of a built viewer file, read and patched from outside, for
// items the disc builder never writes (names Windows cannot hold). The table
// is XOR-scrambled with one value, the XOR of the layout key's characters.
//
// Deliberately independent of the disc module: these few lines read the
// bytes as the format document describes them, so that the end-to-end tests
// would notice if the module and the document drifted apart together with
// the viewer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "files.h"

namespace e2e {

struct StoredItem {
    uint32_t id = 0;
    uint32_t parentId = 0;
    uint32_t type = 0;
    uint32_t size = 0;
    std::string name;
    std::string dataFile;  // files only
    uint32_t dataOffset = 0;
    size_t nameAt = 0;     // where the name's bytes start in the viewer file
    size_t nameLength = 0; // bytes stored for the name
};

// Every record of the table, in table order. Throws std::runtime_error on a
// table that does not parse.
std::vector<StoredItem> ReadItemTable(const Bytes& viewer);

// Gives the one item named oldName the name newName in place. newName may be
// shorter (a NUL ends a stored name early), never longer, so nothing moves.
// Throws std::runtime_error when there is no single such item or newName is too long.
void RenameStoredItem(Bytes& viewer, const std::string& oldName, const std::string& newName);

}  // namespace e2e
