#include "project_commands.h"

#include <cstdio>
#include <memory>

#include "builder_state.h"
#include "choosers.h"
#include "project_file.h"
#include "window_fields.h"

const wchar_t PRODUCT_KEY[] = L"Software\\Corvane Software\\Arcseal3";
const wchar_t LAST_PROJECT_VALUE[] = L"LastProject";

namespace {

const size_t PROJECT_FILE_MAX = 1048576;  // far above any real project

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

void RememberProject(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, PRODUCT_KEY, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;  // the project is saved all the same; it only does not reopen
    RegSetValueExW(key, LAST_PROJECT_VALUE, 0, REG_SZ, (const BYTE*)path.c_str(),
                   (DWORD)((path.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::wstring RememberedProject()
{
    wchar_t path[32768];
    DWORD size = sizeof path - sizeof(wchar_t);
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, PRODUCT_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::wstring();
    LONG result = RegQueryValueExW(key, LAST_PROJECT_VALUE, nullptr, &type, (BYTE*)path, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return std::wstring();
    path[size / sizeof(wchar_t)] = L'\0';
    return path;
}

// Writes under a temporary name and puts the file in place only when it is
// whole, so a full disk never leaves half a project behind.
int WriteProjectFile(const std::wstring& path, const std::string& text)
{
    std::wstring part = path + L".part";
    FILE* file = _wfopen(part.c_str(), L"wb");
    bool written = file && fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file && fclose(file) != 0)
        written = false;
    if (!written) {
        DeleteFileW(part.c_str());
        ShowMessage("The project cannot be saved as \"" + Narrow(path) + "\": the file cannot be written.",
                    MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    if (!MoveFileExW(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(part.c_str());
        ShowMessage("The project cannot be saved as \"" + Narrow(path) + "\": the file cannot be replaced.",
                    MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    return 1;
}

int SaveTo(HWND window, const std::wstring& path)
{
    ProjectSettings settings = SettingsFromWindow(window);
    if (!WriteProjectFile(path, ProjectText(settings)))
        return 0;
    projectPath = path;
    savedSettings = settings;
    RememberProject(path);
    ShowProjectCaption(window);
    return 1;
}

}  // namespace

void ShowProjectCaption(HWND window)
{
    std::wstring caption = PROGRAM_CAPTION;
    if (!projectPath.empty()) {
        size_t slash = projectPath.find_last_of(L"\\/");
        caption += L" - " + (slash == std::wstring::npos ? projectPath : projectPath.substr(slash + 1));
    }
    SetWindowTextW(window, caption.c_str());
}

int LoadProjectFile(HWND window, const std::wstring& path)
{
    std::string text;
    std::string problem;
    {
        FilePtr file(_wfopen(path.c_str(), L"rb"));
        if (!file) {
            ShowMessage("The project \"" + Narrow(path) + "\" cannot be opened.", MB_OK | MB_ICONEXCLAMATION);
            return 0;
        }
        char buffer[65536];
        size_t got = 0;
        while ((got = fread(buffer, 1, sizeof buffer, file.get())) > 0 && text.size() <= PROJECT_FILE_MAX)
            text.append(buffer, got);
    }
    ProjectSettings settings = DefaultSettings();
    if (text.size() > PROJECT_FILE_MAX)
        problem = "the file is far too large to be a project";
    else if (!ReadProjectText(text, settings, problem))
        settings = DefaultSettings();
    if (!problem.empty()) {
        ShowMessage("The project \"" + Narrow(path) + "\" cannot be read: " + problem + ".",
                    MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    ShowSettingsInWindow(window, settings);
    projectPath = path;
    savedSettings = settings;
    autoTitle.clear();
    RememberProject(path);
    ShowProjectCaption(window);
    return 1;
}

void OpenLastProject(HWND window)
{
    std::wstring path = RememberedProject();
    if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    LoadProjectFile(window, path);
}

int KeepChangesBeforeLeaving(HWND window)
{
    ProjectSettings now = SettingsFromWindow(window);
    const ProjectSettings& since = projectPath.empty() ? DefaultSettings() : savedSettings;
    if (SameSavedSettings(now, since))
        return 1;
    std::string name = projectPath.empty() ? std::string("the new project") : "\"" + Narrow(projectPath) + "\"";
    int answer = ShowMessage("Save the changes to " + name + "?", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return 0;
    return answer == IDNO || SaveProject(window);
}

void NewProject(HWND window)
{
    if (!KeepChangesBeforeLeaving(window))
        return;
    ShowSettingsInWindow(window, DefaultSettings());
    projectPath.clear();
    savedSettings = DefaultSettings();
    autoTitle.clear();
    ShowProjectCaption(window);
}

void OpenProject(HWND window)
{
    if (!KeepChangesBeforeLeaving(window))
        return;
    std::wstring path = ChooseFile(window, FileKind::Project, std::wstring());
    if (!path.empty())
        LoadProjectFile(window, path);
}

int SaveProject(HWND window)
{
    if (projectPath.empty())
        return SaveProjectAs(window);
    return SaveTo(window, projectPath);
}

int SaveProjectAs(HWND window)
{
    std::wstring path = ChooseProjectToSave(window, projectPath);
    if (path.empty())
        return 0;
    return SaveTo(window, path);
}
