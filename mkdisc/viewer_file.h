// The disc's discview.exe: the bare viewer with the layout appended.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

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

// The trailer of the layout: the sections' sizes (a sealed table counted with
// its tag, and as holding no items).
LayoutTrailer MakeTrailer(uint64_t viewerSize, const ItemTable& table, const LayoutInputs& inputs);

// Everything of the layout behind the item table, as stored: licence text,
// header, images and font scrambled with the layout key, then the trailer.
// A strong disc's table is bound to these bytes.
std::vector<unsigned char> LayoutTail(const LayoutInputs& inputs, const LayoutHeader& header,
                                      const LayoutTrailer& trailer);

// Writes viewer + item table (scrambled, or as sealed) + tail to destination.
void WriteViewerWithLayout(const fs::path& destination, const fs::path& viewer,
                           uint64_t viewerSize, const ItemTable& table,
                           const std::vector<unsigned char>& tail);
