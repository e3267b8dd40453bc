// Where the main window puts its folder tree, file list, splitter gap and status
// bar for a client size. No windows.h: the arithmetic is tested natively.
#pragma once
#include <cstdint>

struct PaneRect {
    int32_t id;  // 2 tree, 3 list, 4 splitter
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

// Sizes at 96 DPI; the layout scales them for the DPI it is set to.
const int32_t PANE_TOP = 21;          // the caption strips stand above the panes
const int32_t SPLITTER_WIDTH = 5;
const int32_t LIST_MIN_RIGHT_GAP = 75;  // a drag keeps the list at least 70 wide
const int32_t BELOW_PANES = 30;         // the status bar's band under the panes
const int32_t STATUS_BAR_HEIGHT = 16;

// The DPI of the main window the layout is for (96 until set). Every size
// above, and each function below, follows it.
void SetPaneLayoutDpi(uint32_t dpi);
uint32_t PaneLayoutDpi();
// A 96-DPI size at the layout's DPI.
int32_t ScalePaneSize(int32_t px96);

// The layout while the window is created (replaced by the first WM_SIZE).
void LayoutPanesAtCreation(int32_t width, int32_t height, PaneRect* tree, PaneRect* list,
                           PaneRect* splitter);

// The layout rule on WM_SIZE: the same width keeps the splitter where it is
// (that is how a finished drag is applied), any other width recentres it.
void LayoutPanesOnSize(int32_t width, int32_t height, int32_t* clientWidth, int32_t* clientHeight,
                       PaneRect* tree, PaneRect* list, PaneRect* splitter);

// The status bar's place for a client size.
void StatusBarRect(int32_t width, int32_t height, int32_t* x, int32_t* y, int32_t* barWidth,
                   int32_t* barHeight);

// 1 when the client point is on the splitter; both edges count, so the hit
// zone is one pixel wider than the gap.
int PointOnSplitter(const PaneRect* splitter, int32_t x, int32_t y);

// 1 when a drag may put the splitter at x.
int SplitterPositionAllowed(const PaneRect* tree, const PaneRect* list, int32_t x);
