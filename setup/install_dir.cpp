#include "install_dir.h"

#include <cstring>

static int IsDriveLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

InstallDirProblem CheckInstallDir(const char* installDir, const PackageSummary* summary)
{
    if (!installDir || !installDir[0])
        return INSTALL_DIR_EMPTY;
    if (!IsDriveLetter(installDir[0]) || installDir[1] != ':' || installDir[2] != '\\')
        return INSTALL_DIR_NOT_ABSOLUTE;
    const char* name = installDir + 3;
    while (*name) {
        const char* end = strchr(name, '\\');
        size_t length = end ? (size_t)(end - name) : strlen(name);
        if (length > 0 && !IsPlainPathName(name, length))
            return INSTALL_DIR_BAD_NAME;
        name += length;
        if (*name == '\\')
            ++name;
    }
    if (!InstallDirFits(strlen(installDir), summary))
        return INSTALL_DIR_TOO_LONG;
    return INSTALL_DIR_OK;
}

size_t LongestInstallDir(const PackageSummary* summary)
{
    if (summary->longestInstallTail >= PACKAGE_PATH_BUFFER - 1)
        return 0;
    return PACKAGE_PATH_BUFFER - 1 - summary->longestInstallTail;
}
