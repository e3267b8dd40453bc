#include "pane_layout.h"

#include "dpi_scale.h"

static uint32_t layoutDpi = DESIGN_DPI;

void SetPaneLayoutDpi(uint32_t dpi)
{
    layoutDpi = dpi ? dpi : DESIGN_DPI;
}

uint32_t PaneLayoutDpi()
{
    return layoutDpi;
}

int32_t ScalePaneSize(int32_t px96)
{
    return (int32_t)ScaleForDpi(px96, layoutDpi);
}

static void SetPane(PaneRect* pane, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height)
{
    pane->id = id;
    pane->x = x;
    pane->y = y;
    pane->width = width;
    pane->height = height;
}

void LayoutPanesAtCreation(int32_t width, int32_t height, PaneRect* tree, PaneRect* list,
                           PaneRect* splitter)
{
    const int32_t top = ScalePaneSize(PANE_TOP);
    const int32_t gap = ScalePaneSize(SPLITTER_WIDTH);
    const int32_t below = ScalePaneSize(BELOW_PANES);
    SetPane(tree, 2, 0, top, width / 2 - gap, height - below);
    SetPane(list, 3, width / 2, top, width / 2 - gap, height - below);
    SetPane(splitter, 4, tree->x + tree->width, tree->y, gap, tree->height);
}

void LayoutPanesOnSize(int32_t width, int32_t height, int32_t* clientWidth, int32_t* clientHeight,
                       PaneRect* tree, PaneRect* list, PaneRect* splitter)
{
    const int32_t top = ScalePaneSize(PANE_TOP);
    const int32_t gap = ScalePaneSize(SPLITTER_WIDTH);
    const int32_t paneHeight = height - top - ScalePaneSize(BELOW_PANES);
    // A change of DPI changes the gap and the band above the panes too.
    splitter->y = top;
    splitter->width = gap;
    if (width != *clientWidth)
        splitter->x = width / 2 - splitter->width;
    splitter->height = paneHeight;
    *clientWidth = width;
    *clientHeight = height;
    SetPane(tree, 2, 0, top, splitter->x, paneHeight);
    SetPane(list, 3, splitter->x + gap, top, width - splitter->x - gap, paneHeight);
}

void StatusBarRect(int32_t width, int32_t height, int32_t* x, int32_t* y, int32_t* barWidth,
                   int32_t* barHeight)
{
    *x = 0;
    *y = height - ScalePaneSize(BELOW_PANES);
    *barWidth = width - 1;
    *barHeight = ScalePaneSize(STATUS_BAR_HEIGHT);
}

int PointOnSplitter(const PaneRect* splitter, int32_t x, int32_t y)
{
    return splitter->x <= x && x <= splitter->x + splitter->width && splitter->y <= y &&
           y <= splitter->y + splitter->height;
}

int SplitterPositionAllowed(const PaneRect* tree, const PaneRect* list, int32_t x)
{
    return x >= tree->x && x <= list->x + list->width - ScalePaneSize(LIST_MIN_RIGHT_GAP);
}
