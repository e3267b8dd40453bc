#include "launched_process.h"

#include <stdexcept>

namespace e2e {

static HANDLE OpenOutputFile(const std::filesystem::path& path)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

Process::Process(const std::filesystem::path& exe, const std::wstring& arguments,
                 const std::filesystem::path& workDir,
                 const std::optional<std::filesystem::path>& outputFile)
{
    std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    HANDLE output = INVALID_HANDLE_VALUE;
    DWORD creationFlags = 0;
    if (outputFile) {
        output = OpenOutputFile(*outputFile);
        if (output == INVALID_HANDLE_VALUE)
            throw std::runtime_error("cannot create " + outputFile->string());
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = output;
        startup.hStdError = output;
        creationFlags = CREATE_NO_WINDOW;
    }

    PROCESS_INFORMATION info{};
    BOOL started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr,
                                  outputFile ? TRUE : FALSE, creationFlags, nullptr,
                                  workDir.c_str(), &startup, &info);
    DWORD error = GetLastError();
    if (output != INVALID_HANDLE_VALUE)
        CloseHandle(output);
    if (!started)
        throw std::runtime_error("cannot start " + exe.string() + " (error " + std::to_string(error) + ")");
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

Process::Process(DWORD processId)
    : process_(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, processId)),
      id_(processId)
{
}

Process::~Process()
{
    Kill();
    if (process_)
        CloseHandle(process_);
}

bool Process::Running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(std::chrono::milliseconds timeout) const
{
    return !process_ || WaitForSingleObject(process_, (DWORD)timeout.count()) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const
{
    DWORD code = 0;
    if (!process_ || Running() || !GetExitCodeProcess(process_, &code))
        return std::nullopt;
    return code;
}

void Process::Kill()
{
    if (Running()) {
        TerminateProcess(process_, 0xDEAD);
        WaitForSingleObject(process_, 5000);
    }
}

}  // namespace e2e
