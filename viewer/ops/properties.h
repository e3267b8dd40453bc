// The Properties dialog (106): type, name, size and scrambling of the file,
// folder or whole disc the context menu was opened on.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

struct FolderTotalsRecord {
    uint32_t Folders;
    uint32_t Files;
    uint64_t Bytes;  // 64-bit: a whole disc can hold more than 4 GiB
};

extern FolderTotalsRecord FolderTotals;

// Totals of a folder's own files and of the files directly in its immediate
// sub-folders (one level down); for the whole disc, the load-time totals.
void ComputeFolderTotals(HTREEITEM entry);

INT_PTR CALLBACK PropertiesDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
