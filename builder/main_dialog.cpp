// The main window: the disc's settings, the File and Help menus, and Build,
// which checks every field before anything is written.
#include <windows.h>

#include "build_error.h"
#include "builder_state.h"
#include "choosers.h"
#include "dialogs.h"
#include "existing_disc.h"
#include "folder_checks.h"
#include "help_pages.h"
#include "project_commands.h"
#include "resource.h"
#include "settings_check.h"
#include "window_fields.h"

namespace {

std::wstring FieldText(HWND window, int control)
{
    wchar_t text[32768];
    GetDlgItemTextW(window, control, text, 32768);
    return text;
}

// The last part of a folder path: the default disc title.
std::string FolderName(const std::wstring& folder)
{
    std::wstring path = folder;
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    size_t slash = path.find_last_of(L"\\/:");
    return Narrow(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

// The title follows the source folder until the author types one of his own.
void FollowSourceFolder(HWND window)
{
    std::string title = Narrow(FieldText(window, IDC_TITLE));
    if (!title.empty() && title != autoTitle)
        return;
    autoTitle = FolderName(FieldText(window, IDC_SOURCE));
    SetDlgItemTextW(window, IDC_TITLE, Widen(autoTitle).c_str());
}

void BrowseFolder(HWND window, int field, const wchar_t* title)
{
    std::wstring chosen = ChooseFolder(window, title, FieldText(window, field));
    if (!chosen.empty())
        SetDlgItemTextW(window, field, chosen.c_str());
}

void BrowseFile(HWND window, int field, FileKind kind)
{
    std::wstring chosen = ChooseFile(window, kind, FieldText(window, field));
    if (!chosen.empty())
        SetDlgItemTextW(window, field, chosen.c_str());
}

std::wstring FullPath(const std::wstring& path)
{
    wchar_t full[32768];
    DWORD length = GetFullPathNameW(path.c_str(), 32768, full, nullptr);
    return length > 0 && length < 32768 ? std::wstring(full) : path;
}

// "the disc ..." as the first sentence of a message box.
std::string Sentence(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = (char)(text[0] - 'a' + 'A');
    return text + ".";
}

// A folder with files of the author's own: a disc burnt from it carries
// them too. Yes lets the build put the disc among them (they stay).
int ConfirmOutputFolder(HWND window, DiscOptions& options)
{
    std::vector<std::string> others;
    try {
        others = OtherFilesInOutput(PathFromUtf8(options.outputDir));
    } catch (const BuildError& failure) {
        ShowMessage(Sentence(failure.what()), MB_OK | MB_ICONEXCLAMATION);
        FocusField(window, FIELD_OUTPUT);
        return 0;
    }
    if (others.empty())
        return 1;
    std::string text = Sentence(OtherFilesText(PathFromUtf8(options.outputDir), others)) +
                       "\r\n\r\nBuild the disc in this folder all the same?";
    if (ShowMessage(text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        FocusField(window, FIELD_OUTPUT);
        return 0;
    }
    options.force = true;
    return 1;
}

// Never a weaker disc than the one it replaces without the author's yes.
int ConfirmProtection(HWND window, const DiscOptions& options)
{
    std::string weaker = WeakerDiscWarning(options);
    if (weaker.empty())
        return 1;
    if (ShowMessage(Sentence(weaker) + "\r\n\r\nBuild the new disc all the same?",
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        return 1;
    FocusField(window, options.password ? FIELD_PROTECTION : FIELD_USE_PASSWORD);
    return 0;
}

void Build(HWND window)
{
    ProjectSettings settings = SettingsFromWindow(window);
    DiscOptions options;
    FieldProblem problem;
    if (!CheckSettings(settings, options, problem)) {
        ShowMessage(ProblemText(problem), MB_OK | MB_ICONEXCLAMATION);
        FocusField(window, problem.field);
        return;
    }
    if (!ConfirmOutputFolder(window, options) || !ConfirmProtection(window, options))
        return;
    BuildResult result = RunBuild(window, options);
    switch (result.outcome) {
    case BUILD_DONE:
        ShowSummary(window, result.totals, Narrow(FullPath(Widen(settings[FIELD_OUTPUT]))));
        break;
    case BUILD_CANCELLED:
        ShowMessage("The build was cancelled. The output folder is as it was before.", MB_OK | MB_ICONINFORMATION);
        break;
    case BUILD_FAILED:
        ShowMessage("The disc was not built: " + result.message + ". The output folder is as it was before.",
                    MB_OK | MB_ICONEXCLAMATION);
        break;
    }
}

void Leave(HWND window)
{
    if (KeepChangesBeforeLeaving(window))
        DestroyWindow(window);
}

void Command(HWND window, int id, int notification)
{
    switch (id) {
    case IDC_SOURCE:
        if (notification == EN_CHANGE)
            FollowSourceFolder(window);
        return;
    case IDC_PASSWORD:
        // Typing a password chooses one; only unticking the box chooses none.
        if (notification == EN_CHANGE) {
            if (GetWindowTextLengthW(GetDlgItem(window, IDC_PASSWORD)) > 0)
                CheckDlgButton(window, IDC_USE_PASSWORD, BST_CHECKED);
            ShowPasswordState(window);
        }
        return;
    case IDC_USE_PASSWORD:
        if (notification == BN_CLICKED) {
            if (IsDlgButtonChecked(window, IDC_USE_PASSWORD) != BST_CHECKED) {
                SetDlgItemTextW(window, IDC_PASSWORD, L"");
                SetDlgItemTextW(window, IDC_CONFIRM, L"");
            }
            ShowPasswordState(window);
        }
        return;
    case IDC_SOURCE_BROWSE:
        BrowseFolder(window, IDC_SOURCE, L"Choose the source folder: its files go onto the disc.");
        return;
    case IDC_OUTPUT_BROWSE:
        BrowseFolder(window, IDC_OUTPUT, L"Choose the output folder: the disc is written into it.");
        return;
    case IDC_LICENCE_BROWSE:
        BrowseFile(window, IDC_LICENCE, FileKind::Licence);
        return;
    case IDC_BACKGROUND_BROWSE:
        BrowseFile(window, IDC_BACKGROUND, FileKind::Picture);
        return;
    case IDC_LOGO_BROWSE:
        BrowseFile(window, IDC_LOGO, FileKind::Picture);
        return;
    case IDC_FONT_BROWSE:
        BrowseFile(window, IDC_FONT_FILE, FileKind::Font);
        return;
    case IDC_BUILD:
        Build(window);
        return;
    case IDM_NEW:
        NewProject(window);
        return;
    case IDM_OPEN:
        OpenProject(window);
        return;
    case IDM_SAVE:
        SaveProject(window);
        return;
    case IDM_SAVE_AS:
        SaveProjectAs(window);
        return;
    case IDM_EXIT:
        Leave(window);
        return;
    case IDM_HELP_WINDOW:
        OpenHelpPage(window, HELP_WINDOW_PAGE);
        return;
    case IDM_HELP_FIRST_DISC:
        OpenHelpPage(window, HELP_FIRST_DISC_PAGE);
        return;
    case IDM_HELP_CONTENTS:
        OpenHelpPage(window, HELP_CONTENTS_PAGE);
        return;
    }
}

}  // namespace

INT_PTR CALLBACK MainDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        mainWindow = dialog;
        FillPlacementLists(dialog);
        ShowSettingsInWindow(dialog, DefaultSettings());
        OpenLastProject(dialog);
        return TRUE;
    case WM_COMMAND:
        // Enter in a field presses Build (the default button); Esc does not
        // close the main window.
        if (LOWORD(wParam) == IDOK)
            Build(dialog);
        else if (LOWORD(wParam) != IDCANCEL)
            Command(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        Leave(dialog);
        return TRUE;
    case WM_DESTROY:
        mainWindow = nullptr;
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}
