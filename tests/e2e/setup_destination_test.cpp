// The installer's two questions: cancelling either leaves nothing behind; an
// installation directory the package's files cannot be written under, or a
// drive or the Windows folder, is refused with a message while the
// destination dialog stays open; a folder that holds other files is asked about.
#include <filesystem>
#include <thread>

#include "setup_machine_state.h"
#include "setup_package_bytes.h"
#include "setup_test_support.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class SetupDestinationTest : public InstallerTest {
protected:
    // Starts setup.exe and accepts the agreement; null with a failure when
    // the destination dialog does not follow.
    HWND OpenDestinationDialog()
    {
        setup_ = &Start(SetupExe());
        HWND agreement = WaitForDialog(*setup_, kAgreementCaption);
        if (!agreement || !PressButton(agreement, IDOK))
            return nullptr;
        return WaitForDialog(*setup_, kDestinationCaption);
    }

    // Types a directory, presses "Next >>" and answers the message that
    // follows; the message's text, with a failure when none came.
    std::string RefusalOf(HWND destination, const std::string& typed)
    {
        EXPECT_TRUE(SetControlText(GetDlgItem(destination, kInstallDirEdit), typed));
        EXPECT_TRUE(PressButton(destination, IDOK));
        auto box = WaitForBox(*setup_);
        if (!box)
            return {};
        EXPECT_EQ(box->caption, "Error:");
        EXPECT_TRUE(PressButton(box->window, IDOK));
        EXPECT_TRUE(WaitUntilGone(box->window));
        return box->text;
    }

    // The length of the longest target path of the package beyond the
    // installation directory: "dir" + "\name" (ROOT), "\Help\\name" (HELP),
    // "\Help\images\\name" (IMAGES).
    size_t LongestTail()
    {
        auto package = ReadPackage(ReadBytes(SetupExe()));
        size_t longest = 0;
        for (const PackageEntryInfo& entry : package->entries) {
            const std::string& destination = entry.destination;
            size_t tail = destination.rfind("ROOT", 0) == 0   ? destination.size() - 4
                          : destination.rfind("HELP", 0) == 0 ? destination.size() - 4 + 6
                                                               : destination.size() - 6 + 13;
            longest = std::max(longest, tail);
        }
        return longest;
    }

    Process* setup_ = nullptr;
};

TEST_F(SetupDestinationTest, CancelInTheAgreementLeavesNothing)
{
    Process& setup = Start(SetupExe());
    HWND agreement = WaitForDialog(setup, kAgreementCaption);
    ASSERT_TRUE(agreement);
    ASSERT_TRUE(PressButton(agreement, IDCANCEL));
    ASSERT_TRUE(EndsWithoutMessages(setup));
    EXPECT_TRUE(NothingInstalled({DefaultInstallDir()}));
}

TEST_F(SetupDestinationTest, ClosingTheAgreementLeavesNothing)
{
    Process& setup = Start(SetupExe());
    HWND agreement = WaitForDialog(setup, kAgreementCaption);
    ASSERT_TRUE(agreement);
    PostMessageA(agreement, WM_CLOSE, 0, 0);
    ASSERT_TRUE(EndsWithoutMessages(setup));
    EXPECT_TRUE(NothingInstalled({DefaultInstallDir()}));
}

TEST_F(SetupDestinationTest, CancelInTheDestinationDialogLeavesNothing)
{
    HWND destination = OpenDestinationDialog();
    ASSERT_TRUE(destination);
    ASSERT_TRUE(PressButton(destination, IDCANCEL));
    ASSERT_TRUE(EndsWithoutMessages(*setup_));
    EXPECT_TRUE(NothingInstalled({DefaultInstallDir()}));
}

TEST_F(SetupDestinationTest, UnusableDirectoriesAreRefusedAndTheDialogStays)
{
    const auto driveBefore = EntriesIn("C:\\");
    HWND destination = OpenDestinationDialog();
    ASSERT_TRUE(destination);
    const std::string notOwnFolder = "Arcseal3 cannot be installed into ";
    const std::string mustBeFull = "Please type the full path of the folder, beginning with its drive";
    const std::string notUsable = "This is not a folder name Windows can use";
    const struct {
        std::string typed;
        std::string message;
    } cases[] = {
        {"", "Please type the folder to install Arcseal3 to."},
        {"Arcseal3", mustBeFull},
        {"c:Arcseal3", mustBeFull},
        {"\\Arcseal3", mustBeFull},
        {"\\\\server\\share\\Arcseal3", mustBeFull},
        {"c:\\Arc|seal3", notUsable},
        {"c:\\Program Files\\..\\Arcseal3", notUsable},
        {"c:\\Arcseal3.\\", notUsable},
        {"c:\\con\\Arcseal3", notUsable},
        {"c:\\" + std::string(300, 'a'), "The folder name is too long"},
        {"c:\\", notOwnFolder + "c:\\: it is a drive, the Windows folder or the system folder"},
        {"C:\\\\", notOwnFolder},
        {WindowsFolder().string(), notOwnFolder},
        {(WindowsFolder() / "system32").string() + "\\", notOwnFolder},
    };
    for (const auto& refused : cases) {
        SCOPED_TRACE("typed: \"" + refused.typed + "\"");
        std::string text = RefusalOf(destination, refused.typed);
        EXPECT_EQ(text.rfind(refused.message, 0), 0u) << text;
        EXPECT_TRUE(IsWindowVisible(destination)) << "the destination dialog closed";
    }
    ASSERT_TRUE(PressButton(destination, IDCANCEL));
    ASSERT_TRUE(EndsWithoutMessages(*setup_));
    EXPECT_TRUE(NothingInstalled({DefaultInstallDir()}));
    EXPECT_EQ(EntriesIn("C:\\"), driveBefore) << "something was written into the drive";
}

// No to the question about a folder of the user's keeps the dialog open and
// the folder as it was.
TEST_F(SetupDestinationTest, FolderWithOtherFilesIsAskedAbout)
{
    const fs::path folder = TestRoot() / "Mine";
    fs::create_directories(folder / "Sub");
    WriteText(folder / "Sub" / "mine.txt", "mine");
    HWND destination = OpenDestinationDialog();
    ASSERT_TRUE(destination);
    ASSERT_TRUE(SetControlText(GetDlgItem(destination, kInstallDirEdit), folder.string()));
    ASSERT_TRUE(PressButton(destination, IDOK));
    ASSERT_TRUE(AnswerFolderQuestion(*setup_, folder.string(), IDNO));
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(IsWindowVisible(destination)) << "the destination dialog closed";
    ASSERT_TRUE(PressButton(destination, IDCANCEL));
    ASSERT_TRUE(EndsWithoutMessages(*setup_));
    EXPECT_EQ(EntriesIn(folder), (std::set<std::string>{"Sub"}));
    EXPECT_TRUE(NothingInstalled({DefaultInstallDir()}));
}

// A directory one character too long for the deepest file is refused with the
// limit; at the limit, the deepest path has exactly 255 characters and the
// installation succeeds.
TEST_F(SetupDestinationTest, LongestDirectoryTheFilesFitUnder)
{
    const size_t limit = 255 - LongestTail();
    const std::string base = TestRoot().string() + "\\";
    const std::string atLimit = base + std::string(limit - base.size(), 'd');
    ASSERT_EQ(atLimit.size(), limit);

    HWND destination = OpenDestinationDialog();
    ASSERT_TRUE(destination);
    std::string text = RefusalOf(destination, atLimit + "d");
    EXPECT_EQ(text, "The folder name is too long: with the files Arcseal3 puts into it, it may have at most " +
                        std::to_string(limit) + " characters.");
    ASSERT_TRUE(SetControlText(GetDlgItem(destination, kInstallDirEdit), atLimit));
    ASSERT_TRUE(PressButton(destination, IDOK));
    ASSERT_TRUE(EndsFinished(*setup_, atLimit));
    EXPECT_TRUE(fs::is_regular_file(fs::path(atLimit) / "Help" / "images" / "main-window.jpg"));
    EXPECT_TRUE(fs::is_regular_file(fs::path(atLimit) / "arcs3uninst.exe"));
}

}  // namespace
}  // namespace e2e
