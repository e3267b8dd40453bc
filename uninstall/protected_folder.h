// The folders Arcseal 3 is never installed into nor removed from: a drive,
// the Windows and the system folder and any folder that holds them. Setup and
// the uninstaller both ask here, so they agree.
#pragma once

// 1 when the directory is such a folder, or its full path cannot be had;
// fullPath (MAX_PATH bytes) receives the full path.
int IsProtectedFolder(const char* directory, char* fullPath);
