// The disc's discview.exe: the bare viewer with the layout appended.
#pragma once
#include <cstdint>
#include <string>

#include "file_io.h"
#include "item_table.h"
#include "layout_format.h"
#include "layout_inputs.h"

// discview.dll, else discview.exe, beside the running mkdisc: the installed
// product ships the viewer under the library-like name next to the builder.
fs::path DefaultViewerPath();

// The viewer's size. Refuses a viewer that already carries a layout (copying
// it would stack a second layout behind the first) and one too large for the
// 32-bit layoutStart.
uint64_t CheckBareViewer(const fs::path& viewer);

// Writes viewer + item table + licence text + header + images + font +
// trailer to destination; every section scrambled with the layout key.
void WriteViewerWithLayout(const fs::path& destination, const fs::path& viewer,
                           uint64_t viewerSize, const ItemTable& table,
                           const LayoutInputs& inputs, const LayoutHeader& header);
