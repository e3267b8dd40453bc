// Background images in the formats a disc author uses start the viewer without
// any error, and the temporary files they pass through are gone afterwards.
// The disc asks for a password so that the splash screen, with the image on
// it, stays up for the screenshot.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "paths.h"
#include "viewer_test.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class BackgroundImageTest : public ViewerTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(BackgroundImageTest, LoadsWithoutErrorAndLeavesNoTemporaryFile)
{
    const fs::path image = DataDir() / GetParam();
    std::vector<std::wstring> options = {L"--background", image.wstring(), L"--password", L"pw"};
    // PNG pictures become bitmaps on the disc; the logo's transparent corners
    // show the background through them.
    if (image.extension() == ".png")
        options.insert(options.end(), {L"--logo", (DataDir() / "e2e-logo.png").wstring(), L"--logo-pos", L"top-centre"});
    BuiltDisc disc = BuildSampleDisc("disc", options);
    ASSERT_TRUE(disc.ok) << disc.output;

    const auto tempBefore = EntriesIn(TempFolder());
    const auto windowsBefore = EntriesIn(WindowsFolder());
    Process& viewer = StartViewer(disc.viewer);
    // No "OleLoad FAILED!" or "Error: (823409)" first: the dialog comes straight up.
    HWND dialog = WaitForPasswordDialog(viewer);
    ASSERT_TRUE(dialog);
    Screenshot("background-" + fs::path(GetParam()).extension().string().substr(1));

    ASSERT_TRUE(PressButton(dialog, IDCANCEL));
    EXPECT_TRUE(EndsQuietly(viewer));
    EXPECT_EQ(NewEntries(tempBefore, EntriesIn(TempFolder())), std::set<std::string>{});
    EXPECT_EQ(NewEntries(windowsBefore, EntriesIn(WindowsFolder())), std::set<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Formats, BackgroundImageTest,
                         ::testing::Values("e2e-back.bmp", "e2e-back.jpg", "e2e-back.gif", "e2e-back.png"),
                         [](const auto& info) { return fs::path(info.param).extension().string().substr(1); });

}  // namespace
}  // namespace e2e
