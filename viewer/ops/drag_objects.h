// The two objects OLE's drag loop needs for a drag of files: a data object
// offering CF_HDROP (and "Preferred DropEffect": copy) and a drop source that
// lets the viewer make the files at the very moment of the drop, not before:
// a window the cursor merely passes over may ask for the list of paths, and
// must not cost an export.
#pragma once
#include <windows.h>

struct FileDragHandlers {
    // The paths on offer as a CF_HDROP block (GMEM_MOVEABLE), or null.
    HGLOBAL (*makeDropFiles)();
    // The button was let go over a window that takes the files: make them.
    // 1 drops them, 0 cancels the drop (nothing reaches the window).
    int (*makeFiles)();
};

// Runs the drag loop until the drop or its cancellation. The effect the
// target reported (DROPEFFECT_COPY or DROPEFFECT_NONE).
DWORD RunFileDrag(const FileDragHandlers* handlers);

// A CF_HDROP block of wide paths, each given in the process code page; null
// when there is no memory.
HGLOBAL MakeDropFiles(const char* const* paths, int count);
