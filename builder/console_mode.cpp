#include "console_mode.h"

#include <windows.h>

#include <sstream>

#include "console_io.h"
#include "run_mkdisc.h"

namespace {

bool Usable(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// A window program gets no console of its own. Output redirected to a file
// or pipe arrives as inherited handles; otherwise the console of the command
// prompt that started it is borrowed.
void ConnectToConsole()
{
    if (Usable(GetStdHandle(STD_OUTPUT_HANDLE)) && Usable(GetStdHandle(STD_ERROR_HANDLE)))
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;  // started without a console: the exit code still tells
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (!Usable(console))
        return;
    if (!Usable(GetStdHandle(STD_OUTPUT_HANDLE)))
        SetStdHandle(STD_OUTPUT_HANDLE, console);
    if (!Usable(GetStdHandle(STD_ERROR_HANDLE)))
        SetStdHandle(STD_ERROR_HANDLE, console);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args)
{
    ConnectToConsole();
    std::ostringstream out;
    std::ostringstream err;
    int result = RunMkdisc(args, out, err, "Arcseal3", AskOnTerminal);
    PrintText(OutputStream::Out, out.str());
    PrintText(OutputStream::Err, err.str());
    return result;
}
