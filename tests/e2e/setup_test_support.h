// Base fixture of the installer's and the uninstaller's end-to-end tests: the
// real setup.exe and arcs3uninst.exe of this build, started as a person
// starts them and driven through their windows; a scratch folder and a
// folder on drive C per test; and a machine left as it was found - no keys,
// links or installed files remain after a test, whatever it did.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../../setup/resource.h"
#include "files.h"
#include "launched_process.h"
#include "ui.h"

namespace e2e {

inline const std::string kAgreementCaption = "Corvane Software Agreement ";
inline const std::string kDestinationCaption = "Install Too:";
inline const std::string kCorruptCaption = "Error:(3436)";
inline const std::string kCorruptText = "Installer corrupt. Please re-download and try again.";
inline const std::string kInstallLogName = "arcs3install.log";
constexpr int kInstallDirEdit = IDC_INSTALL_DIR;
constexpr int kProgressBar = IDC_PROGRESS_BAR;

std::filesystem::path SetupExe();       // setup.exe of this build, package appended
std::filesystem::path SetupStubExe();   // the bare installer
std::filesystem::path UninstallerExe();

// The file of this build that a package destination was made from.
std::filesystem::path SourceOf(const std::string& destination);
// Where a destination lands under an installation directory.
std::filesystem::path InstalledPathOf(const std::string& destination, const std::filesystem::path& installDir);

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const std::filesystem::path& Scratch() const { return scratch_->Path(); }
    // C:\arcseal-e2e\<test>: installation directories of the test go below it.
    std::filesystem::path TestRoot() const;

    // Writes an installer file into its own folder of the scratch folder.
    std::filesystem::path WriteInstaller(const std::string& name, const Bytes& bytes);

    // Starts a program from its own folder, with no arguments.
    Process& Start(const std::filesystem::path& exe);
    // A program some started one started in turn; watched like those.
    Process& Adopt(DWORD processId);

    // Message boxes of the process now, the installer's dialogs left out.
    std::vector<MessageBoxInfo> Boxes(const Process& process) const;
    // The first message box; nothing, with a failure added, after the time-out.
    std::optional<MessageBoxInfo> WaitForBox(const Process& process,
                                             std::chrono::milliseconds timeout = kWindowTimeout);
    // A dialog of the process with that caption; null, with a failure added,
    // when a message box or nothing comes instead.
    HWND WaitForDialog(const Process& process, const std::string& caption);
    // The progress dialog (no caption, a progress bar), or null with a failure.
    HWND WaitForProgressDialog(const Process& process);

    // The process ends with exit code 0 within the time-out.
    ::testing::AssertionResult EndsWithZero(const Process& process,
                                            std::chrono::milliseconds timeout = kWindowTimeout);

    // The process ends by itself with exit code 0 and shows no message box
    // on the way.
    ::testing::AssertionResult EndsWithoutMessages(const Process& process);

    // The closing message of a complete installation into folder, checked
    // word for word and closed; then the installer ends with 0 and nothing else.
    ::testing::AssertionResult EndsFinished(const Process& setup, const std::string& folder);

    // A whole installation driven by button presses: accept, type the
    // directory (none: keep the default), "Next >>", Yes to the question
    // about a folder that holds other files when it is expected, and the
    // installer ends with its closing message and 0, showing no other box.
    ::testing::AssertionResult Install(const std::filesystem::path& installer,
                                       const std::optional<std::string>& directory = std::nullopt,
                                       bool folderQuestion = false);

    // Waits for the question asked before installing into a folder that
    // holds other files, checks it names the folder, and answers it.
    ::testing::AssertionResult AnswerFolderQuestion(const Process& setup, const std::string& folder, int answer);

    // No key, link, folder or file of an installation on the machine; dirs
    // are installation directories the test may have used.
    ::testing::AssertionResult NothingInstalled(const std::vector<std::filesystem::path>& dirs = {}) const;

    // A named screenshot of the screen now; its path goes into the test's output.
    void Screenshot(const std::string& name);

private:
    std::unique_ptr<ScratchDir> scratch_;
    std::vector<std::unique_ptr<Process>> processes_;
    bool defaultParentExisted_ = false;
};

}  // namespace e2e
