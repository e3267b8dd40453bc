// Checks of the installation directory typed into the destination dialog.
// No windows.h.
#pragma once
#include <cstddef>

#include "package_format.h"

enum InstallDirProblem {
    INSTALL_DIR_OK = 0,
    INSTALL_DIR_EMPTY,
    INSTALL_DIR_NOT_ABSOLUTE,  // not "X:\...": relative, drive-relative or a network path
    INSTALL_DIR_BAD_NAME,      // a folder name Windows would refuse or change
    INSTALL_DIR_TOO_LONG,      // some target path of the package would not fit
};

// What is wrong with an installation directory for this package, if anything.
// A trailing backslash and doubled backslashes are accepted: directory
// creation skips the empty names they make.
InstallDirProblem CheckInstallDir(const char* installDir, const PackageSummary* summary);

// The longest installation directory the package leaves room for.
size_t LongestInstallDir(const PackageSummary* summary);
