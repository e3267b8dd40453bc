#include "uninstall_test_support.h"

#include <windows.h>
#include <tlhelp32.h>

#include <thread>

namespace e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

static const char* const kSessionManagerKey = "System\\CurrentControlSet\\Control\\Session Manager";
static const char* const kPendingValue = "PendingFileRenameOperations";

// The raw bytes of the REG_MULTI_SZ value; nothing when it is missing.
static std::optional<std::string> ReadPending()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<std::string> value;
    if (RegQueryValueExA(key, kPendingValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string bytes(size, '\0');
        if (RegQueryValueExA(key, kPendingValue, nullptr, &type, (BYTE*)bytes.data(), &size) == ERROR_SUCCESS)
            value = bytes.substr(0, size);
    }
    RegCloseKey(key);
    return value;
}

static void WritePending(const std::optional<std::string>& value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    if (value)
        RegSetValueExA(key, kPendingValue, 0, REG_MULTI_SZ, (const BYTE*)value->data(), (DWORD)value->size());
    else
        RegDeleteValueA(key, kPendingValue);
    RegCloseKey(key);
}

// The strings of a REG_MULTI_SZ value.
static std::vector<std::string> Strings(const std::string& bytes)
{
    std::vector<std::string> strings;
    for (size_t at = 0; at < bytes.size();) {
        size_t end = bytes.find('\0', at);
        if (end == std::string::npos)
            end = bytes.size();
        strings.push_back(bytes.substr(at, end - at));
        at = end + 1;
    }
    return strings;
}

// Deletions are pairs of a "\??\"-prefixed path and an empty target.
static std::vector<std::string> Deletions(const std::optional<std::string>& value)
{
    std::vector<std::string> paths;
    if (!value)
        return paths;
    std::vector<std::string> strings = Strings(*value);
    for (size_t i = 0; i + 1 < strings.size(); i += 2) {
        if (strings[i + 1].empty() && !strings[i].empty())
            paths.push_back(strings[i].rfind("\\??\\", 0) == 0 ? strings[i].substr(4) : strings[i]);
    }
    return paths;
}

void UninstallTest::SetUp()
{
    InstallerTest::SetUp();
    pendingBefore_ = ReadPending();
}

void UninstallTest::TearDown()
{
    std::vector<std::string> queued = RemovalsAtRestart();
    InstallerTest::TearDown();   // ends what still runs
    // What no restart of this prefix will ever delete: the copies.
    std::error_code ignored;
    for (const std::string& path : queued) {
        if (fs::path(path).extension() == ".tmp")
            fs::remove(path, ignored);
    }
    if (!copy_.empty())
        fs::remove(copy_, ignored);
    WritePending(pendingBefore_);
}

std::vector<std::string> UninstallTest::RemovalsAtRestart() const
{
    std::vector<std::string> before = Deletions(pendingBefore_), now = Deletions(ReadPending());
    return std::vector<std::string>(now.begin() + std::min(before.size(), now.size()), now.end());
}

// The first process whose parent is the given one.
static std::optional<PROCESSENTRY32> ChildOf(DWORD parentId)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return std::nullopt;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    std::optional<PROCESSENTRY32> child;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parentId) {
            child = entry;
            break;
        }
    }
    CloseHandle(snapshot);
    return child;
}

Process* UninstallTest::Asking(Process& started)
{
    copy_.clear();
    auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
    while (started.Running()) {
        if (!Boxes(started).empty())
            return &started;
        if (std::chrono::steady_clock::now() >= deadline) {
            ADD_FAILURE() << "the uninstaller asked nothing";
            return nullptr;
        }
        std::this_thread::sleep_for(20ms);
    }
    if (!EndsWithZero(started)) {
        ADD_FAILURE() << "the uninstaller ended without asking, and not with 0";
        return nullptr;
    }
    auto child = ChildOf(started.Id());
    if (!child) {
        ADD_FAILURE() << "the uninstaller ended without asking and started no copy";
        return nullptr;
    }
    copy_ = TempFolder() / child->szExeFile;
    return &Adopt(child->th32ProcessID);
}

void UninstallTest::RunAndAnswerNo(const fs::path& uninstaller)
{
    Process* process = Asking(Start(uninstaller));
    ASSERT_TRUE(process);
    auto question = WaitForBox(*process);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->caption, kConfirmCaption);
    EXPECT_EQ(question->text, kConfirmText);
    ASSERT_TRUE(PressButton(question->window, IDNO));
    ASSERT_TRUE(WaitUntilGone(question->window));
    ASSERT_TRUE(EndsWithoutMessages(*process));
}

std::optional<std::string> UninstallTest::RunAndAnswerYes(const fs::path& uninstaller, const std::string& screenshot)
{
    Process* process = Asking(Start(uninstaller));
    if (!process)
        return std::nullopt;
    auto question = WaitForBox(*process);
    if (!question)
        return std::nullopt;
    EXPECT_EQ(question->caption, kConfirmCaption);
    EXPECT_EQ(question->text, kConfirmText);
    if (!screenshot.empty())
        Screenshot(screenshot);
    if (!PressButton(question->window, IDYES) || !WaitUntilGone(question->window))
        return std::nullopt;

    auto warning = WaitForBox(*process);
    if (!warning)
        return std::nullopt;
    EXPECT_EQ(warning->caption, "INFO:");
    EXPECT_EQ(warning->text, kWarningText);
    if (!PressButton(warning->window, IDOK) || !WaitUntilGone(warning->window))
        return std::nullopt;

    auto end = WaitForBox(*process);
    if (!end)
        return std::nullopt;
    EXPECT_EQ(end->caption, "INFO:");
    if (!PressButton(end->window, IDOK) || !WaitUntilGone(end->window))
        return std::nullopt;
    EXPECT_TRUE(EndsWithoutMessages(*process));
    return end->text;
}

}  // namespace e2e
