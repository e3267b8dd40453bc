// Removing an installation: what its install log names, or (an older
// installation without a log) everything in its folder. What stays goes into
// the report with the reason.
#pragma once
#include <cstddef>

#include "removal_report.h"

// Deletes every file the log names, then the log, then every folder it names
// that is empty by then, the deepest first. A file or folder that is gone
// already counts as removed. The uninstaller's own file, when it runs from
// the installation, and the folders it alone keeps are left to Windows to
// delete at its next start.
void RemoveLoggedItems(const char* log, size_t size, const char* logPath, RemovalReport* report);

// Empties an installation folder whole (RemoveTreeContents) and removes it.
void RemoveInstallationTree(const char* folder, RemovalReport* report);
