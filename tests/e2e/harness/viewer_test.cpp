#include "viewer_test.h"

#include <cctype>
#include <chrono>
#include <thread>

#include "screenshot.h"

namespace e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

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

void ViewerTest::SetUp()
{
    scratch_ = std::make_unique<ScratchDir>(CurrentTestName());
}

void ViewerTest::TearDown()
{
    // While the windows are still up: they show what went wrong.
    if (HasFailure())
        Screenshot("failed-" + CurrentTestName());
    processes_.clear();
    scratch_.reset();
}

BuiltDisc ViewerTest::BuildSampleDisc(const std::string& name, const std::vector<std::wstring>& options)
{
    fs::path content = Scratch() / (name + "-content");
    if (!fs::exists(content))
        MakeSampleContent(content);
    return BuildDisc(content, Scratch() / name, options);
}

Process& ViewerTest::StartViewer(const fs::path& viewer)
{
    processes_.push_back(std::make_unique<Process>(viewer, L"", viewer.parent_path()));
    return *processes_.back();
}

Process& ViewerTest::AdoptProcess(DWORD processId)
{
    processes_.push_back(std::make_unique<Process>(processId));
    return *processes_.back();
}

static std::string Describe(const MessageBoxInfo& box)
{
    return "message box \"" + box.caption + "\": \"" + box.text + "\"";
}

static ::testing::AssertionResult EndedWithZero(const Process& viewer)
{
    auto code = viewer.ExitCode();
    if (code == 0u)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "viewer ended with exit code 0x" << std::hex << *code;
}

::testing::AssertionResult ViewerTest::FinishesStartUpCleanly(Process& viewer)
{
    auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (!viewer.Running())
            return EndedWithZero(viewer);
        auto boxes = MessageBoxesOf(viewer.Id());
        if (!boxes.empty())
            return ::testing::AssertionFailure() << "start-up showed a " << Describe(boxes.front());
        if (HWND main = WaitForWindow(viewer.Id(), kMainWindowClass, std::nullopt, 0ms)) {
            PostMessageA(main, WM_CLOSE, 0, 0);
            if (!viewer.WaitForExit(10s))
                return ::testing::AssertionFailure() << "viewer did not end after its main window was closed";
            return EndedWithZero(viewer);
        }
        std::this_thread::sleep_for(20ms);
    }
    return ::testing::AssertionFailure() << "start-up neither ended nor opened the main window";
}

::testing::AssertionResult ViewerTest::EndsQuietly(Process& viewer)
{
    auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
    while (viewer.Running()) {
        auto boxes = MessageBoxesOf(viewer.Id());
        if (!boxes.empty())
            return ::testing::AssertionFailure() << "viewer showed a " << Describe(boxes.front());
        if (WaitForWindow(viewer.Id(), kMainWindowClass, std::nullopt, 0ms))
            return ::testing::AssertionFailure() << "viewer opened its main window";
        if (std::chrono::steady_clock::now() >= deadline)
            return ::testing::AssertionFailure() << "viewer did not end";
        std::this_thread::sleep_for(20ms);
    }
    return EndedWithZero(viewer);
}

HWND ViewerTest::WaitForPasswordDialog(Process& viewer)
{
    auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
    for (;;) {
        auto boxes = MessageBoxesOf(viewer.Id());
        if (!boxes.empty()) {
            ADD_FAILURE() << "instead of the password dialog, a " << Describe(boxes.front());
            return nullptr;
        }
        if (HWND dialog = WaitForWindow(viewer.Id(), kMessageBoxClass, kPasswordCaption, 0ms))
            return dialog;
        if (!viewer.Running() || std::chrono::steady_clock::now() >= deadline) {
            ADD_FAILURE() << "no password dialog";
            return nullptr;
        }
        std::this_thread::sleep_for(20ms);
    }
}

void ViewerTest::Screenshot(const std::string& name)
{
    fs::path saved = SaveScreenshot(name);
    if (saved.empty())
        ADD_FAILURE() << "screenshot " << name << " could not be saved";
    else
        RecordProperty("screenshot-" + name, saved.string());
}

}  // namespace e2e
