// An installation that fails half-way: a target file that cannot be
// replaced stops the unpacking with its entry's number; the progress dialog,
// top left at 395 x 80, stays open until it is closed, starts no second
// worker, and the run still ends with the links.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <optional>
#include <thread>

#include "registry.h"
#include "setup_machine_state.h"
#include "setup_package_bytes.h"
#include "setup_test_support.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class SetupFailureTest : public InstallerTest {
protected:
    // Starts setup.exe and installs into installDir up to the first message.
    // The folder holds files already, so setup asks about it first.
    std::optional<MessageBoxInfo> InstallUntilMessage(Process& setup, const fs::path& installDir)
    {
        HWND agreement = WaitForDialog(setup, kAgreementCaption);
        if (!agreement || !PressButton(agreement, IDOK))
            return std::nullopt;
        HWND destination = WaitForDialog(setup, kDestinationCaption);
        if (!destination || !SetControlText(GetDlgItem(destination, kInstallDirEdit), installDir.string()) ||
            !PressButton(destination, IDOK))
            return std::nullopt;
        if (!AnswerFolderQuestion(setup, installDir.string(), IDYES))
            return std::nullopt;
        return WaitForBox(setup);
    }
};

TEST_F(SetupFailureTest, ReadOnlyTargetStopsAtItsEntry)
{
    const Bytes installer = ReadBytes(SetupExe());
    auto package = ReadPackage(installer);
    ASSERT_TRUE(package);
    ASSERT_EQ(package->entries[3].destination, "HELP\\index.htm");

    // An earlier help page that may not be replaced.
    const fs::path installDir = TestRoot() / "Arcseal3";
    const fs::path locked = installDir / "Help" / "index.htm";
    fs::create_directories(locked.parent_path());
    WriteText(locked, "an earlier page");
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));

    Process& setup = Start(SetupExe());
    auto box = InstallUntilMessage(setup, installDir);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Error:(3439)");
    EXPECT_EQ(box->text, "Cannot create file from package 3.");

    HWND progress = WaitForProgressDialog(setup);
    ASSERT_TRUE(progress);
    RECT rect{};
    GetWindowRect(progress, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right - rect.left, 395);
    EXPECT_EQ(rect.bottom - rect.top, 80);
    EXPECT_EQ(TextOf(GetDlgItem(progress, IDC_EXTRACTING)), "Extracting...");
    HWND bar = GetDlgItem(progress, kProgressBar);
    DWORD_PTR value = 0;
    ASSERT_TRUE(SendMessageTimeoutA(bar, PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 2000, &value));
    EXPECT_EQ(value, 26u) << "one step per entry";
    ASSERT_TRUE(SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 2000, &value));
    EXPECT_EQ(value, 3u) << "three entries written";
    Screenshot("setup-progress-failure");

    // While the worker waits at its message, a second start command (Enter
    // on the dialog) must not start another one.
    PostCommand(progress, IDOK);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(Boxes(setup).size(), 1u);
    ASSERT_TRUE(PressButton(box->window, IDOK));
    ASSERT_TRUE(WaitUntilGone(box->window));
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(Boxes(setup).empty()) << "a second worker ran";
    EXPECT_TRUE(IsWindowVisible(progress)) << "the progress dialog closed after a failure";
    Screenshot("setup-progress");

    // What was written: the entries before the failure; the locked page is
    // as it was; nothing behind it.
    for (size_t i = 0; i < package->entries.size(); ++i) {
        const PackageEntryInfo& entry = package->entries[i];
        fs::path installed = InstalledPathOf(entry.destination, installDir);
        if (i < 3) {
            EXPECT_TRUE(ReadBytes(installed) == EntryData(installer, entry)) << installed;
        } else if (i > 3) {
            EXPECT_FALSE(fs::exists(installed)) << installed;
        }
    }
    EXPECT_EQ(ReadBytes(locked), Bytes({'a', 'n', ' ', 'e', 'a', 'r', 'l', 'i', 'e', 'r', ' ', 'p', 'a', 'g', 'e'}));

    // Closed by the user, the run goes on to the links and ends.
    PostMessageA(progress, WM_CLOSE, 0, 0);
    ASSERT_TRUE(EndsWithoutMessages(setup));
    EXPECT_TRUE(fs::exists(DesktopFolder() / "Arcseal3.lnk"));
    EXPECT_TRUE(fs::exists(ShortcutFolder() / "uninstall.lnk"));
    // The uninstall key was written first: the uninstaller can clean up.
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "RootInstallDir"), installDir.string());
}

// A program that holds its file open (a running disc builder, say) keeps the
// first entry from being written: nothing else is.
TEST_F(SetupFailureTest, FileInUseStopsAtTheFirstEntry)
{
    const fs::path installDir = TestRoot() / "Arcseal3";
    fs::create_directories(installDir);
    const fs::path busy = installDir / "Arcseal3.exe";
    WriteText(busy, "running");
    HANDLE held = CreateFileW(busy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    Process& setup = Start(SetupExe());
    auto box = InstallUntilMessage(setup, installDir);
    CloseHandle(held);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Error:(3439)");
    EXPECT_EQ(box->text, "Cannot create file from package 0.");
    ASSERT_TRUE(PressButton(box->window, IDOK));
    ASSERT_TRUE(WaitUntilGone(box->window));
    HWND progress = WaitForProgressDialog(setup);
    ASSERT_TRUE(progress);
    PostMessageA(progress, WM_CLOSE, 0, 0);
    ASSERT_TRUE(EndsWithoutMessages(setup));
    // The log names what was made before the failure (the package's default
    // directory, maybe), so that the uninstaller removes it.
    EXPECT_EQ(EntriesIn(installDir), (std::set<std::string>{"Arcseal3.exe", kInstallLogName}));
    EXPECT_EQ(ReadBytes(busy), Bytes({'r', 'u', 'n', 'n', 'i', 'n', 'g'}));
}

}  // namespace
}  // namespace e2e
