// The about box from the menu bar's "About": its caption, the build line
// "Build: H:MM:SS AM|PM <date>", and that only "Ok..." closes it (Escape and
// the close command do not); at 200 % its picture grows with the box.
#include <chrono>
#include <regex>
#include <thread>

#include "file_ops_fixture.h"
#include "input.h"
#include "remote_controls.h"
#include "screen_dpi.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

const std::string kAboutCaption = "About Arcseal  ver. 3.2";
constexpr int kBuildLineId = 1004;
constexpr int kPictureId = 1006;

class AboutBoxTest : public FileOpsTest {
protected:
    // Opens the box; the picture's width and height as parts of the box's
    // client area, and a screenshot. The box stays open.
    std::pair<double, double> PictureShare(const std::string& screenshot)
    {
        UseMenuBar({'A'});
        HWND about = WaitForDialog(kAboutCaption, 5s);
        if (!about) {
            ADD_FAILURE() << "\"About\" opened no \"" << kAboutCaption << "\"";
            return {};
        }
        ScreenshotOf(about, screenshot);
        RECT client{};
        GetClientRect(about, &client);
        const RECT picture = RectInParent(GetDlgItem(about, kPictureId));
        EXPECT_LE(picture.right, client.right) << "the picture runs past the box";
        return {double(picture.right - picture.left) / client.right, double(picture.bottom - picture.top) / client.bottom};
    }
};

TEST_F(AboutBoxTest, OpensFromTheMenuBarAndOnlyOkClosesIt)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc({}, {{"readme.txt", 10}}));
    UseMenuBar({'A'});
    HWND about = WaitForDialog(kAboutCaption, 5s);
    ASSERT_TRUE(about) << "\"About\" opened no \"" << kAboutCaption << "\"";
    ScreenshotOf(about, "about-box");

    // The compiler's time and date: hours 0 to 12, "AM" up to 12 o'clock;
    // "Mmm dd yyyy" with a blank before a one-digit day.
    const std::string line = TextOf(GetDlgItem(about, kBuildLineId));
    EXPECT_TRUE(std::regex_match(line, std::regex("Build: ([0-9]|1[0-2]):[0-5][0-9]:[0-5][0-9] (AM|PM) "
                                                  "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                                                  "[ 123][0-9] [0-9]{4}")))
        << line;

    // Escape (a real key on the box) and the close command leave it open.
    ClickCentre(GetDlgItem(about, kBuildLineId));
    PressKey(VK_ESCAPE);
    PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    std::this_thread::sleep_for(700ms);
    EXPECT_TRUE(IsWindow(about) && IsWindowVisible(about)) << "the about box closed without \"Ok...\"";

    HWND ok = GetDlgItem(about, IDOK);
    EXPECT_EQ(TextOf(ok), "Ok...");
    ClickCentre(ok);
    EXPECT_TRUE(WaitUntilGone(about, 5s)) << "\"Ok...\" did not close the about box";
    EXPECT_TRUE(NoMessageWithin(300ms));
}

TEST_F(AboutBoxTest, At200PercentThePictureGrowsWithTheBox)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc({}, {{"readme.txt", 10}}));
    const auto at100 = PictureShare("about-box-100");
    ASSERT_GT(at100.first, 0.5);
    viewer_->Kill();
    ScreenDpi screen(192);
    ASSERT_TRUE(screen.Applied());
    ASSERT_NO_FATAL_FAILURE(StartDisc());
    const auto at200 = PictureShare("about-box-200");
    // The dialog units' width and height grow by slightly different
    // factors; the picture keeps its shape.
    EXPECT_NEAR(at200.first, at100.first, 0.04);
    EXPECT_NEAR(at200.second, at100.second, 0.04);
}

}  // namespace
}  // namespace e2e
