// Dragging out of the viewer: files of the list, or a folder of the tree,
// dropped on Explorer, the desktop or any window that takes files.
//
// What is dropped are plain copies made by the export's own checked copy,
// written into a folder of the reader's temp folder at the moment the button
// is let go over a window that takes them. A file that fails its check is
// reported as an export reports it and is left out of the drop; when nothing
// came out whole, nothing is dropped. A disc made with export disabled starts
// no drag at all. The copies are deleted when the viewer ends (temp_copies).
#pragma once
#include <windows.h>
#include <commctrl.h>

// LVN_BEGINDRAG: the selected rows of the list.
void DragListSelection();

// TVN_BEGINDRAG: the folder of that tree entry with everything beneath it.
void DragTreeFolder(HTREEITEM entry);
