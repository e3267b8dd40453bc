// The main window at 200 % (Wine's LogPixels 192) against the same window at
// 100 %: the caption strips, the band above the panes, the gap, the status
// bar's band and the list's columns come out twice as large, and no column
// cuts its text short. WM_DPICHANGED, which Wine never sends, is sent by hand
// to a window started at 100 % and does the same, and back again.
#include <chrono>
#include <string>
#include <thread>

#include "main_window_disc.h"
#include "remote_buffer.h"
#include "screen_dpi.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

// What the window's sizes are, read from outside.
struct WindowSizes {
    int paneTop = 0;
    int gap = 0;
    int belowPanes = 0;
    int captionHeight = 0;
    std::vector<int> columns;

    bool operator==(const WindowSizes& other) const
    {
        return paneTop == other.paneTop && gap == other.gap && belowPanes == other.belowPanes &&
               captionHeight == other.captionHeight && columns == other.columns;
    }
};

class HighDpiTest : public MainWindowTest {
protected:
    // The viewer of the test disc started, its files listed, its sizes read.
    WindowSizes OpenAndMeasure()
    {
        OpenTestDisc();
        if (!main_)
            return {};
        ClickTreeLabel(kDiscLabel);
        EXPECT_TRUE(WaitUntil(2s, [&] { return ReadList(list_).size() == 8; })) << "the disc's files are not listed";
        return Measure();
    }

    WindowSizes Measure() const
    {
        MainWindowPanes panes = ReadPanes();
        WindowSizes sizes;
        sizes.paneTop = panes.tree.top;
        sizes.gap = panes.list.left - panes.tree.right;
        sizes.belowPanes = panes.client.bottom - panes.tree.bottom;
        sizes.captionHeight = CaptionHeight(panes);
        for (const ListColumn& column : ReadListColumns(list_))
            sizes.columns.push_back(column.width);
        EXPECT_GE(panes.status.top, panes.tree.bottom) << "the status bar covers the panes";
        return sizes;
    }

    // Black rows of the tree's caption strip, counted from the top of the client.
    int CaptionHeight(const MainWindowPanes& panes) const
    {
        POINT at{panes.tree.right - 30, 0};
        ClientToScreen(main_, &at);
        HDC screen = GetDC(nullptr);
        int rows = 0;
        while (rows < 200 && GetPixel(screen, at.x, at.y + rows) == RGB(0, 0, 0))
            ++rows;
        ReleaseDC(nullptr, screen);
        return rows;
    }

    // The list's own measure of a text in its font.
    int StringWidth(const std::string& text) const
    {
        RemoteBuffer buffer(list_, text.size() + 1);
        buffer.Write(0, text.c_str(), text.size() + 1);
        return (int)SendWithTimeout(list_, LVM_GETSTRINGWIDTHA, 0, (LPARAM)buffer.At()).value_or(0);
    }

    // Every column holds its widest text (and its title) with a margin, the
    // first also the icon before the name: sizes at 96 DPI scaled to dpi.
    void ExpectNothingCutShort(int dpi) const
    {
        std::vector<ListColumn> columns = ReadListColumns(list_);
        std::vector<ListRow> rows = ReadList(list_);
        for (size_t i = 0; i < columns.size(); ++i) {
            int widest = StringWidth(columns[i].title);
            for (const ListRow& row : rows)
                widest = std::max(widest, StringWidth(row.cells[i]));
            const int needed = widest + 6 * dpi / 96 + (i == 0 ? 16 * dpi / 96 : 0);
            EXPECT_GE(columns[i].width, needed) << "column " << columns[i].title << " at " << dpi << " DPI";
        }
    }

    // WM_DPICHANGED as Windows sends it, suggesting the window's own rectangle.
    void SendDpiChanged(int dpi)
    {
        RECT rect{};
        GetWindowRect(main_, &rect);
        RemoteBuffer buffer(main_, sizeof rect);
        buffer.Put(0, rect);
        EXPECT_TRUE(SendWithTimeout(main_, 0x02E0, MAKEWPARAM(dpi, dpi), (LPARAM)buffer.At()));
    }
};

void ExpectTwice(const WindowSizes& at100, const WindowSizes& at200)
{
    EXPECT_EQ(at200.paneTop, 2 * at100.paneTop);
    EXPECT_EQ(at200.gap, 2 * at100.gap);
    EXPECT_EQ(at200.belowPanes, 2 * at100.belowPanes);
    EXPECT_NEAR(at200.captionHeight, 2 * at100.captionHeight, 1);
    ASSERT_EQ(at200.columns.size(), at100.columns.size());
    // Text is hinted differently at each size: about, not exactly, twice.
    for (size_t i = 0; i < at100.columns.size(); ++i) {
        EXPECT_GE(at200.columns[i], at100.columns[i] * 17 / 10) << "column " << i;
        EXPECT_LE(at200.columns[i], at100.columns[i] * 23 / 10) << "column " << i;
    }
}

TEST_F(HighDpiTest, At200PercentTheWindowIsLaidOutTwiceAsLarge)
{
    const WindowSizes at100 = OpenAndMeasure();
    ASSERT_TRUE(main_);
    EXPECT_EQ(at100.paneTop, 21);
    EXPECT_EQ(at100.captionHeight, 19);
    ExpectNothingCutShort(96);
    Screenshot("main-window-100");
    PostMessageA(main_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(viewer_->WaitForExit(5s)) << "the viewer at 100 % did not end";

    ScreenDpi screen(192);
    ASSERT_TRUE(screen.Applied());
    const WindowSizes at200 = OpenAndMeasure();
    ASSERT_TRUE(main_);
    ExpectTwice(at100, at200);
    ExpectNothingCutShort(192);
    Screenshot("main-window-200");
}

TEST_F(HighDpiTest, DpiChangedLaysTheWindowOutAgainAndBack)
{
    const WindowSizes before = OpenAndMeasure();
    ASSERT_TRUE(main_);

    SendDpiChanged(192);
    const WindowSizes at200 = Measure();
    ExpectTwice(before, at200);
    // The columns follow the DPI exactly; the list's font grew with them.
    for (size_t i = 0; i < before.columns.size(); ++i)
        EXPECT_EQ(at200.columns[i], 2 * before.columns[i]) << "column " << i;
    ExpectNothingCutShort(192);

    SendDpiChanged(96);
    EXPECT_TRUE(Measure() == before) << "the window is not laid out as before";
}

}  // namespace
}  // namespace e2e
