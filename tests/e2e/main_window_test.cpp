// The way into the main window: after the splash alone, or after the password
// and the licence agreement; declining the licence or cancelling the password
// ends the viewer without it. The window is "Viewer" of class ScreenTwoClass,
// maximised, with its status bar, folder tree and file list.
#include <chrono>

#include "input.h"
#include "main_window_disc.h"
#include "mouse.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kSplashClass = SPLASH_WINDOW_CLASS;
const std::string kLicenceCaption = "End User Licence Agreement";
const std::wstring kPassword = L"Viewer-Key 9";
const int kPasswordEdit = IDC_PASSWORD_EDIT;
const int kLicenceText = IDC_EULA_TEXT;
const int kAccept = IDOK;
const int kDecline = IDCANCEL;

// UTF-8 in the file; the viewer shows it in code page 1252.
const std::string kLicenceFileText = "Licence for the D\xC3\xA9mo disc.\r\nRead it, then decide.\r\n";
const std::string kLicenceShown = "Licence for the D\xE9mo disc.\r\nRead it, then decide.\r\n";

class MainWindowStartTest : public MainWindowTest {
protected:
    BuiltDisc BuildDiscWithLicence(bool withPassword)
    {
        fs::path licence = Scratch() / "licence.txt";
        WriteText(licence, kLicenceFileText);
        std::vector<std::wstring> options = {L"--eula", licence.wstring()};
        if (withPassword)
            options.insert(options.end(), {L"--password", kPassword});
        return BuildTestDisc(options);
    }

    HWND WaitForLicenceDialog(Process& viewer)
    {
        HWND dialog = WaitForWindow(viewer.Id(), kMessageBoxClass, kLicenceCaption);
        if (!dialog) {
            auto boxes = MessageBoxesOf(viewer.Id());
            ADD_FAILURE() << "no licence dialog"
                          << (boxes.empty() ? std::string() : ", but message box \"" + boxes.front().text + "\"");
        }
        return dialog;
    }

    void TypePassword(HWND dialog)
    {
        ClickCentre(GetDlgItem(dialog, kPasswordEdit));
        TypeText(kPassword);
        ClickCentre(GetDlgItem(dialog, IDOK));
    }
};

TEST_F(MainWindowStartTest, WithoutPasswordOrLicenceTheMainWindowFollowsTheSplash)
{
    BuiltDisc disc = BuildTestDisc();
    ASSERT_TRUE(disc.ok) << disc.output;
    Process& viewer = StartViewer(disc.viewer);

    HWND splash = WaitForWindow(viewer.Id(), kSplashClass, std::nullopt, 5s);
    EXPECT_TRUE(splash) << "no splash screen before the main window";
    HWND main = WaitForMainWindow(viewer);
    ASSERT_TRUE(main);
    EXPECT_TRUE(!splash || WaitUntilGone(splash, 2s)) << "the splash screen stays up over the main window";

    EXPECT_EQ(ClassNameOf(main), "ScreenTwoClass");
    EXPECT_EQ(TextOf(main), "Viewer");
    EXPECT_TRUE(IsZoomed(main)) << "the main window is not maximised";
    EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & WS_OVERLAPPEDWINDOW, (LONG)WS_OVERLAPPEDWINDOW);

    // Other parts of the viewer find the controls by these identifiers.
    EXPECT_EQ(ClassNameOf(GetDlgItem(main, IDC_STATUS_BAR)), "msctls_statusbar32");
    HWND tree = GetDlgItem(main, IDC_FOLDER_TREE);
    EXPECT_EQ(ClassNameOf(tree), "SysTreeView32");
    EXPECT_EQ(GetWindowLongA(tree, GWL_STYLE) & (TVS_HASBUTTONS | TVS_HASLINES), TVS_HASBUTTONS | TVS_HASLINES);
    HWND list = GetDlgItem(main, IDC_FILE_LIST);
    EXPECT_EQ(ClassNameOf(list), "SysListView32");
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);

    EXPECT_TRUE(FinishesStartUpCleanly(viewer)) << "closing the main window should end the viewer";
}

TEST_F(MainWindowStartTest, PasswordThenAcceptedLicenceOpenTheMainWindow)
{
    BuiltDisc disc = BuildDiscWithLicence(true);
    ASSERT_TRUE(disc.ok) << disc.output;
    Process& viewer = StartViewer(disc.viewer);
    HWND password = WaitForPasswordDialog(viewer);
    ASSERT_TRUE(password);
    EXPECT_FALSE(WaitForWindow(viewer.Id(), kMessageBoxClass, kLicenceCaption, 0ms))
        << "the licence is shown before the password is given";
    TypePassword(password);

    HWND licence = WaitForLicenceDialog(viewer);
    ASSERT_TRUE(licence);
    EXPECT_EQ(TextOf(GetDlgItem(licence, kLicenceText)), kLicenceShown);
    EXPECT_EQ(TextOf(GetDlgItem(licence, kAccept)), "I accept this agreement >>");
    EXPECT_EQ(TextOf(GetDlgItem(licence, kDecline)), "Decline");
    EXPECT_FALSE(WaitForWindow(viewer.Id(), kMainWindowClass, std::nullopt, 0ms))
        << "the main window opened before the licence was accepted";
    Screenshot("licence");

    ClickCentre(GetDlgItem(licence, kAccept));
    HWND main = WaitForMainWindow(viewer);
    ASSERT_TRUE(main);
    EXPECT_TRUE(IsZoomed(main));
    EXPECT_TRUE(FinishesStartUpCleanly(viewer));
}

TEST_F(MainWindowStartTest, DecliningTheLicenceEndsTheViewer)
{
    BuiltDisc disc = BuildDiscWithLicence(false);
    ASSERT_TRUE(disc.ok) << disc.output;
    Process& viewer = StartViewer(disc.viewer);
    HWND licence = WaitForLicenceDialog(viewer);
    ASSERT_TRUE(licence);
    ClickCentre(GetDlgItem(licence, kDecline));
    EXPECT_TRUE(EndsQuietly(viewer));
}

TEST_F(MainWindowStartTest, EscapeDeclinesTheLicence)
{
    BuiltDisc disc = BuildDiscWithLicence(false);
    ASSERT_TRUE(disc.ok) << disc.output;
    Process& viewer = StartViewer(disc.viewer);
    HWND licence = WaitForLicenceDialog(viewer);
    ASSERT_TRUE(licence);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(EndsQuietly(viewer));
}

TEST_F(MainWindowStartTest, CancelledPasswordSkipsTheLicence)
{
    BuiltDisc disc = BuildDiscWithLicence(true);
    ASSERT_TRUE(disc.ok) << disc.output;
    Process& viewer = StartViewer(disc.viewer);
    HWND password = WaitForPasswordDialog(viewer);
    ASSERT_TRUE(password);
    ClickCentre(GetDlgItem(password, IDCANCEL));
    EXPECT_FALSE(WaitForWindow(viewer.Id(), kMessageBoxClass, kLicenceCaption, 2s))
        << "the licence was shown after the password was cancelled";
    EXPECT_TRUE(EndsQuietly(viewer));
}

}  // namespace
}  // namespace e2e
