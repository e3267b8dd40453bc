#include <gtest/gtest.h>

#include "dpi_scale.h"
#include "pane_layout.h"

namespace {

struct Layout {
    PaneRect tree = {};
    PaneRect list = {};
    PaneRect splitter = {};
    int32_t width = 0;
    int32_t height = 0;

    void Size(int32_t w, int32_t h) { LayoutPanesOnSize(w, h, &width, &height, &tree, &list, &splitter); }
};

void ExpectPane(const PaneRect& pane, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height)
{
    EXPECT_EQ(pane.id, id);
    EXPECT_EQ(pane.x, x);
    EXPECT_EQ(pane.y, y);
    EXPECT_EQ(pane.width, width);
    EXPECT_EQ(pane.height, height);
}

TEST(PaneLayout, CreationSplitsTheClientInHalves)
{
    Layout l;
    LayoutPanesAtCreation(800, 600, &l.tree, &l.list, &l.splitter);
    ExpectPane(l.tree, 2, 0, 21, 395, 570);
    ExpectPane(l.list, 3, 400, 21, 395, 570);
    ExpectPane(l.splitter, 4, 395, 21, 5, 570);
}

TEST(PaneLayout, AWidthChangeRecentresTheSplitterWithTruncatedHalves)
{
    Layout l;
    l.splitter = {4, 0, 21, 5, 0};
    l.Size(1023, 700);
    ExpectPane(l.tree, 2, 0, 21, 506, 649);
    ExpectPane(l.list, 3, 511, 21, 512, 649);
    EXPECT_EQ(l.splitter.x, 506);
    EXPECT_EQ(l.splitter.height, 649);
    EXPECT_EQ(l.width, 1023);
    EXPECT_EQ(l.height, 700);
}

TEST(PaneLayout, TheSameWidthKeepsADraggedSplitter)
{
    Layout l;
    l.splitter = {4, 0, 21, 5, 0};
    l.Size(1000, 700);
    l.splitter.x = 120;  // where a drag left it
    l.Size(1000, 500);
    ExpectPane(l.tree, 2, 0, 21, 120, 449);
    ExpectPane(l.list, 3, 125, 21, 875, 449);
    EXPECT_EQ(l.splitter.height, 449);
    // Minimised (0 x 0) and restored: two width changes, recentred.
    l.Size(0, 0);
    l.Size(1000, 500);
    EXPECT_EQ(l.splitter.x, 495);
}

TEST(PaneLayout, TinyClientsGiveEmptyPanesAndTheStatusBarStillMoves)
{
    Layout l;
    l.splitter = {4, 0, 21, 5, 0};
    l.Size(300, 51);
    EXPECT_EQ(l.tree.height, 0);
    l.Size(300, 40);
    EXPECT_EQ(l.list.height, -11);
    int32_t x, y, w, h;
    StatusBarRect(300, 40, &x, &y, &w, &h);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 10);
    EXPECT_EQ(w, 299);
    EXPECT_EQ(h, 16);
}

TEST(Splitter, TheHitZoneIncludesBothEdges)
{
    PaneRect splitter = {4, 100, 21, 5, 400};
    EXPECT_TRUE(PointOnSplitter(&splitter, 100, 21));
    EXPECT_TRUE(PointOnSplitter(&splitter, 105, 421)) << "just right of the gap still hits";
    EXPECT_FALSE(PointOnSplitter(&splitter, 99, 200));
    EXPECT_FALSE(PointOnSplitter(&splitter, 106, 200));
    EXPECT_FALSE(PointOnSplitter(&splitter, 102, 20));
    EXPECT_FALSE(PointOnSplitter(&splitter, 102, 422));
}

TEST(Splitter, DragLimitsKeepTheListAtLeast70Wide)
{
    PaneRect tree = {2, 0, 21, 495, 400};
    PaneRect list = {3, 500, 21, 500, 400};
    EXPECT_TRUE(SplitterPositionAllowed(&tree, &list, 0));
    EXPECT_FALSE(SplitterPositionAllowed(&tree, &list, -1));
    EXPECT_TRUE(SplitterPositionAllowed(&tree, &list, 925));
    EXPECT_FALSE(SplitterPositionAllowed(&tree, &list, 926));
    // At the limit the list, from x + 5 to the right edge 1000, is 70 wide.
    EXPECT_EQ(1000 - (925 + SPLITTER_WIDTH), 70);
}

// Sizes scale as MulDiv rounds them: half away from zero.
TEST(DpiScale, RoundsHalfAwayFromZeroAndKeepsUnknownDpis)
{
    EXPECT_EQ(ScaleForDpi(21, 96), 21);
    EXPECT_EQ(ScaleForDpi(21, 192), 42);
    EXPECT_EQ(ScaleForDpi(5, 144), 8);     // 7.5
    EXPECT_EQ(ScaleForDpi(-5, 144), -8);
    EXPECT_EQ(ScaleForDpi(19, 120), 24);   // 23.75
    EXPECT_EQ(ScaleForDpi(30, 0), 30);
    EXPECT_EQ(RescaleForDpi(42, 192, 96), 21);
    EXPECT_EQ(RescaleForDpi(8, 144, 0), 8);
    EXPECT_EQ(ScaleForDpi(int64_t(1) << 40, 192), int64_t(1) << 41);
}

// At 200 % every band and gap of the layout is twice as large; the rules
// (halves on creation, a kept or recentred splitter) stay the same.
TEST(PaneLayout, At192DpiTheBandsAndTheGapAreTwiceAsLarge)
{
    SetPaneLayoutDpi(192);
    Layout l;
    LayoutPanesAtCreation(800, 600, &l.tree, &l.list, &l.splitter);
    ExpectPane(l.tree, 2, 0, 42, 390, 540);
    ExpectPane(l.splitter, 4, 390, 42, 10, 540);
    l.Size(1000, 700);
    ExpectPane(l.tree, 2, 0, 42, 490, 598);
    ExpectPane(l.list, 3, 500, 42, 500, 598);
    int32_t x, y, w, h;
    StatusBarRect(1000, 700, &x, &y, &w, &h);
    EXPECT_EQ(y, 640);
    EXPECT_EQ(h, 32);
    EXPECT_TRUE(SplitterPositionAllowed(&l.tree, &l.list, 850));
    EXPECT_FALSE(SplitterPositionAllowed(&l.tree, &l.list, 851));

    // Back at 96 DPI a layout of the same width keeps the splitter and takes
    // the 96-DPI bands and gap again.
    SetPaneLayoutDpi(96);
    l.Size(1000, 700);
    ExpectPane(l.tree, 2, 0, 21, 490, 649);
    ExpectPane(l.list, 3, 495, 21, 505, 649);
    ExpectPane(l.splitter, 4, 490, 21, 5, 649);
}

}  // namespace
