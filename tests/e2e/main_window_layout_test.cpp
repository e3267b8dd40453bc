// The main window's layout and its splitter, with the real mouse: the panes
// fill the band between the caption strips (21 px) and the bottom 30 px, where
// the status bar goes; a drag of the 5-px gap puts the tree's right edge where the
// button is released, within limits; a change of the window's width centres
// the gap again, a change of its height alone keeps it.
#include <chrono>
#include <string>
#include <thread>

#include "main_window_disc.h"
#include "mouse.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kPaneTop = 21;
constexpr int kBelowPanes = 30;  // client height minus pane bottom
constexpr int kGap = 5;
constexpr int kListMinimum = 70;

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

COLORREF ScreenPixel(POINT screen)
{
    HDC dc = GetDC(nullptr);
    COLORREF colour = GetPixel(dc, screen.x, screen.y);
    ReleaseDC(nullptr, dc);
    return colour;
}

class LayoutTest : public MainWindowTest {
protected:
    // Checks the whole layout for a splitter whose gap starts at gapX.
    void ExpectLayout(int gapX)
    {
        MainWindowPanes panes = ReadPanes();
        const int width = panes.client.right;
        const int height = panes.client.bottom;
        SCOPED_TRACE("client " + std::to_string(width) + " x " + std::to_string(height) + ", gap at " +
                     std::to_string(gapX));
        EXPECT_EQ(panes.tree.left, 0);
        EXPECT_EQ(panes.tree.top, kPaneTop);
        EXPECT_EQ(Width(panes.tree), gapX);
        EXPECT_EQ(panes.tree.bottom, height - kBelowPanes);
        EXPECT_EQ(panes.list.left, gapX + kGap);
        EXPECT_EQ(panes.list.top, kPaneTop);
        EXPECT_EQ(panes.list.right, width);
        EXPECT_EQ(panes.list.bottom, height - kBelowPanes);
        // The status bar is put right below the panes; the common control then
        // docks itself to the bottom edge at its own height.
        EXPECT_EQ(panes.status.left, 0);
        EXPECT_GE(panes.status.top, height - kBelowPanes);
        EXPECT_EQ(panes.status.bottom, height);
    }

    int TreeWidth() const { return Width(ReadPanes().tree); }

    // True once the tree has that width (a drag or resize is applied).
    bool WaitForTreeWidth(int width)
    {
        return WaitUntil(2s, [&] { return TreeWidth() == width; });
    }

    // A point in the gap, halfway down the panes, in client coordinates.
    POINT InGap() const
    {
        MainWindowPanes panes = ReadPanes();
        return {panes.tree.right + 2, (panes.tree.top + panes.tree.bottom) / 2};
    }

    POINT OnScreen(POINT client) const { return ScreenPoint(main_, client); }

    // The drag bar the viewer shows while the button is held.
    HWND DragBar() const { return WaitForWindow(viewer_->Id(), "SplitterWnd", std::nullopt, 1s); }

    // Resizes the window from outside; posted, so a busy viewer cannot block the test.
    bool ResizeClientTo(int width, int height)
    {
        RECT window{}, client{};
        GetWindowRect(main_, &window);
        GetClientRect(main_, &client);
        int frameWidth = Width(window) - client.right;
        int frameHeight = Height(window) - client.bottom;
        SetWindowPos(main_, nullptr, 0, 0, width + frameWidth, height + frameHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        return WaitUntil(2s, [&] {
            RECT now{};
            GetClientRect(main_, &now);
            return now.right == width && now.bottom == height;
        });
    }
};

TEST_F(LayoutTest, PanesFillTheBandBetweenCaptionStripsAndStatusBar)
{
    ASSERT_NO_FATAL_FAILURE(OpenTestDisc());
    ASSERT_TRUE(IsZoomed(main_));
    const int width = ReadPanes().client.right;
    ExpectLayout(width / 2 - kGap);

    // The caption strips: black fills above both panes, the gap in the
    // window's background colour.
    MainWindowPanes panes = ReadPanes();
    EXPECT_EQ(ScreenPixel(OnScreen({panes.tree.right - 20, 9})), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(OnScreen({panes.list.right - 20, 9})), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(OnScreen(InGap())), GetSysColor(COLOR_BTNFACE));
}

TEST_F(LayoutTest, DraggingTheGapMovesItWhereTheButtonIsReleased)
{
    ASSERT_NO_FATAL_FAILURE(OpenTestDisc());
    // Files listed, for the screenshots.
    ClickTreeLabel(kDiscLabel);
    ASSERT_TRUE(WaitUntil(2s, [&] { return !ReadList(list_).empty(); }));
    const MainWindowPanes before = ReadPanes();
    const POINT start = InGap();
    const int target = 300;

    PressLeftAt(OnScreen(start));
    for (int x = start.x; x > target; x -= 40)
        MoveMouseTo(OnScreen({x, start.y}));
    MoveMouseTo(OnScreen({target, start.y}));

    // While the button is held only the drag bar moves.
    HWND bar = DragBar();
    EXPECT_TRUE(bar) << "no drag bar while dragging";
    if (bar) {
        RECT barRect{};
        GetWindowRect(bar, &barRect);
        POINT expectedCorner = OnScreen({target, kPaneTop});
        EXPECT_EQ(barRect.left, expectedCorner.x);
        EXPECT_EQ(barRect.top, expectedCorner.y);
        EXPECT_EQ(Width(barRect), kGap);
        EXPECT_EQ(Height(barRect), Height(before.tree));
    }
    EXPECT_EQ(Width(ReadPanes().tree), Width(before.tree)) << "the panes moved before the release";
    Screenshot("splitter-dragging");
    ReleaseLeft();

    EXPECT_TRUE(WaitForTreeWidth(target));
    ExpectLayout(target);
    EXPECT_TRUE(!bar || WaitUntilGone(bar, 2s)) << "the drag bar stays after the release";
    // The caption strips follow the panes.
    MainWindowPanes after = ReadPanes();
    EXPECT_EQ(ScreenPixel(OnScreen({after.tree.right - 20, 9})), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(OnScreen({after.list.left + 80, 9})), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(OnScreen(InGap())), GetSysColor(COLOR_BTNFACE));
    Screenshot("splitter-dragged");
}

TEST_F(LayoutTest, DraggingToTheLeftEdgeLeavesNoTree)
{
    ASSERT_NO_FATAL_FAILURE(OpenTestDisc());
    const POINT start = InGap();
    DragMouse(OnScreen(start), OnScreen({0, start.y}), 10);
    EXPECT_TRUE(WaitForTreeWidth(0));
    ExpectLayout(0);
}

TEST_F(LayoutTest, DraggingPastTheRightLimitKeepsTheListSeventyPixelsWide)
{
    ASSERT_NO_FATAL_FAILURE(OpenTestDisc());
    const int width = ReadPanes().client.right;
    const int limit = width - kListMinimum - kGap;
    const POINT start = InGap();

    PressLeftAt(OnScreen(start));
    for (int x : {limit - 100, limit, limit + 1, limit + 30, width - 2})
        MoveMouseTo(OnScreen({x, start.y}));
    ReleaseLeft();

    EXPECT_TRUE(WaitForTreeWidth(limit));
    ExpectLayout(limit);
    EXPECT_EQ(Width(ReadPanes().list), kListMinimum);
}

// The grip is one pixel wider and one row taller than the gap. Along the
// panes the column right of the gap is the list's border, which takes a press
// itself; in the row right below the panes it is the window's own.
TEST_F(LayoutTest, TheGripReachesOneColumnRightOfTheGapAndOneRowBelowThePanes)
{
    ASSERT_NO_FATAL_FAILURE(OpenTestDisc());
    const int firstRowBelow = ReadPanes().tree.bottom;
    struct Press {
        int dx;  // from the gap's left edge
        int y;
        bool drags;
    };
    const Press presses[] = {
        {kGap, firstRowBelow, true},      {kGap + 1, firstRowBelow, false}, {2, firstRowBelow + 1, false},
        {2, kPaneTop, true},              {2, kPaneTop - 1, false},
    };
    for (const Press& press : presses) {
        const int gapX = TreeWidth();
        const POINT start{gapX + press.dx, press.y};
        SCOPED_TRACE("press at " + std::to_string(start.x) + ", " + std::to_string(start.y) + " with the gap at " +
                     std::to_string(gapX));
        ASSERT_EQ(WindowFromPoint(OnScreen(start)), main_) << "the press would land on a control";
        const int target = gapX > 400 ? gapX - 100 : gapX + 100;
        DragMouse(OnScreen(start), OnScreen({target, start.y}), 6);
        if (press.drags) {
            EXPECT_TRUE(WaitForTreeWidth(target)) << "no drag";
        } else {
            std::this_thread::sleep_for(300ms);
            EXPECT_EQ(TreeWidth(), gapX) << "a drag started outside the grip";
        }
    }
}

TEST_F(LayoutTest, ReleasingWithoutMovingKeepsTheLayoutAndTheNextDragWorks)
{
    ASSERT_NO_FATAL_FAILURE(OpenTestDisc());
    const int gapX = TreeWidth();
    const POINT start = InGap();
    ClickAt(OnScreen(start));
    std::this_thread::sleep_for(200ms);
    ExpectLayout(gapX);

    DragMouse(OnScreen(start), OnScreen({350, start.y}), 8);
    EXPECT_TRUE(WaitForTreeWidth(350));
    ExpectLayout(350);

    // A drag that loses the mouse to another window (the system cancels the
    // capture, as it does for a window that pops up) ends where it is: the
    // bar goes, the layout follows, and moves after it change nothing.
    const POINT again = InGap();
    PressLeftAt(OnScreen(again));
    MoveMouseTo(OnScreen({300, again.y}));
    MoveMouseTo(OnScreen({250, again.y}));
    HWND bar = DragBar();
    ASSERT_TRUE(bar) << "no drag bar while dragging";
    PostMessageA(main_, WM_CANCELMODE, 0, 0);
    EXPECT_TRUE(WaitUntilGone(bar, 2s)) << "the drag bar stayed after the capture was lost";
    EXPECT_TRUE(WaitForTreeWidth(250));
    MoveMouseTo(OnScreen({400, again.y}));
    ReleaseLeft();
    std::this_thread::sleep_for(200ms);
    ExpectLayout(250);
}

TEST_F(LayoutTest, WidthChangeCentresTheGapHeightChangeKeepsIt)
{
    ASSERT_NO_FATAL_FAILURE(OpenTestDisc());
    POINT start = InGap();
    DragMouse(OnScreen(start), OnScreen({300, start.y}), 8);
    ASSERT_TRUE(WaitForTreeWidth(300));

    // Restoring from maximised changes the width.
    ShowWindowAsync(main_, SW_RESTORE);
    ASSERT_TRUE(WaitUntil(2s, [&] { return !IsZoomed(main_); }));
    ASSERT_TRUE(WaitUntil(2s, [&] { return TreeWidth() != 300; }));
    ExpectLayout(ReadPanes().client.right / 2 - kGap);

    ASSERT_TRUE(ResizeClientTo(900, 600));
    ExpectLayout(900 / 2 - kGap);
    start = InGap();
    DragMouse(OnScreen(start), OnScreen({200, start.y}), 8);
    ASSERT_TRUE(WaitForTreeWidth(200));

    ASSERT_TRUE(ResizeClientTo(900, 500));
    ExpectLayout(200);

    // An odd width: the half is rounded down.
    ASSERT_TRUE(ResizeClientTo(1023, 500));
    ExpectLayout(506);
    EXPECT_EQ(ReadPanes().list.left, 511);
    EXPECT_EQ(Width(ReadPanes().list), 512);

    ShowWindowAsync(main_, SW_MAXIMIZE);
    ASSERT_TRUE(WaitUntil(2s, [&] { return IsZoomed(main_) && TreeWidth() != 506; }));
    ExpectLayout(ReadPanes().client.right / 2 - kGap);
}

}  // namespace
}  // namespace e2e
