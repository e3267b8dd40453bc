#include "setup_test_support.h"

#include <cctype>
#include <thread>

#include "paths.h"
#include "registry.h"
#include "screenshot.h"
#include "setup_machine_state.h"

namespace e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

fs::path SetupExe() { return ProgramDir() / "setup.exe"; }
fs::path SetupStubExe() { return ProgramDir() / "setup-stub.exe"; }
fs::path UninstallerExe() { return ProgramDir() / "arcs3uninst.exe"; }

static std::string AfterPrefix(const std::string& destination, const std::string& prefix)
{
    return destination.substr(prefix.size() + 1);  // the prefix and its backslash
}

fs::path SourceOf(const std::string& destination)
{
    if (destination == "ROOT\\Arcseal3.exe")
        return ProgramDir() / "Arcseal3.exe";
    if (destination == "ROOT\\arcs3uninst.exe")
        return ProgramDir() / "arcs3uninst.exe";
    if (destination == "ROOT\\discview.dll")
        return ProgramDir() / "discview.exe";
    if (destination.rfind("HELP\\", 0) == 0)
        return fs::path(E2E_SETUP_HELP_DIR).make_preferred() / AfterPrefix(destination, "HELP");
    if (destination.rfind("IMAGES\\", 0) == 0)
        return fs::path(E2E_SETUP_IMAGES_DIR).make_preferred() / AfterPrefix(destination, "IMAGES");
    return {};
}

fs::path InstalledPathOf(const std::string& destination, const fs::path& installDir)
{
    if (destination.rfind("ROOT\\", 0) == 0)
        return installDir / AfterPrefix(destination, "ROOT");
    if (destination.rfind("HELP\\", 0) == 0)
        return installDir / "Help" / AfterPrefix(destination, "HELP");
    if (destination.rfind("IMAGES\\", 0) == 0)
        return installDir / "Help" / "images" / AfterPrefix(destination, "IMAGES");
    return {};
}

// Suite and test name as one folder or file name (parameterised names hold '/').
static std::string CurrentTestName()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (!isalnum((unsigned char)c) && c != '.' && c != '-' && c != '_')
            c = '_';
    }
    return name;
}

static void RemoveFolder(const fs::path& folder)
{
    std::error_code ignored;
    ClearReadOnly(folder);
    fs::remove_all(folder, ignored);
}

void InstallerTest::SetUp()
{
    scratch_ = std::make_unique<ScratchDir>(CurrentTestName());
    // Left over from a run that was killed half-way.
    RemoveInstallationTraces();
    RemoveFolder(TestRoot());
    defaultParentExisted_ = fs::exists(DefaultParentDir());
}

void InstallerTest::TearDown()
{
    if (HasFailure())
        Screenshot("failed-" + CurrentTestName());
    processes_.clear();
    RemoveInstallationTraces();
    RemoveFolder(TestRoot());
    std::error_code ignored;
    fs::remove(TestRoot().parent_path(), ignored);  // when no other test's folder is left there
    if (!defaultParentExisted_)
        RemoveFolder(DefaultParentDir());
    scratch_.reset();
}

fs::path InstallerTest::TestRoot() const
{
    return fs::path("C:\\arcseal-e2e") / CurrentTestName();
}

fs::path InstallerTest::WriteInstaller(const std::string& name, const Bytes& bytes)
{
    fs::path folder = Scratch() / name;
    fs::create_directories(folder);
    WriteBytes(folder / "setup.exe", bytes);
    return folder / "setup.exe";
}

Process& InstallerTest::Start(const fs::path& exe)
{
    processes_.push_back(std::make_unique<Process>(exe, L"", exe.parent_path()));
    return *processes_.back();
}

Process& InstallerTest::Adopt(DWORD processId)
{
    processes_.push_back(std::make_unique<Process>(processId));
    return *processes_.back();
}

std::vector<MessageBoxInfo> InstallerTest::Boxes(const Process& process) const
{
    // The agreement and destination dialogs have a static of id 0xFFFF too;
    // a window being destroyed answers with empty texts.
    std::vector<MessageBoxInfo> boxes;
    for (const MessageBoxInfo& box : MessageBoxesOf(process.Id())) {
        bool dialog = box.caption == kAgreementCaption || box.caption == kDestinationCaption;
        bool vanishing = box.caption.empty() && box.text.empty();
        if (!dialog && !vanishing)
            boxes.push_back(box);
    }
    return boxes;
}

static std::string Describe(const MessageBoxInfo& box)
{
    return "message box \"" + box.caption + "\": \"" + box.text + "\"";
}

std::optional<MessageBoxInfo> InstallerTest::WaitForBox(const Process& process, std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        auto boxes = Boxes(process);
        if (!boxes.empty())
            return boxes.front();
        if (std::chrono::steady_clock::now() >= deadline) {
            ADD_FAILURE() << "no message box appeared";
            return std::nullopt;
        }
        std::this_thread::sleep_for(20ms);
    }
}

HWND InstallerTest::WaitForDialog(const Process& process, const std::string& caption)
{
    auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
    for (;;) {
        auto boxes = Boxes(process);
        if (!boxes.empty()) {
            ADD_FAILURE() << "instead of \"" << caption << "\", a " << Describe(boxes.front());
            return nullptr;
        }
        if (HWND dialog = WaitForWindow(process.Id(), "#32770", caption, 0ms))
            return dialog;
        if (!process.Running() || std::chrono::steady_clock::now() >= deadline) {
            ADD_FAILURE() << "no dialog \"" << caption << "\"";
            return nullptr;
        }
        std::this_thread::sleep_for(20ms);
    }
}

HWND InstallerTest::WaitForProgressDialog(const Process& process)
{
    auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
    for (;;) {
        for (HWND window : TopLevelWindows(process.Id())) {
            if (ClassNameOf(window) == "#32770" && GetDlgItem(window, kProgressBar))
                return window;
        }
        if (!process.Running() || std::chrono::steady_clock::now() >= deadline) {
            ADD_FAILURE() << "no progress dialog";
            return nullptr;
        }
        std::this_thread::sleep_for(20ms);
    }
}

::testing::AssertionResult InstallerTest::EndsWithZero(const Process& process, std::chrono::milliseconds timeout)
{
    if (!process.WaitForExit(timeout))
        return ::testing::AssertionFailure() << "the program did not end";
    auto code = process.ExitCode();
    if (code != 0u)
        return ::testing::AssertionFailure() << "the program ended with exit code 0x" << std::hex << *code;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult InstallerTest::AnswerFolderQuestion(const Process& setup, const std::string& folder,
                                                               int answer)
{
    auto box = WaitForBox(setup);
    if (!box)
        return ::testing::AssertionFailure() << "no question about the folder";
    const std::string expected = "The folder " + folder + " already holds files, and none of them is an earlier "
                                 "installation of Arcseal3.\r\n\r\nInstall Arcseal3 into it all the same?";
    if (box->caption != "Are you Sure?" || box->text.rfind(expected, 0) != 0)
        return ::testing::AssertionFailure() << "instead of the question about the folder, a " << Describe(*box);
    if (!PressButton(box->window, answer) || !WaitUntilGone(box->window))
        return ::testing::AssertionFailure() << "the question could not be answered";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult InstallerTest::EndsFinished(const Process& setup, const std::string& folder)
{
    auto box = WaitForBox(setup);
    if (!box)
        return ::testing::AssertionFailure() << "no message that the installation is finished";
    const std::string expected = "Arcseal 3 is installed in " + folder + ".\r\n\r\nStart it with \"Arcseal 3\" on "
                                 "the desktop or in the Start menu under Corvane Software.";
    if (box->caption != "Finished:" || box->text != expected)
        return ::testing::AssertionFailure() << "instead of the closing message, a " << Describe(*box);
    if (!PressButton(box->window, IDOK) || !WaitUntilGone(box->window))
        return ::testing::AssertionFailure() << "the closing message could not be closed";
    return EndsWithoutMessages(setup);
}

::testing::AssertionResult InstallerTest::Install(const fs::path& installer,
                                                  const std::optional<std::string>& directory, bool folderQuestion)
{
    Process& setup = Start(installer);
    HWND agreement = WaitForDialog(setup, kAgreementCaption);
    if (!agreement || !PressButton(agreement, IDOK))
        return ::testing::AssertionFailure() << "the agreement could not be accepted";
    HWND destination = WaitForDialog(setup, kDestinationCaption);
    if (!destination)
        return ::testing::AssertionFailure() << "no destination dialog";
    if (directory && !SetControlText(GetDlgItem(destination, kInstallDirEdit), *directory))
        return ::testing::AssertionFailure() << "the directory could not be typed";
    if (!PressButton(destination, IDOK))
        return ::testing::AssertionFailure() << "\"Next >>\" could not be pressed";
    if (folderQuestion) {
        auto answered = AnswerFolderQuestion(setup, directory.value_or(DefaultInstallDir().string()), IDYES);
        if (!answered)
            return answered;
    }
    return EndsFinished(setup, directory.value_or(DefaultInstallDir().string()));
}

::testing::AssertionResult InstallerTest::EndsWithoutMessages(const Process& process)
{
    auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
    while (process.Running()) {
        auto boxes = Boxes(process);
        if (!boxes.empty())
            return ::testing::AssertionFailure() << "the program showed a " << Describe(boxes.front());
        if (std::chrono::steady_clock::now() >= deadline)
            return ::testing::AssertionFailure() << "the program did not end";
        std::this_thread::sleep_for(20ms);
    }
    return EndsWithZero(process);
}

::testing::AssertionResult InstallerTest::NothingInstalled(const std::vector<fs::path>& dirs) const
{
    if (RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey))
        return ::testing::AssertionFailure() << "the uninstall key exists";
    if (RegistryKeyExists(HKEY_LOCAL_MACHINE, kProductKey))
        return ::testing::AssertionFailure() << "the product key exists";
    if (!defaultParentExisted_ && fs::exists(DefaultParentDir()))
        return ::testing::AssertionFailure() << DefaultParentDir() << " was created";
    for (const fs::path& link : {DesktopFolder() / "Arcseal3.lnk", ShortcutFolder()}) {
        if (fs::exists(link))
            return ::testing::AssertionFailure() << link << " exists";
    }
    for (const fs::path& dir : dirs) {
        if (fs::exists(dir))
            return ::testing::AssertionFailure() << dir << " exists";
    }
    return ::testing::AssertionSuccess();
}

void InstallerTest::Screenshot(const std::string& name)
{
    fs::path saved = SaveScreenshot(name);
    if (saved.empty())
        ADD_FAILURE() << "screenshot " << name << " could not be saved";
    else
        RecordProperty("screenshot-" + name, saved.string());
}

}  // namespace e2e
