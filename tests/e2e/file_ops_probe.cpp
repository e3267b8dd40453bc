#include "file_ops_probe.h"

#include <windows.h>

#include <thread>

#include "files.h"

namespace e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Under a name of its own, so it never meets a real program's entries.
static const std::string kProgId = "ArcsealE2E.ProbeFile";

fs::path PlaceProbe(const fs::path& folder)
{
    fs::create_directories(folder);
    fs::path copy = folder / "open_with_probe.exe";
    fs::copy_file(fs::path(E2E_OPEN_WITH_PROBE).make_preferred(), copy, fs::copy_options::overwrite_existing);
    return copy;
}

std::vector<std::string> ProbeCommandLines(const fs::path& folder)
{
    std::vector<std::string> lines;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("command-line-", 0) == 0 && entry.path().extension() == ".txt") {
            Bytes bytes = ReadBytes(entry.path());
            lines.emplace_back(bytes.begin(), bytes.end());
        }
    }
    return lines;
}

std::vector<std::string> WaitForProbeCommandLines(const fs::path& folder, size_t count,
                                                  std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<std::string> lines = ProbeCommandLines(folder);
    while (lines.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(50ms);
        lines = ProbeCommandLines(folder);
    }
    return lines;
}

std::string ParametersOf(const std::string& commandLine)
{
    size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        size_t close = commandLine.find('"', 1);
        at = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        at = commandLine.find(' ');
        if (at == std::string::npos)
            at = commandLine.size();
    }
    while (at < commandLine.size() && commandLine[at] == ' ')
        ++at;
    return commandLine.substr(at);
}

static bool SetDefaultValue(const std::string& key, const std::string& value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(handle, nullptr, 0, REG_SZ, (const BYTE*)value.c_str(), (DWORD)value.size() + 1);
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

RegisteredFileType::RegisteredFileType(const std::string& extension, const fs::path& program)
    : extension_(extension)
{
    ok_ = SetDefaultValue(extension_, kProgId) &&
          SetDefaultValue(kProgId + "\\shell\\open\\command", "\"" + program.string() + "\" \"%1\"");
}

RegisteredFileType::~RegisteredFileType()
{
    RegDeleteTreeA(HKEY_CLASSES_ROOT, extension_.c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, extension_.c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId.c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kProgId.c_str());
}

}  // namespace e2e
