#include "folder_listing.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

#ifdef _WIN32

fs::path LongPathForm(const fs::path& path)
{
    const std::wstring& text = path.native();
    // Short paths stay as they are: messages and relative paths keep their form.
    if (text.size() < 240 || text.compare(0, 4, L"\\\\?\\") == 0)
        return path;
    std::wstring full(32768, L'\0');
    DWORD length = GetFullPathNameW(text.c_str(), (DWORD)full.size(), &full[0], nullptr);
    if (length == 0 || length >= full.size())
        return path;
    full.resize(length);
    for (wchar_t& c : full) {
        if (c == L'/')
            c = L'\\';
    }
    if (full.compare(0, 2, L"\\\\") == 0)
        return fs::path(L"\\\\?\\UNC\\" + full.substr(2));
    return fs::path(L"\\\\?\\" + full);
}

std::vector<FolderEntry> ListFolder(const fs::path& folder, std::error_code& error)
{
    std::vector<FolderEntry> entries;
    error.clear();
    std::wstring pattern = LongPathForm(folder / L"*").native();
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        if (code != ERROR_FILE_NOT_FOUND)
            error = std::error_code((int)code, std::system_category());
        return entries;
    }
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        FolderEntry entry{folder / name, EntryKind::Other, 0};
        DWORD attributes = found.dwFileAttributes;
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            entry.kind = EntryKind::Link;
        else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            entry.kind = EntryKind::Folder;
        else if (!(attributes & FILE_ATTRIBUTE_DEVICE))
            entry.kind = EntryKind::File;
        entry.size = ((uint64_t)found.nFileSizeHigh << 32) | found.nFileSizeLow;
        entry.modified = ((uint64_t)found.ftLastWriteTime.dwHighDateTime << 32) | found.ftLastWriteTime.dwLowDateTime;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(search, &found));
    DWORD code = GetLastError();
    FindClose(search);
    if (code != ERROR_NO_MORE_FILES)
        error = std::error_code((int)code, std::system_category());
    return entries;
}

bool SetFileModified(const fs::path& path, uint64_t fileTime)
{
    HANDLE file = CreateFileW(LongPathForm(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    FILETIME time = {(DWORD)fileTime, (DWORD)(fileTime >> 32)};
    bool set = SetFileTime(file, nullptr, nullptr, &time) != 0;
    CloseHandle(file);
    return set;
}

#else

fs::path LongPathForm(const fs::path& path)
{
    return path;
}

uint64_t UnixToFileTime(int64_t seconds, int64_t nanoseconds)
{
    // 1601-01-01 lies 11,644,473,600 seconds before 1970-01-01.
    int64_t ticks = (seconds + 11644473600LL) * 10000000LL + nanoseconds / 100;
    return ticks > 0 ? (uint64_t)ticks : 0;
}

bool SetFileModified(const fs::path& path, uint64_t fileTime)
{
    int64_t ticks = (int64_t)fileTime - 116444736000000000LL;
    int64_t seconds = ticks >= 0 ? ticks / 10000000 : -((-ticks + 9999999) / 10000000);
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = (time_t)seconds;
    times[1].tv_nsec = (long)((ticks - seconds * 10000000) * 100);
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

std::vector<FolderEntry> ListFolder(const fs::path& folder, std::error_code& error)
{
    std::vector<FolderEntry> entries;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        FolderEntry entry{it->path(), EntryKind::Other, 0};
        fs::file_status status = it->symlink_status(error);
        if (error)
            break;
        if (fs::is_symlink(status))
            entry.kind = EntryKind::Link;
        else if (fs::is_directory(status))
            entry.kind = EntryKind::Folder;
        else if (fs::is_regular_file(status))
            entry.kind = EntryKind::File;
        if (entry.kind == EntryKind::File)
            entry.size = it->file_size(error);
        if (error)
            break;
        struct stat about;
        if (entry.kind != EntryKind::Link && stat(entry.path.c_str(), &about) == 0)
            entry.modified = UnixToFileTime(about.st_mtim.tv_sec, about.st_mtim.tv_nsec);
        entries.push_back(std::move(entry));
    }
    return entries;
}

#endif
