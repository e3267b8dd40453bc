// Base fixture of the viewer's end-to-end tests: a scratch folder per test,
// discs built with the real mkdisc.exe, viewers started as a person starts
// them, a screenshot when a test fails, and no process left behind.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../../../viewer/resource.h"
#include "disc_builder.h"
#include "files.h"
#include "launched_process.h"
#include "ui.h"

namespace e2e {

// What the viewer's message boxes and windows are called.
inline const std::string kMessageBoxClass = "#32770";
inline const std::string kMainWindowClass = MAIN_WINDOW_CLASS;
inline const std::string kPasswordCaption = "Enter password:";

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const std::filesystem::path& Scratch() const { return scratch_->Path(); }

    // Builds a disc of the sample content into <scratch>/<name> with these options.
    BuiltDisc BuildSampleDisc(const std::string& name, const std::vector<std::wstring>& options);

    // Starts a viewer file (or any program) from its own folder, with no arguments.
    Process& StartViewer(const std::filesystem::path& viewer);
    // Takes over a process another program started; it ends with the test.
    Process& AdoptProcess(DWORD processId);

    // Lets the start-up run to its end, as a person would: the viewer either
    // ends by itself or opens its main window, which is then closed. Fails on
    // any message box, a hang or an exit code other than 0.
    ::testing::AssertionResult FinishesStartUpCleanly(Process& viewer);
    // The viewer ends by itself (exit code 0) without showing a message box
    // or its main window.
    ::testing::AssertionResult EndsQuietly(Process& viewer);

    // Waits for the viewer's password dialog; null, with the reason added to
    // the test's failures, when a message box comes first or nothing comes.
    HWND WaitForPasswordDialog(Process& viewer);

    // A named screenshot of what is on screen now; path added to the test's output.
    void Screenshot(const std::string& name);

private:
    std::unique_ptr<ScratchDir> scratch_;
    std::vector<std::unique_ptr<Process>> processes_;
};

}  // namespace e2e
