#include "help_pages.h"

#include <shellapi.h>

#include <string>

#include "builder_state.h"

const wchar_t HELP_WINDOW_PAGE[] = L"mkdisc-command.htm";
const wchar_t HELP_FIRST_DISC_PAGE[] = L"first-disc.htm";
const wchar_t HELP_CONTENTS_PAGE[] = L"index.htm";

void OpenHelpPage(HWND owner, const wchar_t* page)
{
    std::wstring path = ProgramFolder() + L"\\Help\\" + page;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ShowMessage("The help page \"" + Narrow(path) +
                        "\" is not there. Install Arcseal 3 again to get the help pages back.",
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    HINSTANCE result = ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if ((INT_PTR)result <= 32)
        ShowMessage("The help page \"" + Narrow(path) + "\" cannot be shown: no program opens web pages.",
                    MB_OK | MB_ICONINFORMATION);
}
