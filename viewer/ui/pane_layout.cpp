#include "pane_layout.h"

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
    SetPane(tree, 2, 0, PANE_TOP, width / 2 - SPLITTER_WIDTH, height - 30);
    SetPane(list, 3, width / 2, PANE_TOP, width / 2 - SPLITTER_WIDTH, height - 30);
    SetPane(splitter, 4, tree->x + tree->width, tree->y, SPLITTER_WIDTH, tree->height);
}

void LayoutPanesOnSize(int32_t width, int32_t height, int32_t* clientWidth, int32_t* clientHeight,
                       PaneRect* tree, PaneRect* list, PaneRect* splitter)
{
    if (width != *clientWidth)
        splitter->x = width / 2 - splitter->width;
    splitter->height = height - 51;
    *clientWidth = width;
    *clientHeight = height;
    SetPane(tree, 2, 0, PANE_TOP, splitter->x, height - 51);
    SetPane(list, 3, splitter->x + SPLITTER_WIDTH, PANE_TOP, width - splitter->x - SPLITTER_WIDTH,
            height - 51);
}

void StatusBarRect(int32_t width, int32_t height, int32_t* x, int32_t* y, int32_t* barWidth,
                   int32_t* barHeight)
{
    *x = 0;
    *y = height - 30;
    *barWidth = width - 1;
    *barHeight = 16;
}

int PointOnSplitter(const PaneRect* splitter, int32_t x, int32_t y)
{
    return splitter->x <= x && x <= splitter->x + splitter->width && splitter->y <= y &&
           y <= splitter->y + splitter->height;
}

int SplitterPositionAllowed(const PaneRect* tree, const PaneRect* list, int32_t x)
{
    return x >= tree->x && x <= list->x + list->width - LIST_MIN_RIGHT_GAP;
}
