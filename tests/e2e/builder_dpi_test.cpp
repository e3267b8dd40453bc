// Arcseal3.exe's window at 200 % (Wine's LogPixels 192) against 100 %: the
// dialog grows with its font (a raster face, which has no size of exactly
// twice), every control stays inside it, and the window stays on the screen.
#include "builder_fixture.h"
#include "remote_controls.h"
#include "screen_dpi.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

class BuilderDpiTest : public BuilderTest {
protected:
    // Starts the builder, checks its controls lie inside its client area,
    // takes the screenshot and closes it; the window's size.
    SIZE MeasureWindow(const std::string& screenshot)
    {
        StartBuilder();
        if (!window_)
            return {};
        RECT window{}, client{};
        GetWindowRect(window_, &window);
        GetClientRect(window_, &client);
        EXPECT_LE(window.bottom, GetSystemMetrics(SM_CYSCREEN)) << "the window runs off the screen";
        for (HWND control = GetWindow(window_, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            RECT inParent = RectInParent(control);
            EXPECT_TRUE(inParent.left >= 0 && inParent.top >= 0 && inParent.right <= client.right &&
                        inParent.bottom <= client.bottom)
                << "control " << GetDlgCtrlID(control) << " \"" << TextOf(control) << "\" sticks out";
        }
        ScreenshotOf(window_, screenshot);
        PostMessageA(window_, WM_CLOSE, 0, 0);
        EXPECT_TRUE(builder_->WaitForExit(10s)) << "the builder did not end";
        return {window.right - window.left, window.bottom - window.top};
    }
};

TEST_F(BuilderDpiTest, At200PercentTheWindowGrowsWithItsFont)
{
    const SIZE at100 = MeasureWindow("builder-window-100");
    ScreenDpi screen(192);
    ASSERT_TRUE(screen.Applied());
    const SIZE at200 = MeasureWindow("builder-window-200");
    EXPECT_GE(at200.cx * 10, at100.cx * 14) << at100.cx << " -> " << at200.cx;
    EXPECT_GE(at200.cy * 10, at100.cy * 14) << at100.cy << " -> " << at200.cy;
}

}  // namespace
}  // namespace e2e
