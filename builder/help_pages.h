// The help pages setup installs beside the program (Help\*.htm), opened in
// the browser.
#pragma once
#include <windows.h>

// The page about the window, F1 and Help > "Help on this window".
extern const wchar_t HELP_WINDOW_PAGE[];
extern const wchar_t HELP_FIRST_DISC_PAGE[];
extern const wchar_t HELP_CONTENTS_PAGE[];

// Opens one page; a missing page is reported with its path.
void OpenHelpPage(HWND owner, const wchar_t* page);
