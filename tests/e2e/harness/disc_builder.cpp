#include "disc_builder.h"

#include <chrono>
#include <fstream>
#include <sstream>

#include "files.h"
#include "paths.h"
#include "launched_process.h"

namespace e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

void MakeSampleContent(const fs::path& folder)
{
    fs::create_directories(folder / "Letters");
    WriteText(folder / "readme.txt", "A sample disc for the end-to-end tests.\r\n");
    WriteText(folder / "notes.txt", "Second file, a little longer than the first one.\r\n");
    WriteText(folder / "Letters" / "letter.txt", "Dear reader,\r\nthis lies in a folder.\r\n");
}

// One command-line argument, quoted the way the C runtime splits it again:
// backslashes are doubled only where they precede a quote or the closing quote.
static std::wstring Quote(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
        } else {
            if (c == L'"')
                quoted.append(backslashes + 1, L'\\');
            backslashes = 0;
        }
        quoted += c;
    }
    quoted.append(backslashes, L'\\');
    return quoted + L"\"";
}

static std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow += c < 128 ? (char)c : '?';
    return narrow;
}

BuiltDisc BuildDisc(const fs::path& source, const fs::path& output, const std::vector<std::wstring>& options)
{
    std::wstring arguments = L"--viewer " + Quote(DiscviewExe().wstring());
    for (const auto& option : options)
        arguments += L" " + Quote(option);
    arguments += L" " + Quote(source.wstring()) + L" " + Quote(output.wstring());

    BuiltDisc disc;
    fs::path log = output.parent_path() / (output.filename().string() + "-mkdisc.log");
    {
        Process mkdisc(MkdiscExe(), arguments, output.parent_path(), log);
        bool ended = mkdisc.WaitForExit(60s);
        auto code = mkdisc.ExitCode();
        std::ostringstream text;
        text << "mkdisc " << Narrow(arguments);
        if (!ended)
            text << "\n  did not end within 60 s";
        else
            text << "\n  exit code " << *code;
        disc.ok = ended && code == 0u;
        std::ifstream printed(log);
        text << "\n" << printed.rdbuf();
        disc.output = text.str();
    }
    disc.viewer = output / "discview.exe";
    disc.ok = disc.ok && fs::exists(disc.viewer);
    return disc;
}

}  // namespace e2e
