// The main viewer window: folder tree, file list, splitter, caption strips, status bar.
#pragma once
#include <windows.h>

#include "pane_layout.h"
#include "resource.h"

const int STATUS_BAR_ID = IDC_STATUS_BAR;
const int FOLDER_TREE_ID = IDC_FOLDER_TREE;
const int FILE_LIST_ID = IDC_FILE_LIST;

extern HWND mainWindow;
extern HWND statusWindow;
extern HWND treeWindow;
extern HWND listWindow;

extern PaneRect treePane;
extern PaneRect listPane;
extern PaneRect splitterPane;
extern int32_t clientWidth;
extern int32_t clientHeight;

extern HCURSOR splitterCursor;

// Caption strips: folders (125), files (124) and the rounded end (126).
extern HBITMAP foldersCaption;
extern HBITMAP filesCaption;
extern HBITMAP captionEnd;

// Builds the main window, loads the item table into its tree and runs the
// message loop. 1 when the loop ended, 0 when creation or loading failed.
int CreateMainWindow();

// Paints the two caption strips above the panes into any device context, at
// the layout's DPI.
void PaintCaptionStrips(HDC dc);

// WM_DPICHANGED of the main window: the panes, the splitter, the controls'
// font, the tree's icons and the list's columns follow the new DPI, and the
// window takes the rectangle Windows suggests.
void OnMainWindowDpiChanged(HWND window, UINT dpi, const RECT* suggested);
