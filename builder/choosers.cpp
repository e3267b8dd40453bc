#include "choosers.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

const wchar_t PROJECT_EXTENSION[] = L".a3p";

namespace {

// Filters are pairs of NUL-terminated texts, closed by one more NUL.
const wchar_t LICENCE_FILTER[] = L"Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
const wchar_t PICTURE_FILTER[] = L"Pictures (*.bmp; *.jpg; *.jpeg; *.gif; *.png)\0*.bmp;*.jpg;*.jpeg;*.gif;*.png\0"
                                 L"All files (*.*)\0*.*\0";
const wchar_t FONT_FILTER[] = L"Fonts (*.ttf; *.otf; *.fon)\0*.ttf;*.otf;*.fon\0All files (*.*)\0*.*\0";
const wchar_t PROJECT_FILTER[] = L"Arcseal 3 projects (*.a3p)\0*.a3p\0All files (*.*)\0*.*\0";

// The folder of the last file or folder chosen in any of the dialogs: the
// next one starts there when its field is empty (the first one in Documents,
// never in the program's own folder).
std::wstring lastFolder;

std::wstring StartFolder()
{
    if (!lastFolder.empty())
        return lastFolder;
    wchar_t documents[MAX_PATH] = L"";
    if (SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents) != S_OK)
        return std::wstring();
    return documents;
}

void RememberFolderOf(const std::wstring& path, bool isFolder)
{
    if (isFolder) {
        lastFolder = path;
        return;
    }
    size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring::npos)
        lastFolder = path.substr(0, separator == 2 && path[1] == L':' ? 3 : separator);
}

int CALLBACK StartAtCurrent(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

const wchar_t* FilterOf(FileKind kind)
{
    switch (kind) {
    case FileKind::Licence:
        return LICENCE_FILTER;
    case FileKind::Picture:
        return PICTURE_FILTER;
    case FileKind::Font:
        return FONT_FILTER;
    case FileKind::Project:
        break;
    }
    return PROJECT_FILTER;
}

// The dialog writes the chosen path into this buffer.
struct FileRequest {
    std::vector<wchar_t> path;
    std::wstring startFolder;
    OPENFILENAMEW request = {};
};

void Prepare(FileRequest& file, HWND owner, const wchar_t* filter, const std::wstring& current)
{
    file.path.assign(32768, L'\0');
    if (current.size() < file.path.size())
        current.copy(file.path.data(), current.size());
    file.request.lStructSize = sizeof file.request;
    file.request.hwndOwner = owner;
    file.request.lpstrFilter = filter;
    file.request.nFilterIndex = 1;
    file.request.lpstrFile = file.path.data();
    file.request.nMaxFile = (DWORD)file.path.size();
    if (current.empty()) {
        file.startFolder = StartFolder();
        file.request.lpstrInitialDir = file.startFolder.empty() ? nullptr : file.startFolder.c_str();
    }
    // The current directory stays where it was: relative paths keep their meaning.
    file.request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
}

}  // namespace

std::wstring ChooseFolder(HWND owner, const wchar_t* title, const std::wstring& current)
{
    wchar_t displayName[MAX_PATH];
    BROWSEINFOW request = {};
    request.hwndOwner = owner;
    request.pszDisplayName = displayName;
    request.lpszTitle = title;
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    request.lpfn = StartAtCurrent;
    std::wstring start = current.empty() ? StartFolder() : current;
    request.lParam = start.empty() ? 0 : (LPARAM)start.c_str();
    LPITEMIDLIST picked = SHBrowseForFolderW(&request);
    if (!picked)
        return std::wstring();
    wchar_t path[MAX_PATH] = L"";
    bool found = SHGetPathFromIDListW(picked, path) != FALSE;
    CoTaskMemFree(picked);
    if (!found)
        return std::wstring();
    RememberFolderOf(path, true);
    return path;
}

std::wstring ChooseFile(HWND owner, FileKind kind, const std::wstring& current)
{
    FileRequest file;
    Prepare(file, owner, FilterOf(kind), current);
    file.request.Flags |= OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&file.request))
        return std::wstring();
    RememberFolderOf(file.path.data(), false);
    return file.path.data();
}

std::wstring ChooseProjectToSave(HWND owner, const std::wstring& current)
{
    FileRequest file;
    Prepare(file, owner, PROJECT_FILTER, current);
    file.request.lpstrDefExt = PROJECT_EXTENSION + 1;
    file.request.Flags |= OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameW(&file.request))
        return std::wstring();
    RememberFolderOf(file.path.data(), false);
    return file.path.data();
}
